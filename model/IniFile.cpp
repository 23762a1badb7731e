#include "model/IniFile.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <limits>

#include "model/Log.h"
#include "model/Reporter.h"
#include "model/TextEncoding.h"

namespace lumitag {
namespace {

constexpr std::string_view kCrLf = "\r\n";

// Length of the UTF-8 sequence that starts `text`, at least 1.
std::size_t FirstCharacterLength(std::string_view text)
{
    if (text.empty()) return 0;
    std::size_t n = 1;
    while (n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80 && n < 4) ++n;
    return n;
}

void ParseLine(CIniFile& ini, std::string& section, std::string_view line)
{
    if (!line.empty() && line.front() == '[' && line.back() == ']') {
        // "[[A]]" names section A; a header alone creates nothing.
        const auto first = line.find_first_not_of('[');
        std::string_view name = first == std::string_view::npos ? std::string_view{} : line.substr(first);
        const auto last = name.find_last_not_of(']');
        name = last == std::string_view::npos ? std::string_view{} : name.substr(0, last + 1);
        section.assign(name);
        return;
    }
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) {
        // No "=": the key is empty and the value drops the first character.
        ini.PutString(section, "", line.substr(FirstCharacterLength(line)), true);
    } else {
        ini.PutString(section, line.substr(0, equals), line.substr(equals + 1), true);
    }
}

}  // namespace

std::string DecodeIniBytes(std::span<const std::uint8_t> bytes)
{
    const auto starts = [&](std::initializer_list<std::uint8_t> mark) {
        return bytes.size() >= mark.size() && std::equal(mark.begin(), mark.end(), bytes.begin());
    };
    const auto asText = [](std::span<const std::uint8_t> b) {
        return std::string_view(reinterpret_cast<const char*>(b.data()), b.size());
    };
    if (starts({0xFF, 0xFE})) return Utf16ToUtf8(Utf16FromBytes(bytes.subspan(2), false));
    if (starts({0xFE, 0xFF})) return Utf16ToUtf8(Utf16FromBytes(bytes.subspan(2), true));
    if (starts({0xEF, 0xBB, 0xBF})) return SanitizeUtf8(asText(bytes.subspan(3)));
    return SystemCodePageToUtf8(asText(bytes));
}

int ParseIniInt(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Only digits, a point and an exponent: no "inf", "nan" or hex forms.
    if (i >= text.size() || !((text[i] >= '0' && text[i] <= '9') || text[i] == '.')) return 0;

    double value = 0;
    const char* begin = text.data() + i;
    const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value, std::chars_format::general);
    if (end == begin) return 0;
    if (error == std::errc::result_out_of_range) {
        // Huge exponents overflow to the clamp below; tiny ones are 0.
        const auto e = std::string_view(begin, static_cast<std::size_t>(end - begin)).find_first_of("eE");
        value = (e != std::string_view::npos && begin[e + 1] == '-') ? 0.0 : std::numeric_limits<double>::infinity();
    }
    value = std::trunc(negative ? -value : value);
    if (value >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (value <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

bool CIniFile::Load()
{
    std::vector<std::uint8_t> bytes;
    loadResult_ = ReadFileBytes(path_, bytes);
    if (!loadResult_) {
        if (loadResult_.error != ENOENT)  // a missing file is the ordinary first start
            Log(LogLevel::Warning, "Not reading " + path_.string() + ": it " + Describe(loadResult_));
        return false;
    }
    MergeText(DecodeIniBytes(bytes));
    return true;
}

void CIniFile::MergeText(std::string_view text)
{
    std::string section;
    std::size_t start = 0;
    // Only lines followed by CR LF count; the text after the last one is ignored.
    for (auto end = text.find(kCrLf); end != std::string_view::npos; end = text.find(kCrLf, start)) {
        ParseLine(*this, section, text.substr(start, end - start));
        start = end + kCrLf.size();
    }
}

std::vector<std::uint8_t> CIniFile::Serialize() const
{
    std::string text;
    for (std::size_t s = 0; s < sections_.size(); ++s) {
        const key& entries = sections_[s];
        if (entries.entryNames.empty()) continue;
        text += '[';
        text += sectionNames_[s];
        text += "]\r\n";
        for (std::size_t e = 0; e < entries.entryNames.size(); ++e) {
            if (entries.entryNames[e].empty()) continue;
            text += entries.entryNames[e];
            text += '=';
            text += entries.entryValues[e];
            text += kCrLf;
        }
    }
    std::vector<std::uint8_t> bytes{0xFF, 0xFE};
    const auto body = Utf16LeBytes(text);
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}

bool CIniFile::Save()
{
    const FileResult result = WriteFileAtomically(path_, Serialize());
    if (!result) ReportFailure(result);
    return static_cast<bool>(result);
}

void CIniFile::ReportFailure(const FileResult& result) const
{
    Log(LogLevel::Error, "Saving " + path_.string() + " failed: the file " + Describe(result));
    const std::string text = result.status == FileStatus::CloseFailed ? "Close failed" : "Open failed";
    if (reporter_) reporter_->Message(MessageKind::Error, text);
}

int CIniFile::FindSection(std::string_view section) const
{
    const auto it = sectionIndex_.find(std::string(section));
    return it == sectionIndex_.end() ? -1 : it->second;
}

int CIniFile::FindEntry(int sectionIndex, std::string_view name) const
{
    if (sectionIndex < 0 || sectionIndex >= SectionCount()) return -1;
    const NameIndex& index = entryIndex_[static_cast<std::size_t>(sectionIndex)];
    const auto it = index.find(std::string(name));
    return it == index.end() ? -1 : it->second;
}

std::string CIniFile::GetString(std::string_view section, std::string_view name)
{
    const int s = FindSection(section);
    if (s < 0) {
        lastError_ = "Unable to locate specified key.";
        return {};
    }
    const int e = FindEntry(s, name);
    if (e < 0) {
        lastError_ = "Unable to locate specified value.";
        return {};
    }
    return sections_[static_cast<std::size_t>(s)].entryValues[static_cast<std::size_t>(e)];
}

int CIniFile::GetInt(std::string_view section, std::string_view name)
{
    return ParseIniInt(GetString(section, name));
}

bool CIniFile::PutString(std::string_view section, std::string_view name, std::string_view value, bool create)
{
    int s = FindSection(section);
    if (s < 0) {
        if (!create) return false;
        s = AddSection(section);
    }
    int e = FindEntry(s, name);
    if (e < 0) {
        if (!create) return false;
        e = AddEntry(s, name);
    }
    sections_[static_cast<std::size_t>(s)].entryValues[static_cast<std::size_t>(e)].assign(value);
    return true;
}

bool CIniFile::PutInt(std::string_view section, std::string_view name, int value, bool create)
{
    return PutString(section, name, std::to_string(value), create);
}

int CIniFile::AddSection(std::string_view section)
{
    const int index = SectionCount();
    sections_.emplace_back();
    sectionNames_.emplace_back(section);
    entryIndex_.emplace_back();
    sectionIndex_.emplace(std::string(section), index);
    return index;
}

int CIniFile::AddEntry(int sectionIndex, std::string_view name)
{
    key& entries = sections_[static_cast<std::size_t>(sectionIndex)];
    const int index = static_cast<int>(entries.entryNames.size());
    entries.entryNames.emplace_back(name);
    entries.entryValues.emplace_back();
    entryIndex_[static_cast<std::size_t>(sectionIndex)].emplace(std::string(name), index);
    return index;
}

}  // namespace lumitag
