#include "model/ProgramFolder.h"

#include <cstdlib>
#include <system_error>

namespace lumitag {
namespace {

ProgramFolders OneFolder(const std::filesystem::path& folder)
{
    return {folder, folder, folder / "Tools"};
}

ProgramFolders& Current()
{
    static ProgramFolders folders = OneFolder(ExecutableFolder());
    return folders;
}

bool HasData(const std::filesystem::path& folder)
{
    std::error_code ec;
    return std::filesystem::is_directory(folder / "Data", ec);
}

std::filesystem::path UserDataFolder(const UserEnvironment& environment)
{
    // The XDG base directory rules: a relative $XDG_DATA_HOME is ignored.
    if (!environment.xdgDataHome.empty() && environment.xdgDataHome.front() == '/')
        return std::filesystem::path(environment.xdgDataHome) / "lumitag";
    if (!environment.home.empty()) return std::filesystem::path(environment.home) / ".local" / "share" / "lumitag";
    return {};
}

}  // namespace

UserEnvironment UserEnvironment::FromProcess()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    return {xdg ? xdg : "", home ? home : ""};
}

ProgramFolders LocateFolders(const std::filesystem::path& executableFolder, const std::filesystem::path& home,
                             const UserEnvironment& environment)
{
    if (!home.empty()) return OneFolder(home);
    if (HasData(executableFolder)) return OneFolder(executableFolder);
    const std::filesystem::path prefix = executableFolder.parent_path();
    const std::filesystem::path installedData = prefix / "share" / "lumitag";
    const std::filesystem::path user = UserDataFolder(environment);
    if (!HasData(installedData) || user.empty()) return OneFolder(executableFolder);
    return {user, installedData, prefix / "libexec" / "lumitag"};
}

std::filesystem::path ExecutableFolder()
{
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::filesystem::current_path(ec);
    return exe.parent_path();
}

const std::filesystem::path& ProgramFolder() { return Current().program; }
const std::filesystem::path& DataFolder() { return Current().data; }
const std::filesystem::path& ToolsFolder() { return Current().tools; }

void UseFolders(ProgramFolders folders) { Current() = std::move(folders); }

void SetProgramFolder(std::filesystem::path folder) { Current() = OneFolder(folder); }

}  // namespace lumitag
