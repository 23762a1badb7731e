#pragma once
// The Data folder is named without regard to letter case ("Data/Ascii" and
// "Data/ASCII" are one folder), while this platform's file names are case
// sensitive. ResolveIgnoringCase finds the file that a name means.

#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace lumitag {

// The existing path whose components equal those of `path` ignoring ASCII
// letter case, preferring an exact match at every step; nullopt when there is
// none, and for names longer than 4096 bytes, which no file system opens.
std::optional<std::filesystem::path> ResolveIgnoringCase(const std::filesystem::path& path);

// The files of a folder by name ignoring case, read once: for loading many
// files of one folder without searching for each.
class FolderIndex {
public:
    explicit FolderIndex(const std::filesystem::path& folder);
    std::optional<std::filesystem::path> Find(const std::string& fileName) const;

private:
    std::map<std::string, std::filesystem::path> exact_;
    std::map<std::string, std::filesystem::path> folded_;  // lower-case name -> path
};

}  // namespace lumitag
