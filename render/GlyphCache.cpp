#include "render/GlyphCache.h"

#include "render/CaseInsensitivePath.h"
#include "render/PictureLoader.h"

#include <map>

#include <string>

namespace lumitag {

const QImage* GlyphCache::Entry(int index) const
{
    if (index < 0 || index >= kSize || entries_[index].isNull()) return nullptr;
    return &entries_[index];
}

void GlyphCache::Set(int index, QImage picture)
{
    if (index >= 0 && index < kSize) entries_[index] = std::move(picture);
}

void GlyphCache::Clear()
{
    for (auto& entry : entries_) entry = QImage();
}

int GlyphCache::LoadedCount() const
{
    int count = 0;
    for (const auto& entry : entries_) count += entry.isNull() ? 0 : 1;
    return count;
}

std::optional<int> GlyphCache::AnimationIndex(int rows, int number, int frame)
{
    if (frame < 0 || frame > 1 || number < 0) return std::nullopt;
    switch (rows) {
    case 7:
        if (number < kSevenRowAnimations) return 2 * number + frame;
        break;
    case 12:
        if (number < kLargeAnimations) return kTwelveRowBase + 2 * number + frame;
        break;
    case 16:
        if (number < kLargeAnimations) return kSixteenRowBase + 2 * number + frame;
        break;
    default:
        break;
    }
    return std::nullopt;
}

std::optional<int> GlyphCache::GlyphCodeIndex(std::uint32_t code)
{
    const std::uint32_t font = code >> 13;
    const std::uint32_t colour = (code >> 11) & 3;
    const std::uint32_t character = code & 0x7FF;
    if (font >= kGlyphSetFonts || colour >= kGlyphSetColours || character >= kGlyphSetChars) return std::nullopt;
    return kGlyphSetBase + static_cast<int>((3 * font + colour) * kGlyphSetChars + character);
}

void LoadGlyphCache(GlyphCache& cache, const std::filesystem::path& programFolder)
{
    namespace fs = std::filesystem;
    const fs::path data = programFolder / "Data";
    // Each folder is listed once; a missing folder costs one look.
    std::map<fs::path, FolderIndex> folders;
    auto load = [&](std::optional<int> index, const fs::path& folder, const std::string& name) {
        if (!index) return;
        auto it = folders.find(folder);
        if (it == folders.end()) it = folders.emplace(folder, FolderIndex(folder)).first;
        if (const auto file = it->second.Find(name)) cache.Set(*index, LoadPicture(*file));
    };
    auto animation = [&](int rows, int n, int f) {
        load(GlyphCache::AnimationIndex(rows, n, f), data / "Gif" / std::to_string(rows),
             std::to_string(n) + "_" + std::to_string(f) + ".bmp");
    };

    for (int n = 0; n < GlyphCache::kSevenRowAnimations; ++n)
        for (int f = 0; f < 2; ++f) animation(7, n, f);
    for (int n = 0; n < GlyphCache::kLargeAnimations; ++n)
        for (int rows : {12, 16})
            for (int f = 0; f < 2; ++f) animation(rows, n, f);
    for (int c = 0; c < GlyphCache::kAsciiGlyphs; ++c)
        load(GlyphCache::kAsciiBase + c, data / "ASCII", std::to_string(c) + ".bmp");
    for (std::uint32_t font = 0; font < GlyphCache::kGlyphSetFonts; ++font)
        for (std::uint32_t colour = 0; colour < GlyphCache::kGlyphSetColours; ++colour) {
            const auto folder = data / "ASCII" / "allAscii" / ("Font" + std::to_string(font)) /
                                ("Color" + std::to_string(colour));
            for (std::uint32_t c = 0; c < GlyphCache::kGlyphSetChars; ++c)
                load(GlyphCache::GlyphCodeIndex(c + 2048 * colour + 8192 * font), folder, std::to_string(c) + ".bmp");
        }
}

}  // namespace lumitag
