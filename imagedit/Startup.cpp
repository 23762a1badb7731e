#include "imagedit/Startup.h"

#include "model/SettingsStore.h"

#include <algorithm>
#include <cctype>

namespace lumitag::imagedit {
namespace {

std::filesystem::path SettingsPathIn(const std::filesystem::path& programFolder)
{
    return programFolder / "WorkData" / "System.set";
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            line.help = true;
        } else if (argument == "--home") {
            if (i + 1 >= arguments.size()) {
                line.error = "--home needs a folder";
                return line;
            }
            line.home = arguments[++i];
        } else if (argument.size() > 1 && argument[0] == '-' && argument != "--") {
            line.error = "unknown option " + argument;
            return line;
        } else {
            if (argument == "--" && i + 1 < arguments.size()) ++i;
            if (line.file) {
                line.error = "only one picture can be opened";
                return line;
            }
            line.file = arguments[i];
        }
    }
    return line;
}

std::string UsageText()
{
    return "Usage: imagedit [--home DIR] [PICTURE]\n"
           "\n"
           "Draws pictures for the image slots of a Lumitag sign, one pixel per LED, at\n"
           "the sign's rows and in its colours. PICTURE (BMP, PNG, JPEG, GIF and other\n"
           "formats) is opened; one the sign cannot show as it is goes through the import,\n"
           "which fits it to 7, 12 or 16 rows and reduces it to the sign's colours.\n"
           "Pictures are saved as 32-bit BMP files for the image editor's Add, or as PNG.\n"
           "\n"
           "Options:\n"
           "  --home DIR   the program folder whose WorkData/System.set names the current\n"
           "               model (default: the main program's: the folder above Tools/\n"
           "               in a build tree, ~/.local/share/lumitag when installed)\n"
           "  -h, --help   show this help\n";
}

std::filesystem::path MainExecutableFolderOf(const std::filesystem::path& imageditFolder)
{
    const std::filesystem::path folder = imageditFolder.has_filename() ? imageditFolder : imageditFolder.parent_path();
    std::string name = folder.filename().string();
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    if (name == "tools") return folder.parent_path();
    if (name == "lumitag" && folder.parent_path().filename() == "libexec")
        return folder.parent_path().parent_path() / "bin";
    return folder;
}

ProgramFolders FoldersOf(const std::filesystem::path& imageditFolder, const std::filesystem::path& home,
                         const UserEnvironment& environment)
{
    return LocateFolders(MainExecutableFolderOf(imageditFolder), home, environment);
}

SignPictureFormat FormatFromSettings(const std::filesystem::path& programFolder)
{
    SettingsStore settings(SettingsPathIn(programFolder));
    return PictureFormatOfModel(settings.GetLedType());
}

int LanguageFromSettings(const std::filesystem::path& programFolder)
{
    SettingsStore settings(SettingsPathIn(programFolder));
    return settings.GetLanguage();
}

}  // namespace lumitag::imagedit
