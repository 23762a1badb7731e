#pragma once
// The program folder: where Data/ is read and WorkData/, Image/ are written.
// By default the folder of the running executable; the CLI's --home and the
// tests point it elsewhere.

#include <filesystem>

namespace lumitag {

// The folder of the running executable (from /proc/self/exe).
std::filesystem::path ExecutableFolder();

// The current program folder; ExecutableFolder() until SetProgramFolder.
const std::filesystem::path& ProgramFolder();
void SetProgramFolder(std::filesystem::path folder);

}  // namespace lumitag
