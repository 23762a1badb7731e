#include "render/content/FormattedText.h"

#include "render/content/Utf8.h"

namespace lumitag {

void FormattedText::Append(char32_t ch, const CharFormat& format)
{
    std::uint32_t index = 0;
    if (!chars_.empty() && formats_[chars_.back().format] == format) {
        index = chars_.back().format;  // the common case: the format of the character before
    } else {
        auto [it, inserted] = formatIndex_.try_emplace(format, static_cast<std::uint32_t>(formats_.size()));
        if (inserted) formats_.push_back(format);
        index = it->second;
    }
    chars_.push_back({ch, index});
}

void FormattedText::Append(std::string_view text, const CharFormat& format)
{
    for (char32_t ch : utf8::Decode(text)) Append(ch, format);
}

std::string FormattedText::PlainText() const
{
    std::string out;
    out.reserve(chars_.size());
    for (const Entry& entry : chars_) utf8::Append(out, entry.ch);
    return out;
}

bool operator==(const FormattedText& a, const FormattedText& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a.CharAt(i) != b.CharAt(i) || a.FormatAt(i) != b.FormatAt(i)) return false;
    return true;
}

}  // namespace lumitag
