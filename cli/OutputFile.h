#pragma once
// Output files of the command line (frames, preview pictures): the folder is
// checked before any work, and the file is written whole or not at all.

#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace lumitag::cli {

// The absolute path of `path`, after checking that its folder exists and is
// a folder; bad input otherwise.
std::filesystem::path CheckOutputPath(const std::filesystem::path& path);

// Bad input when `output` is the file `input` names: a project that is only
// read must not be replaced by what is made from it.
void CheckNotInput(const std::filesystem::path& output, const std::optional<std::string>& input);

// Writes `bytes` atomically; bad input with the desktop program's
// "Can't write to file" text when it cannot.
void WriteOutputFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace lumitag::cli
