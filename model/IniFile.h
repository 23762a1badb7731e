#pragma once
// The program's own store for small "[section]" / "key=value" text files:
// project and work files, the settings file and the ID list. The whole file
// is held in memory; Load merges the file into memory, Save rewrites the
// whole file (UTF-16LE with the mark FF FE, CR LF line ends).
//
// All strings are UTF-8. Lookups are exact and case-sensitive. Nothing ever
// removes a section or a key.

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/FileAccess.h"

namespace lumitag {

class Reporter;

class CIniFile {
public:
    // One section: its entries in order of first appearance.
    struct key {
        std::vector<std::string> entryNames;
        std::vector<std::string> entryValues;
    };

    CIniFile() = default;
    explicit CIniFile(std::filesystem::path path) : path_(std::move(path)) {}
    virtual ~CIniFile() = default;
    CIniFile(const CIniFile&) = default;
    CIniFile& operator=(const CIniFile&) = default;
    CIniFile(CIniFile&&) = default;
    CIniFile& operator=(CIniFile&&) = default;

    // Binds the object to a file; the content in memory stays.
    void SetPath(std::filesystem::path path) { path_ = std::move(path); }
    const std::filesystem::path& Path() const { return path_; }

    // Where "Open failed" and "Close failed" are shown; without one they are
    // only logged. The reporter must outlive the object.
    void SetReporter(Reporter* reporter) { reporter_ = reporter; }

    // Reads the bound file and merges it into memory: same-named keys take the
    // file's value, everything else in memory stays. False when the file
    // cannot be read (missing, not a regular file, over 16 MiB, read error);
    // memory is then unchanged and LoadResult() says why. An empty file is fine.
    bool Load();
    const FileResult& LoadResult() const { return loadResult_; }

    // Parses decoded text (the part of Load after reading and decoding).
    void MergeText(std::string_view text);

    // Writes the whole content atomically. On failure the old file stays
    // whole, "Open failed" (or "Close failed" when flushing the data failed)
    // is reported with caption "Error", and false is returned.
    bool Save();
    // The exact bytes Save writes.
    std::vector<std::uint8_t> Serialize() const;

    int FindSection(std::string_view section) const;
    int FindEntry(int sectionIndex, std::string_view name) const;

    // The value, or "" with lastError set when the section or key is missing.
    std::string GetString(std::string_view section, std::string_view name);
    // GetString read as a decimal number truncated toward zero: "12abc" is 12,
    // "3.9" is 3, "-2.5" is -2, "" or "abc" is 0. Clamped to the int range.
    int GetInt(std::string_view section, std::string_view name);

    // Sets a value. Without `create`, a missing section or key gives false.
    bool PutString(std::string_view section, std::string_view name, std::string_view value, bool create = true);
    bool PutInt(std::string_view section, std::string_view name, int value, bool create = true);

    const std::string& lastError() const { return lastError_; }

    // Read access in file order, for stores that walk every section or entry.
    int SectionCount() const { return static_cast<int>(sectionNames_.size()); }
    const std::string& SectionName(int index) const { return sectionNames_.at(static_cast<std::size_t>(index)); }
    const key& Section(int index) const { return sections_.at(static_cast<std::size_t>(index)); }

private:
    // Indexes by name keep a hostile file of millions of keys from turning
    // every read into quadratic work; the first of equal names wins.
    using NameIndex = std::unordered_map<std::string, int>;

    int AddSection(std::string_view section);
    int AddEntry(int sectionIndex, std::string_view name);
    void ReportFailure(const FileResult& result) const;

    std::filesystem::path path_;
    std::vector<key> sections_;
    std::vector<std::string> sectionNames_;
    NameIndex sectionIndex_;
    std::vector<NameIndex> entryIndex_;
    std::string lastError_;
    FileResult loadResult_;
    Reporter* reporter_ = nullptr;
};

// Reads a decimal number the way GetInt does.
int ParseIniInt(std::string_view text);

// Decodes file bytes by their byte-order mark: FF FE UTF-16LE, FE FF
// UTF-16BE, EF BB BF UTF-8, else the system code page.
std::string DecodeIniBytes(std::span<const std::uint8_t> bytes);

}  // namespace lumitag
