#include "render/CaseInsensitivePath.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <system_error>

namespace lumitag {
namespace {

namespace fs = std::filesystem;

bool EqualIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// The child of `folder` named `name` ignoring case, or nullopt.
std::optional<fs::path> FindChild(const fs::path& folder, const fs::path& name)
{
    std::error_code ec;
    fs::path exact = folder / name;
    if (fs::exists(fs::symlink_status(exact, ec))) return exact;
    const std::string wanted = name.string();
    fs::directory_iterator it(folder, ec);
    if (ec) return std::nullopt;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec) return std::nullopt;
        if (EqualIgnoringCase(it->path().filename().string(), wanted)) return it->path();
    }
    return std::nullopt;
}

}  // namespace

std::optional<fs::path> ResolveIgnoringCase(const fs::path& path)
{
    std::error_code ec;
    if (path.empty()) return std::nullopt;
    if (fs::exists(fs::symlink_status(path, ec))) return path;

    fs::path resolved = path.root_path();
    for (const fs::path& part : path.relative_path()) {
        if (part == "." || part.empty()) continue;
        if (part == "..") {
            resolved /= part;
            continue;
        }
        const fs::path folder = resolved.empty() ? fs::path(".") : resolved;
        auto child = FindChild(folder, part);
        if (!child) return std::nullopt;
        resolved = resolved.empty() ? child->filename() : *child;
    }
    return resolved;
}

}  // namespace lumitag
