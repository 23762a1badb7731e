#include "model/WorkFiles.h"

#include <string>
#include <system_error>
#include <vector>

#include "model/DefaultProjects.h"
#include "model/DeviceCatalogue.h"
#include "model/FileAccess.h"
#include "model/Log.h"
#include "model/ProgramFolder.h"

namespace lumitag {

std::filesystem::path WorkFilePath(int id)
{
    return ProgramFolder() / "WorkData" / (std::to_string(id) + ".led");
}

bool ExtractResource(const std::filesystem::path& path, int resource)
{
    const auto bytes = DefaultProjectBytes(resource);
    if (bytes.empty()) return false;
    const FileResult result = WriteFileAtomically(path, bytes);
    if (!result) Log(LogLevel::Warning, "Writing the default project to " + path.string() + " failed: the file " + Describe(result));
    return static_cast<bool>(result);
}

std::filesystem::path EnsureWorkFile(int id, bool overwrite, std::string_view model)
{
    auto path = WorkFilePath(id);
    std::error_code ec;
    if (overwrite || !std::filesystem::exists(path, ec)) ExtractResource(path, DefaultProjectResource(model));
    return path;
}

bool CopyProgramFile(const std::filesystem::path& from, const std::filesystem::path& to)
{
    std::vector<std::uint8_t> bytes;
    FileResult result = ReadFileBytes(from, bytes);
    if (result) result = WriteFileAtomically(to, bytes);
    if (!result) Log(LogLevel::Warning, "Copying " + from.string() + " to " + to.string() + " failed: the file " + Describe(result));
    return static_cast<bool>(result);
}

}  // namespace lumitag
