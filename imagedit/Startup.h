#pragma once
// What imagedit needs before its window opens: its command line and the
// program folder it serves. It is installed in the program folder's "Tools"
// subfolder, from where the main window's "Bmp editor" button starts it.

#include "model/ProgramFolder.h"
#include "render/SignPictureImport.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lumitag::imagedit {

struct CommandLine {
    bool help = false;
    std::optional<std::filesystem::path> home;  // --home DIR
    std::optional<std::string> file;            // a picture to open
    std::string error;                          // set when the line is wrong
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);
std::string UsageText();

// The folder the main program's executable sits in, for imagedit in
// `imageditFolder`: the parent of a "Tools" folder (any letter case; the
// build tree and a copied program folder), PREFIX/bin for an installed
// PREFIX/libexec/lumitag, else the folder itself.
std::filesystem::path MainExecutableFolderOf(const std::filesystem::path& imageditFolder);

// The folders the main program uses (the settings are read from their
// program folder): --home when given, else as the main program finds them.
ProgramFolders FoldersOf(const std::filesystem::path& imageditFolder, const std::filesystem::path& home,
                         const UserEnvironment& environment);

// The current model's picture format from "WorkData/System.set" in
// `programFolder` (12 rows, one colour when there is no model).
SignPictureFormat FormatFromSettings(const std::filesystem::path& programFolder);
// The stored interface language (0 when none is stored).
int LanguageFromSettings(const std::filesystem::path& programFolder);

}  // namespace lumitag::imagedit
