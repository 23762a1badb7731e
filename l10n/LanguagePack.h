#pragma once
// One language pack: INI text read the way the Windows profile reader reads
// it, which is what the packs were written for.
//   - "[Section]" headers and "key=value" lines; CR LF or LF line ends; an
//     optional UTF-8 byte order mark; lines starting with ';' are comments.
//   - Section and key names match without regard to ASCII case.
//   - Names and values are trimmed of surrounding blanks; a value enclosed in
//     a pair of matching quotes loses them, which is how a pack keeps a
//     trailing space ("ID modify ").
//   - When a key appears twice in a section the first one counts.
//   - A value is cut to the 999 UTF-16 units that fit a 1000-unit buffer.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lumitag {

class LanguagePack {
public:
    struct Entry {
        std::string section;
        std::string key;
        std::string value;
        int line;  // 1-based, for diagnostics
    };

    // The longest value a lookup returns, in UTF-16 units.
    static constexpr std::size_t kMaxValueUnits = 999;

    LanguagePack() = default;

    // Parsing never fails; lines it cannot use are listed by Problems().
    static LanguagePack Parse(std::string_view text);

    // The value of `key` in `section`, or nothing when the key is absent.
    std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

    // The profile reader's answer: the value, or `fallback` when absent.
    std::string Read(std::string_view section, std::string_view key,
                     std::string_view fallback) const;

    // Every entry in file order, duplicates included.
    const std::vector<Entry>& Entries() const { return entries_; }

    // Lines that are neither blank, comment, section header nor key=value,
    // entries outside any section, and repeated keys. Empty for a sound pack.
    const std::vector<std::string>& Problems() const { return problems_; }

private:
    std::vector<Entry> entries_;
    // Lower-case "section\nkey" to the first entry with that name.
    std::unordered_map<std::string, std::size_t> index_;
    std::vector<std::string> problems_;
};

// Compares two names as the profile reader does: ASCII letters without case.
bool SameName(std::string_view a, std::string_view b);

// `value` cut to at most `maxUnits` UTF-16 units, never inside a character.
std::string_view CutToUtf16Units(std::string_view value, std::size_t maxUnits);

}  // namespace lumitag
