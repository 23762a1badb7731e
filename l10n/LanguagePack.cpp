#include "l10n/LanguagePack.h"

#include <algorithm>
#include <cctype>

namespace lumitag {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view s)
{
    const auto first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

std::string_view Unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Length in bytes of the UTF-8 sequence starting with `lead`; 1 for a stray byte.
std::size_t SequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2) return 2;
    return 1;
}

// The index key of a section and key name: lower case, joined by a line
// break, which neither name can contain.
std::string IndexKey(std::string_view section, std::string_view key)
{
    std::string joined;
    joined.reserve(section.size() + key.size() + 1);
    for (char c : section) joined += LowerAscii(c);
    joined += '\n';
    for (char c : key) joined += LowerAscii(c);
    return joined;
}

}  // namespace

bool SameName(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::string_view CutToUtf16Units(std::string_view value, std::size_t maxUnits)
{
    std::size_t pos = 0;
    std::size_t units = 0;
    while (pos < value.size()) {
        const std::size_t length = SequenceLength(static_cast<unsigned char>(value[pos]));
        const std::size_t charUnits = length == 4 ? 2 : 1;  // beyond the BMP: a surrogate pair
        if (units + charUnits > maxUnits || pos + length > value.size()) break;
        units += charUnits;
        pos += length;
    }
    return value.substr(0, pos);
}

LanguagePack LanguagePack::Parse(std::string_view text)
{
    LanguagePack pack;
    if (text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());

    std::string section;
    bool inSection = false;
    int lineNumber = 0;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        if (line.ends_with('\r')) line.remove_suffix(1);
        line = Trim(line);
        if (line.empty() || line.front() == ';') continue;

        const auto where = "line " + std::to_string(lineNumber) + ": ";
        if (line.front() == '[') {
            const auto close = line.find(']');
            if (close == std::string_view::npos) {
                pack.problems_.push_back(where + "unclosed section header");
                continue;
            }
            section = std::string(Trim(line.substr(1, close - 1)));
            inSection = true;
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string_view::npos || Trim(line.substr(0, equals)).empty()) {
            pack.problems_.push_back(where + "not a key=value line");
            continue;
        }
        if (!inSection) {
            pack.problems_.push_back(where + "entry before any section");
            continue;
        }
        const std::string_view key = Trim(line.substr(0, equals));
        if (!pack.index_.try_emplace(IndexKey(section, key), pack.entries_.size()).second)
            pack.problems_.push_back(where + "repeated key " + std::string(key));
        pack.entries_.push_back({section, std::string(key),
                                 std::string(Unquote(Trim(line.substr(equals + 1)))), lineNumber});
    }
    return pack;
}

std::optional<std::string_view> LanguagePack::Find(std::string_view section,
                                                   std::string_view key) const
{
    const auto it = index_.find(IndexKey(section, key));
    if (it == index_.end()) return std::nullopt;
    return entries_[it->second].value;
}

std::string LanguagePack::Read(std::string_view section, std::string_view key,
                               std::string_view fallback) const
{
    const auto value = Find(section, key);
    return std::string(CutToUtf16Units(value ? *value : fallback, kMaxValueUnits));
}

}  // namespace lumitag
