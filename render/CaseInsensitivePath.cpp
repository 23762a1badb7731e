#include "render/CaseInsensitivePath.h"

#include "model/AsciiText.h"

#include <algorithm>
#include <string>
#include <system_error>
#include <vector>

namespace lumitag {
namespace {

namespace fs = std::filesystem;

// The children of `folder` named `name` ignoring case, the exact one first.
// Two folders may differ only in case here ("Data/Ascii" beside
// "Data/ASCII"), so every match is a candidate.
std::vector<fs::path> MatchingChildren(const fs::path& folder, const fs::path& name)
{
    std::vector<fs::path> out;
    std::error_code ec;
    const fs::path exact = folder / name;
    if (fs::exists(fs::symlink_status(exact, ec))) out.push_back(exact);
    const std::string wanted = name.string();
    fs::directory_iterator it(folder, ec);
    if (ec) return out;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec) break;
        const std::string candidate = it->path().filename().string();
        if (candidate != wanted && EqualIgnoringAsciiCase(candidate, wanted)) out.push_back(it->path());
    }
    return out;
}

// Appends to `found` every existing path that matches the remaining parts,
// stopping after `limit` matches.
void Resolve(const fs::path& resolved, std::vector<fs::path>::const_iterator part,
             std::vector<fs::path>::const_iterator end, std::size_t limit, std::vector<fs::path>& found)
{
    if (found.size() >= limit) return;
    if (part == end) {
        found.push_back(resolved);
        return;
    }
    if (*part == "..") return Resolve(resolved / *part, part + 1, end, limit, found);
    for (const fs::path& child : MatchingChildren(resolved.empty() ? fs::path(".") : resolved, *part))
        Resolve(resolved.empty() ? child.filename() : child, part + 1, end, limit, found);
}

// No file system opens a longer name, and a name built from a content string
// could be megabytes of "../" that would cost a path copy per component.
constexpr std::size_t kMaxPathLength = 4096;

std::vector<fs::path> ResolveAll(const fs::path& path, std::size_t limit)
{
    std::vector<fs::path> found;
    if (path.empty() || path.native().size() > kMaxPathLength) return found;
    std::vector<fs::path> parts;
    for (const fs::path& part : path.relative_path())
        if (!part.empty() && part != ".") parts.push_back(part);
    Resolve(path.root_path(), parts.begin(), parts.end(), limit, found);
    return found;
}

}  // namespace

std::optional<fs::path> ResolveIgnoringCase(const fs::path& path)
{
    std::error_code ec;
    if (path.empty()) return std::nullopt;
    if (fs::exists(fs::symlink_status(path, ec))) return path;
    auto found = ResolveAll(path, 1);
    if (found.empty()) return std::nullopt;
    return found.front();
}

FolderIndex::FolderIndex(const fs::path& folder)
{
    // Every folder that matches, the exact spelling first; a name found in an
    // earlier folder wins.
    for (const fs::path& match : ResolveAll(folder, 16)) {
        std::error_code ec;
        fs::directory_iterator it(match, ec);
        if (ec) continue;
        for (const fs::directory_iterator end; it != end; it.increment(ec)) {
            if (ec) break;
            const std::string name = it->path().filename().string();
            exact_.try_emplace(name, it->path());
            folded_.try_emplace(AsciiLowered(name), it->path());
        }
    }
}

std::optional<fs::path> FolderIndex::Find(const std::string& fileName) const
{
    if (const auto it = exact_.find(fileName); it != exact_.end()) return it->second;
    if (const auto it = folded_.find(AsciiLowered(fileName)); it != folded_.end()) return it->second;
    return std::nullopt;
}

}  // namespace lumitag
