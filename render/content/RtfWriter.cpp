#include "render/content/RtfWriter.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "render/content/Utf8.h"

namespace lumitag {

namespace {

template <typename T>
std::size_t IndexOf(std::vector<T>& table, const T& value)
{
    auto it = std::find(table.begin(), table.end(), value);
    if (it != table.end()) return static_cast<std::size_t>(it - table.begin());
    table.push_back(value);
    return table.size() - 1;
}

void AppendUnicode(std::string& out, char32_t ch)
{
    // \uN takes a signed 16-bit number: code units above 32767 go negative,
    // characters past the BMP go as a surrogate pair.
    auto unit = [&out](std::uint32_t value) {
        out += "\\u";
        out += std::to_string(value > 32767 ? static_cast<int>(value) - 65536 : static_cast<int>(value));
        out += '?';
    };
    if (ch > 0xFFFF) {
        ch -= 0x10000;
        unit(0xD800 + (ch >> 10));
        unit(0xDC00 + (ch & 0x3FF));
    } else {
        unit(ch);
    }
}

void AppendChar(std::string& out, char32_t ch)
{
    switch (ch) {
    case U'\\': case U'{': case U'}':
        out += '\\';
        out += static_cast<char>(ch);
        return;
    case FormattedText::kParagraphMark: out += "\\par "; return;
    case FormattedText::kLineBreak: out += "\\line "; return;
    case U'\t': out += "\\tab "; return;
    default: break;
    }
    if (ch >= 0x20 && ch < 0x7F)
        out += static_cast<char>(ch);
    else
        AppendUnicode(out, ch);
}

// A face name ends at ";" in the font table, so it cannot hold one.
void AppendFaceName(std::string& out, std::string_view face)
{
    std::u32string name;
    for (std::size_t pos = 0; pos < face.size();) {
        char32_t ch = 0;
        if (!utf8::DecodeAt(face, pos, ch)) {
            ch = utf8::kReplacement;
            ++pos;
        }
        if (ch != U';') AppendChar(out, ch);
    }
}

struct Tables {
    std::vector<std::string> faces;
    std::vector<std::uint32_t> colours;
};

Tables CollectTables(const FormattedText& text)
{
    Tables tables;
    for (std::size_t i = 0; i < text.size(); ++i) {
        IndexOf(tables.faces, text.FormatAt(i).face);
        IndexOf(tables.colours, text.FormatAt(i).colour);
    }
    return tables;
}

void AppendHeader(std::string& out, const Tables& tables)
{
    out += "{\\rtf1\\ansi\\ansicpg1252\\deff0";
    if (tables.faces.empty()) return;
    out += "{\\fonttbl";
    for (std::size_t i = 0; i < tables.faces.size(); ++i) {
        out += "{\\f" + std::to_string(i) + "\\fnil ";
        AppendFaceName(out, tables.faces[i]);
        out += ";}";
    }
    out += "}{\\colortbl;";
    for (std::uint32_t colour : tables.colours)
        out += "\\red" + std::to_string(colour & 0xFF) + "\\green" + std::to_string((colour >> 8) & 0xFF) + "\\blue" +
               std::to_string((colour >> 16) & 0xFF) + ";";
    out += "}";
}

// Writes the control words that turn `before` into `after`; all of them when
// there is no format before.
void AppendFormatChange(std::string& out, Tables& tables, const CharFormat* before, const CharFormat& after)
{
    const std::size_t start = out.size();
    if (!before || before->face != after.face) out += "\\f" + std::to_string(IndexOf(tables.faces, after.face));
    if (!before || before->twips != after.twips)
        out += "\\fs" + std::to_string(std::max(1, (after.twips + 5) / 10));
    if (!before || before->colour != after.colour)
        out += "\\cf" + std::to_string(IndexOf(tables.colours, after.colour) + 1);
    if (before ? before->bold != after.bold : after.bold) out += after.bold ? "\\b" : "\\b0";
    if (before ? before->italic != after.italic : after.italic) out += after.italic ? "\\i" : "\\i0";
    if (before ? before->underline != after.underline : after.underline) out += after.underline ? "\\ul" : "\\ulnone";
    if (out.size() != start) out += ' ';
}

}  // namespace

std::string WriteRtf(const FormattedText& text)
{
    Tables tables = CollectTables(text);
    std::string out;
    out.reserve(64 + text.size() * 2);
    AppendHeader(out, tables);
    out += "\\pard\\plain ";
    const CharFormat* before = nullptr;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const CharFormat& format = text.FormatAt(i);
        if (!before || *before != format) AppendFormatChange(out, tables, before, format);
        before = &format;
        AppendChar(out, text.CharAt(i));
    }
    out += '}';
    return out;
}

}  // namespace lumitag
