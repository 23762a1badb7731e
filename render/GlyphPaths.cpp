#include "render/GlyphPaths.h"

#include "render/CaseInsensitivePath.h"
#include "render/PictureLoader.h"

#include <algorithm>
#include <map>

namespace lumitag {
namespace {

namespace fs = std::filesystem;

constexpr char32_t kSpace = 32;

bool FileExists(const fs::path& path) { return ResolveIgnoringCase(path).has_value(); }

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
    std::map<std::string, int> widths;  // a glyph repeats often in one text
    const std::string space = AsciiGlyphPath(programFolder, kSpace).string();
    for (const GlyphItem& item : items) {
        std::string frame0, frame1;
        if (item.isSymbol) {
            frame0 = AnimationPath(programFolder, rows, item.symbol, 0).string();
            frame1 = AnimationPath(programFolder, rows, item.symbol, 1).string();
        } else {
            frame0 = frame1 = AsciiGlyphPath(programFolder, item.character).string();
        }
        if (!FileExists(frame0)) {
            frame0 = space;
            if (!item.isSymbol) frame1 = space;
        }
        auto [it, inserted] = widths.try_emplace(frame0, 0);
        if (inserted) it->second = PictureWidth(frame0);
        lists.width = static_cast<int>(std::min<long long>(1 << 24, static_cast<long long>(lists.width) + it->second));
        lists.frame0.push_back(std::move(frame0));
        lists.frame1.push_back(std::move(frame1));
    }
    return lists;
}

}  // namespace lumitag
