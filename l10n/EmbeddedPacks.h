#pragma once
// The language packs compiled into the program: the bytes of each
// resources/lang/<name>.ini file, named by the file's stem ("en", "zh-Hant").

#include <optional>
#include <span>
#include <string_view>

namespace lumitag {

struct EmbeddedPack {
    std::string_view name;  // file stem
    std::string_view text;  // UTF-8 file contents
};

// Every embedded pack, sorted by name.
std::span<const EmbeddedPack> EmbeddedPacks();

// The text of the pack named `name`, or nothing when no such pack was built in.
std::optional<std::string_view> FindEmbeddedPack(std::string_view name);

}  // namespace lumitag
