#include "render/content/RtfReader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "render/content/CodePage.h"
#include "render/content/Utf8.h"

namespace lumitag {

namespace {

// Where the characters of a group go.
enum class Destination { Text, FontTable, ColourTable, Skip };

struct GroupState {
    Destination destination = Destination::Text;
    int font = -1;          // -1: the document's default font
    int halfPoints = 24;
    int colour = 0;         // index into the colour table; 0 is the automatic colour
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int unicodeSkip = 1;    // \ucN: fallback characters after each \uN
};

struct Font {
    std::string name;
    bool named = false;     // the name's ";" was met
    int charset = -1;
    int codePage = 0;       // \cpg, 0 when absent
};

struct ControlWord {
    std::string_view word;
    bool hasParameter = false;
    int parameter = 0;
};

// Destinations whose text is never shown; their groups are skipped whole.
constexpr std::string_view kSkippedDestinations[] = {
    "info", "stylesheet", "pict", "object", "header", "headerl", "headerr", "headerf",
    "footer", "footerl", "footerr", "footerf", "footnote", "annotation", "fldinst",
    "pntext", "pntxta", "pntxtb", "listtext", "listtable", "listoverridetable", "revtbl",
    "rsidtbl", "generator", "xmlnstbl", "themedata", "colorschememapping", "latentstyles",
    "datastore", "filetbl", "private", "bkmkstart", "bkmkend", "nonshppict", "shp",
    "upr", "atnid", "atnauthor", "txe", "xe"};

struct SpecialCharacter {
    std::string_view word;
    char32_t ch;
};
constexpr SpecialCharacter kSpecialCharacters[] = {
    {"par", FormattedText::kParagraphMark}, {"sect", FormattedText::kParagraphMark},
    {"row", FormattedText::kParagraphMark}, {"line", FormattedText::kLineBreak},
    {"tab", U'\t'}, {"cell", U'\t'}, {"emdash", U'\u2014'}, {"endash", U'\u2013'},
    {"emspace", U'\u2003'}, {"enspace", U'\u2002'}, {"qmspace", U'\u2005'},
    {"bullet", U'\u2022'}, {"lquote", U'\u2018'}, {"rquote", U'\u2019'},
    {"ldblquote", U'\u201C'}, {"rdblquote", U'\u201D'}, {"zwj", U'\u200D'}, {"zwnj", U'\u200C'},
    {"ltrmark", U'\u200E'}, {"rtlmark", U'\u200F'}};

constexpr std::string_view kUnderlineWords[] = {
    "ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth",
    "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw", "ulwave"};

template <std::size_t N>
bool Contains(const std::string_view (&words)[N], std::string_view word)
{
    return std::ranges::find(words, word) != std::end(words);
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c)
{
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class RtfParser {
public:
    explicit RtfParser(std::string_view input) : in_(input) {}

    RtfReadResult Run();

private:
    // Tokens.
    void OpenGroup();
    void CloseGroup();
    void ReadControl();
    ControlWord ReadControlWord();
    void ReadHexByte();
    void ReadRawText();

    // Control words.
    void Apply(const ControlWord& control);
    bool ApplyDocument(const ControlWord& control);
    bool ApplyTable(const ControlWord& control);
    bool ApplyCharacter(const ControlWord& control);
    void ApplyUnicode(int value);

    // Output.
    bool SkipFallback();
    void AddByte(unsigned char byte);
    void FlushBytes();
    void Emit(char32_t ch);
    void DropHighSurrogate();
    void Route(char32_t ch);
    int CodePageOfFont(int fontNumber) const;
    int CurrentCodePage() const;
    const CharFormat& CurrentFormat();
    Font* FindTableFont();
    void Stop(RtfStatus status);

    GroupState& state() { return groups_.back(); }

    std::string_view in_;
    std::size_t pos_ = 0;
    bool stopped_ = false;
    RtfStatus status_ = RtfStatus::Truncated;
    std::vector<GroupState> groups_;

    int documentCodePage_ = kCodePageWestern;
    int defaultFont_ = 0;
    std::map<int, Font> fonts_;
    int tableFont_ = -1;            // the font entry being read in the font table
    std::vector<std::uint32_t> colours_;
    std::array<int, 3> colourParts_{};
    bool colourHasParts_ = false;

    int fallbackLeft_ = 0;          // \uN fallback characters still to skip
    char32_t highSurrogate_ = 0;
    std::string pendingBytes_;
    int pendingCodePage_ = kCodePageWestern;
    CodePageDecoder decoder_;

    CharFormat format_;
    bool formatDirty_ = true;
    FormattedText out_;
};

RtfReadResult RtfParser::Run()
{
    if (in_.substr(0, 5) != "{\\rtf") return {FormattedText{}, RtfStatus::NotRtf};
    groups_.emplace_back();
    while (!stopped_ && pos_ < in_.size()) {
        const char c = in_[pos_];
        if (c == '{') {
            OpenGroup();
        } else if (c == '}') {
            CloseGroup();
        } else if (c == '\\') {
            ReadControl();
        } else if (c == '\r' || c == '\n') {
            ++pos_;
        } else {
            ReadRawText();
        }
    }
    FlushBytes();
    DropHighSurrogate();
    return {std::move(out_), stopped_ ? status_ : RtfStatus::Truncated};
}

void RtfParser::Stop(RtfStatus status)
{
    stopped_ = true;
    status_ = status;
}

void RtfParser::OpenGroup()
{
    FlushBytes();
    ++pos_;
    fallbackLeft_ = 0;
    if (groups_.size() > static_cast<std::size_t>(kRtfMaxGroupDepth)) return Stop(RtfStatus::LimitReached);
    groups_.push_back(state());
}

void RtfParser::CloseGroup()
{
    FlushBytes();
    ++pos_;
    fallbackLeft_ = 0;
    formatDirty_ = true;
    groups_.pop_back();
    if (groups_.size() == 1) Stop(RtfStatus::Complete);
}

void RtfParser::ReadControl()
{
    if (pos_ + 1 >= in_.size()) {  // a lone backslash at the end
        pos_ = in_.size();
        return;
    }
    const char next = in_[pos_ + 1];
    if (IsLetter(next)) {
        ++pos_;
        const ControlWord control = ReadControlWord();
        FlushBytes();
        if (SkipFallback()) return;
        Apply(control);
        return;
    }
    if (next == '\'') return ReadHexByte();
    pos_ += 2;
    FlushBytes();
    if (next == '*') {
        // An ignorable destination: skipped unless it is the Unicode half of
        // \upr, the one starred destination with text we read.
        const std::string_view rest = in_.substr(pos_);
        const bool unicodePart = rest.substr(0, 3) == "\\ud" && (rest.size() == 3 || !IsLetter(rest[3]));
        if (!unicodePart) state().destination = Destination::Skip;
        return;
    }
    if (SkipFallback()) return;
    switch (next) {
    case '\\': case '{': case '}': Emit(static_cast<unsigned char>(next)); break;
    case '~': Emit(U'\u00A0'); break;
    case '_': Emit(U'\u2011'); break;
    case '\r': case '\n': Emit(FormattedText::kParagraphMark); break;
    default: break;  // \- optional hyphen, \| and \: index marks, and unknown symbols
    }
}

ControlWord RtfParser::ReadControlWord()
{
    ControlWord control;
    const std::size_t start = pos_;
    while (pos_ < in_.size() && IsLetter(in_[pos_])) ++pos_;
    control.word = in_.substr(start, pos_ - start);
    const bool negative = pos_ + 1 < in_.size() && in_[pos_] == '-' && IsDigit(in_[pos_ + 1]);
    if (negative) ++pos_;
    std::int64_t value = 0;
    while (pos_ < in_.size() && IsDigit(in_[pos_])) {
        control.hasParameter = true;
        value = std::min<std::int64_t>(value * 10 + (in_[pos_] - '0'), INT32_MAX);  // huge numbers saturate
        ++pos_;
    }
    control.parameter = static_cast<int>(negative ? -value : value);
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiting space belongs to the word
    return control;
}

void RtfParser::ReadHexByte()
{
    pos_ += 2;
    if (pos_ + 2 > in_.size()) {
        pos_ = in_.size();
        return;
    }
    const int high = HexValue(in_[pos_]);
    const int low = HexValue(in_[pos_ + 1]);
    if (high < 0 || low < 0) return;  // not an escape: the characters are read as text
    pos_ += 2;
    if (fallbackLeft_ > 0) {
        --fallbackLeft_;
        return;
    }
    AddByte(static_cast<unsigned char>(high * 16 + low));
}

void RtfParser::ReadRawText()
{
    char32_t ch = 0;
    std::size_t next = pos_;
    const bool wide = static_cast<unsigned char>(in_[pos_]) >= 0x80 && utf8::DecodeAt(in_, next, ch);
    if (!wide) next = pos_ + 1;
    const auto byte = static_cast<unsigned char>(in_[pos_]);
    pos_ = next;
    if (fallbackLeft_ > 0) {
        --fallbackLeft_;
        return;
    }
    if (wide) {
        // Text stored as a wide string arrives as UTF-8.
        FlushBytes();
        Emit(ch);
    } else if (byte >= 0x80) {
        AddByte(byte);  // raw 8-bit text in the document's code page
    } else {
        FlushBytes();
        if (byte >= 0x20 || byte == '\t') Emit(byte);
    }
}

bool RtfParser::SkipFallback()
{
    if (fallbackLeft_ == 0) return false;
    --fallbackLeft_;
    return true;
}

void RtfParser::Apply(const ControlWord& control)
{
    formatDirty_ = true;
    if (ApplyDocument(control) || ApplyTable(control) || ApplyCharacter(control)) return;
    for (const SpecialCharacter& special : kSpecialCharacters)
        if (control.word == special.word) return Emit(special.ch);
    if (Contains(kSkippedDestinations, control.word)) state().destination = Destination::Skip;
    // Every other control word changes nothing we keep.
}

bool RtfParser::ApplyDocument(const ControlWord& control)
{
    const std::string_view word = control.word;
    if (word == "ansi") {
        documentCodePage_ = kCodePageWestern;
    } else if (word == "mac") {
        documentCodePage_ = 10000;
    } else if (word == "pc") {
        documentCodePage_ = 437;
    } else if (word == "pca") {
        documentCodePage_ = 850;
    } else if (word == "ansicpg") {
        if (control.parameter > 0) documentCodePage_ = control.parameter;
    } else if (word == "deff") {
        defaultFont_ = control.parameter;
    } else if (word == "ud") {
        state().destination = Destination::Text;
    } else if (word == "bin") {
        // Binary data is skipped; its length cannot reach past the input.
        const auto length = static_cast<std::size_t>(std::max(control.parameter, 0));
        pos_ += std::min(length, in_.size() - pos_);
    } else {
        return false;
    }
    return true;
}

bool RtfParser::ApplyTable(const ControlWord& control)
{
    const std::string_view word = control.word;
    if (word == "fonttbl") {
        state().destination = Destination::FontTable;
        tableFont_ = -1;
    } else if (word == "colortbl") {
        state().destination = Destination::ColourTable;
        colourHasParts_ = false;
    } else if (word == "f" && state().destination == Destination::FontTable) {
        if (!fonts_.contains(control.parameter) && fonts_.size() >= static_cast<std::size_t>(kRtfMaxTableEntries)) {
            Stop(RtfStatus::LimitReached);
        } else {
            tableFont_ = control.parameter;
            fonts_[tableFont_] = Font{};
        }
    } else if (word == "fcharset" || word == "cpg") {
        if (Font* font = FindTableFont()) (word == "cpg" ? font->codePage : font->charset) = control.parameter;
    } else if (word == "red" || word == "green" || word == "blue") {
        const int part = word == "red" ? 0 : word == "green" ? 1 : 2;
        colourParts_[part] = std::clamp(control.parameter, 0, 255);
        colourHasParts_ = true;
    } else {
        return false;
    }
    return true;
}

bool RtfParser::ApplyCharacter(const ControlWord& control)
{
    GroupState& group = state();
    const std::string_view word = control.word;
    const bool on = !control.hasParameter || control.parameter != 0;
    if (word == "f") {
        group.font = control.parameter;
    } else if (word == "fs") {
        group.halfPoints = control.hasParameter ? std::clamp(control.parameter, 1, 32767) : 24;
    } else if (word == "cf") {
        group.colour = control.parameter;
    } else if (word == "b") {
        group.bold = on;
    } else if (word == "i") {
        group.italic = on;
    } else if (Contains(kUnderlineWords, word)) {
        group.underline = on;
    } else if (word == "ulnone") {
        group.underline = false;
    } else if (word == "plain") {
        group.font = -1;
        group.halfPoints = 24;
        group.colour = 0;
        group.bold = group.italic = group.underline = false;
    } else if (word == "u") {
        if (control.hasParameter) ApplyUnicode(control.parameter);
    } else if (word == "uc") {
        group.unicodeSkip = std::clamp(control.parameter, 0, 255);
    } else {
        return false;
    }
    return true;
}

void RtfParser::ApplyUnicode(int value)
{
    // Parameters are signed 16-bit: code units above 32767 come negative.
    const auto unit = static_cast<char32_t>(static_cast<std::uint16_t>(value));
    if (unit >= 0xDC00 && unit <= 0xDFFF && highSurrogate_) {
        const char32_t ch = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00);
        highSurrogate_ = 0;
        Emit(ch);
    } else if (unit >= 0xD800 && unit <= 0xDBFF) {
        DropHighSurrogate();
        highSurrogate_ = unit;
    } else {
        Emit(unit >= 0xDC00 && unit <= 0xDFFF ? utf8::kReplacement : unit);
    }
    fallbackLeft_ = state().unicodeSkip;
}

void RtfParser::AddByte(unsigned char byte)
{
    const int codePage = CurrentCodePage();
    if (!pendingBytes_.empty() && codePage != pendingCodePage_) FlushBytes();
    pendingCodePage_ = codePage;
    pendingBytes_ += static_cast<char>(byte);
}

void RtfParser::FlushBytes()
{
    if (pendingBytes_.empty()) return;
    // Take the bytes first: Emit must not see them pending.
    const std::string bytes = std::move(pendingBytes_);
    pendingBytes_.clear();
    for (char32_t ch : decoder_.Decode(pendingCodePage_, bytes)) Emit(ch);
}

void RtfParser::Emit(char32_t ch)
{
    DropHighSurrogate();
    Route(ch);
}

// A high surrogate not followed by its low half stands for nothing readable.
void RtfParser::DropHighSurrogate()
{
    if (!highSurrogate_) return;
    highSurrogate_ = 0;
    Route(utf8::kReplacement);
}

void RtfParser::Route(char32_t ch)
{
    switch (state().destination) {
    case Destination::Text: out_.Append(ch, CurrentFormat()); break;
    case Destination::FontTable:
        if (Font* font = FindTableFont(); font && !font->named) {
            if (ch == U';')
                font->named = true;
            else if (font->name.size() < kRtfMaxFaceBytes)
                utf8::Append(font->name, ch);
        }
        break;
    case Destination::ColourTable:
        if (ch != U';') break;
        if (colours_.size() >= static_cast<std::size_t>(kRtfMaxTableEntries)) return Stop(RtfStatus::LimitReached);
        // An entry without parts is the automatic colour, read as black.
        colours_.push_back(colourHasParts_ ? static_cast<std::uint32_t>(colourParts_[0] | colourParts_[1] << 8 |
                                                                         colourParts_[2] << 16)
                                           : 0u);
        colourParts_ = {};
        colourHasParts_ = false;
        break;
    case Destination::Skip: break;
    }
}

Font* RtfParser::FindTableFont()
{
    auto it = fonts_.find(tableFont_);
    return tableFont_ >= 0 && it != fonts_.end() ? &it->second : nullptr;
}

int RtfParser::CodePageOfFont(int fontNumber) const
{
    auto it = fonts_.find(fontNumber);
    if (it == fonts_.end()) return documentCodePage_;
    if (it->second.codePage > 0) return it->second.codePage;
    return CodePageOfCharset(it->second.charset, documentCodePage_);
}

int RtfParser::CurrentCodePage() const
{
    const GroupState& group = groups_.back();
    if (group.destination == Destination::FontTable) return CodePageOfFont(tableFont_);
    return CodePageOfFont(group.font < 0 ? defaultFont_ : group.font);
}

const CharFormat& RtfParser::CurrentFormat()
{
    if (!formatDirty_) return format_;
    const GroupState& group = state();
    auto font = fonts_.find(group.font < 0 ? defaultFont_ : group.font);
    format_.face = font == fonts_.end() ? std::string{} : font->second.name;
    const std::size_t first = format_.face.find_first_not_of(' ');
    format_.face.erase(0, first == std::string::npos ? format_.face.size() : first);
    format_.face.erase(format_.face.find_last_not_of(' ') + 1);
    format_.twips = group.halfPoints * 10;
    format_.colour = group.colour >= 0 && static_cast<std::size_t>(group.colour) < colours_.size()
                         ? colours_[group.colour]
                         : 0u;
    format_.bold = group.bold;
    format_.italic = group.italic;
    format_.underline = group.underline;
    formatDirty_ = false;
    return format_;
}

}  // namespace

RtfReadResult ReadRtf(std::string_view rtf)
{
    return RtfParser(rtf).Run();
}

}  // namespace lumitag
