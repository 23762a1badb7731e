#include "render/content/RunSplitter.h"

#include "render/content/ContentString.h"
#include "render/content/Utf8.h"

namespace lumitag {

namespace {

bool IsSkipped(char32_t ch)
{
    return ch == FormattedText::kParagraphMark || ch == FormattedText::kLineBreak;
}

std::string TruncatedFace(const std::string& face)
{
    std::u32string chars = utf8::Decode(face);
    if (chars.size() > static_cast<std::size_t>(TextRun::kFaceLimit)) chars.resize(TextRun::kFaceLimit);
    return utf8::Encode(chars);
}

TextRun StartRun(const CharFormat& format)
{
    TextRun run;
    run.face = TruncatedFace(format.face);
    run.height = format.twips / 20;
    run.colour = format.colour;
    run.bold = format.bold ? 1 : 0;
    run.italic = format.italic ? 2 : 0;
    run.underline = format.underline ? 4 : 0;
    return run;
}

}  // namespace

bool IsSymbolTokenAt(const FormattedText& text, std::size_t pos)
{
    if (pos + kSymbolTokenLength > text.size()) return false;
    for (std::size_t i = 0; i < kSymbolTokenPrefix.size(); ++i)
        if (text.CharAt(pos + i) != static_cast<char32_t>(kSymbolTokenPrefix[i])) return false;
    return text.CharAt(pos + kSymbolTokenLength - 1) == U']';
}

std::vector<TextRun> SplitRuns(const FormattedText& text)
{
    std::vector<TextRun> runs;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (IsSkipped(text.CharAt(pos))) {
            ++pos;
            continue;
        }
        const CharFormat& format = text.FormatAt(pos);
        TextRun run = StartRun(format);
        if (IsSymbolTokenAt(text, pos)) {
            for (std::size_t end = pos + kSymbolTokenLength; pos < end; ++pos) utf8::Append(run.text, text.CharAt(pos));
        } else {
            utf8::Append(run.text, text.CharAt(pos++));
            for (; pos < text.size(); ++pos) {
                if (IsSkipped(text.CharAt(pos))) continue;
                if (text.FormatAt(pos) != format || IsSymbolTokenAt(text, pos)) break;
                utf8::Append(run.text, text.CharAt(pos));
            }
        }
        runs.push_back(std::move(run));
    }
    if (!runs.empty()) runs.back().text = std::string(TrimTrailingSpace(runs.back().text));
    return runs;
}

}  // namespace lumitag
