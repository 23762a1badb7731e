#include "model/ProgramFolder.h"

#include <system_error>

namespace lumitag {
namespace {

std::filesystem::path& Current()
{
    static std::filesystem::path folder = ExecutableFolder();
    return folder;
}

}  // namespace

std::filesystem::path ExecutableFolder()
{
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::filesystem::current_path(ec);
    return exe.parent_path();
}

const std::filesystem::path& ProgramFolder() { return Current(); }

void SetProgramFolder(std::filesystem::path folder) { Current() = std::move(folder); }

}  // namespace lumitag
