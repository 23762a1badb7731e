#include "cli/OutputFile.h"

#include <cstdio>

#include "cli/ExitCode.h"
#include "l10n/InlineTexts.h"
#include "model/FileAccess.h"

namespace lumitag::cli {

std::filesystem::path CheckOutputPath(const std::filesystem::path& path)
{
    if (path.empty()) throw BadInput("empty output path");
    const std::filesystem::path absolute = std::filesystem::absolute(path);
    std::error_code ec;
    if (!std::filesystem::is_directory(absolute.parent_path(), ec))
        throw BadInput("the folder of " + absolute.string() + " does not exist");
    if (std::filesystem::is_directory(absolute, ec)) throw BadInput(absolute.string() + " is a folder");
    return absolute;
}

void CheckNotInput(const std::filesystem::path& output, const std::optional<std::string>& input)
{
    if (!input) return;
    std::error_code ec;
    if (std::filesystem::equivalent(output, *input, ec))
        throw BadInput(output.string() + " is the project file being read; choose another output file");
}

void WriteOutputFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    const FileResult result = WriteFileAtomically(path, bytes);
    if (result) return;
    // The desktop program's words, with the reason.
    char text[1024];
    std::snprintf(text, sizeof text, std::string(fixed_texts::kWriteProtectedFormat).c_str(), result.error,
                  path.c_str());
    throw BadInput(std::string(fixed_texts::kCannotWrite) + ": " + text + " (" + Describe(result) + ")");
}

}  // namespace lumitag::cli
