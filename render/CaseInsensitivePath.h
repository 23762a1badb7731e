#pragma once
// The Data folder is named without regard to letter case ("Data/Ascii" and
// "Data/ASCII" are one folder), while this platform's file names are case
// sensitive. ResolveIgnoringCase finds the file that a name means.

#include <filesystem>
#include <optional>

namespace lumitag {

// The existing path whose components equal those of `path` ignoring ASCII
// letter case, preferring an exact match at every step; nullopt when there is
// none.
std::optional<std::filesystem::path> ResolveIgnoringCase(const std::filesystem::path& path);

}  // namespace lumitag
