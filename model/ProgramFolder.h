#pragma once
// The program folder: where WorkData/, Image/ and "Debug.Log" are written.
// Beside it the data folder, where the shipped Data/ is read, and the tools
// folder that holds the picture editor.
//
// A build tree, or any folder with Data/ beside the executable, is one
// program folder for everything, and so is --home DIR. An installed program
// (executable in PREFIX/bin, Data/ in PREFIX/share/lumitag) cannot write
// beside itself: it reads from the installed folders and writes into the
// user's data folder, $XDG_DATA_HOME/lumitag (~/.local/share/lumitag).

#include <filesystem>
#include <string>

namespace lumitag {

struct ProgramFolders {
    std::filesystem::path program;  // written: WorkData/, Image/, Debug.Log
    std::filesystem::path data;     // read: Data/
    std::filesystem::path tools;    // the picture editor
};

// What the process environment says about the user's folders.
struct UserEnvironment {
    std::string xdgDataHome;  // $XDG_DATA_HOME, may be empty
    std::string home;         // $HOME, may be empty
    static UserEnvironment FromProcess();
};

// The folders for an executable in `executableFolder`; `home` is --home DIR
// (empty when not given).
ProgramFolders LocateFolders(const std::filesystem::path& executableFolder, const std::filesystem::path& home,
                             const UserEnvironment& environment);

// The folder of the running executable (from /proc/self/exe).
std::filesystem::path ExecutableFolder();

// The current folders; the executable's folder for all three (tools in its
// Tools/) until UseFolders or SetProgramFolder.
const std::filesystem::path& ProgramFolder();
const std::filesystem::path& DataFolder();
const std::filesystem::path& ToolsFolder();
void UseFolders(ProgramFolders folders);
// One folder for everything, as --home and the tests use it.
void SetProgramFolder(std::filesystem::path folder);

}  // namespace lumitag
