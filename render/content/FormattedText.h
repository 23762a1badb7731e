#pragma once
// A small rich text model: a sequence of characters, each with its complete
// character format; paragraphs are separated by paragraph marks inside the
// sequence. The RTF reader produces it, the RTF writer consumes it, the run
// splitter cuts it into runs and the GUI's text editor converts its own
// document to and from it.

#include <compare>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace lumitag {

struct CharFormat {
    std::string face;            // UTF-8 font face name
    int twips = 240;             // character height in twips (1/20 point)
    std::uint32_t colour = 0;    // 0x00BBGGRR
    bool bold = false;
    bool italic = false;
    bool underline = false;

    friend bool operator==(const CharFormat&, const CharFormat&) = default;
    friend auto operator<=>(const CharFormat&, const CharFormat&) = default;
};

class FormattedText {
public:
    // Ends a paragraph (RTF \par).
    static constexpr char32_t kParagraphMark = U'\r';
    // Breaks a line inside a paragraph (RTF \line).
    static constexpr char32_t kLineBreak = U'\v';

    void Append(char32_t ch, const CharFormat& format);
    // Appends every character of UTF-8 `text` (invalid bytes become U+FFFD).
    void Append(std::string_view text, const CharFormat& format);
    void AppendParagraphMark(const CharFormat& format) { Append(kParagraphMark, format); }

    std::size_t size() const { return chars_.size(); }
    bool empty() const { return chars_.empty(); }
    char32_t CharAt(std::size_t i) const { return chars_[i].ch; }
    const CharFormat& FormatAt(std::size_t i) const { return formats_[chars_[i].format]; }

    // The characters as UTF-8, paragraph marks included.
    std::string PlainText() const;

    // Same characters with the same formats.
    friend bool operator==(const FormattedText& a, const FormattedText& b);

private:
    struct Entry {
        char32_t ch;
        std::uint32_t format;  // index into formats_
    };
    // Formats are stored once each, so a character costs 8 bytes however
    // large its format is.
    std::vector<CharFormat> formats_;
    std::map<CharFormat, std::uint32_t> formatIndex_;
    std::vector<Entry> chars_;
};

}  // namespace lumitag
