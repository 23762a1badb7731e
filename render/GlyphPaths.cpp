#include "render/GlyphPaths.h"

#include "render/CaseInsensitivePath.h"
#include "render/PictureLoader.h"

#include <algorithm>
#include <map>
#include <optional>

namespace lumitag {
namespace {

namespace fs = std::filesystem;

constexpr char32_t kSpace = 32;

// Resolves each distinct name once: a text repeats its glyphs, and every
// drawing pass then opens the files by their real names instead of searching
// the folders for a spelling ("Data/Ascii" is "Data/ASCII" on disk).
class Resolver {
public:
    // The existing file `path` names (ignoring case), or nullopt.
    const std::optional<std::string>& Find(const std::string& path)
    {
        auto [it, inserted] = files_.try_emplace(path);
        if (inserted)
            if (const auto file = ResolveIgnoringCase(path)) it->second = file->string();
        return it->second;
    }
    int Width(const std::string& path)
    {
        auto [it, inserted] = widths_.try_emplace(path, 0);
        if (inserted) it->second = PictureWidth(path);
        return it->second;
    }

private:
    std::map<std::string, std::optional<std::string>> files_;
    std::map<std::string, int> widths_;
};

}  // namespace

fs::path AsciiGlyphPath(const fs::path& programFolder, char32_t code)
{
    return programFolder / "Data" / "Ascii" / (std::to_string(static_cast<std::uint32_t>(code)) + ".bmp");
}

fs::path AnimationPath(const fs::path& programFolder, int rows, int number, int frame)
{
    return programFolder / "Data" / "Gif" / std::to_string(rows) /
           (std::to_string(number) + "_" + std::to_string(frame) + ".bmp");
}

GlyphPathLists BuildGlyphPaths(const std::vector<GlyphItem>& items, int rows, const fs::path& programFolder)
{
    GlyphPathLists lists;
    Resolver resolver;
    const std::string spelledSpace = AsciiGlyphPath(programFolder, kSpace).string();
    const std::string space = resolver.Find(spelledSpace).value_or(spelledSpace);
    for (const GlyphItem& item : items) {
        std::string frame0, frame1;
        if (item.isSymbol) {
            frame0 = AnimationPath(programFolder, rows, item.symbol, 0).string();
            frame1 = AnimationPath(programFolder, rows, item.symbol, 1).string();
            frame1 = resolver.Find(frame1).value_or(frame1);
        } else {
            frame0 = AsciiGlyphPath(programFolder, item.character).string();
        }
        if (const auto& file = resolver.Find(frame0)) {
            frame0 = *file;
            if (!item.isSymbol) frame1 = frame0;
        } else {
            frame0 = space;
            if (!item.isSymbol) frame1 = space;
        }
        const int width = resolver.Width(frame0);
        lists.width = static_cast<int>(std::min<long long>(1 << 24, static_cast<long long>(lists.width) + width));
        lists.frame0.push_back(std::move(frame0));
        lists.frame1.push_back(std::move(frame1));
    }
    return lists;
}

}  // namespace lumitag
