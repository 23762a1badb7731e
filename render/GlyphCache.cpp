#include "render/GlyphCache.h"

#include "render/CaseInsensitivePath.h"
#include "render/PictureLoader.h"

#include <map>
#include <mutex>
#include <string>

namespace lumitag {

// Where each entry's file is, found by listing its folder once, on the first
// entry that folder serves.
class GlyphCache::Source {
public:
    explicit Source(std::filesystem::path data) : data_(std::move(data)) {}

    QImage Read(int index)
    {
        const auto place = PlaceOf(index);
        if (!place) return {};
        auto it = folders_.find(place->folder);
        if (it == folders_.end()) it = folders_.emplace(place->folder, FolderIndex(data_ / place->folder)).first;
        const auto file = it->second.Find(place->name);
        return file ? LoadPicture(*file) : QImage();
    }

private:
    struct Place {
        std::filesystem::path folder;  // inside Data
        std::string name;
    };

    static std::optional<Place> PlaceOf(int index)
    {
        namespace fs = std::filesystem;
        auto animation = [](int rows, int offset) {
            return Place{fs::path("Gif") / std::to_string(rows),
                         std::to_string(offset / 2) + "_" + std::to_string(offset % 2) + ".bmp"};
        };
        if (index < 0 || index >= kSize) return std::nullopt;
        if (index < 2 * kSevenRowAnimations) return animation(7, index);
        if (index < kTwelveRowBase) return std::nullopt;
        if (index < kSixteenRowBase) return animation(12, index - kTwelveRowBase);
        if (index < kAsciiBase) return animation(16, index - kSixteenRowBase);
        if (index < kGlyphSetBase) return Place{"ASCII", std::to_string(index - kAsciiBase) + ".bmp"};
        const int set = (index - kGlyphSetBase) / kGlyphSetChars;
        const int character = (index - kGlyphSetBase) % kGlyphSetChars;
        return Place{fs::path("ASCII") / "allAscii" / ("Font" + std::to_string(set / kGlyphSetColours)) /
                         ("Color" + std::to_string(set % kGlyphSetColours)),
                     std::to_string(character) + ".bmp"};
    }

    std::filesystem::path data_;
    std::map<std::filesystem::path, FolderIndex> folders_;
};

namespace {
// One lock for every cache: reading a file happens once per entry, and
// only the first use of an entry waits for it.
std::mutex loadMutex;
}  // namespace

GlyphCache::GlyphCache()
{
    for (auto& ready : ready_) ready.store(true, std::memory_order_relaxed);
}

GlyphCache::~GlyphCache() = default;

const QImage* GlyphCache::Entry(int index) const
{
    if (index < 0 || index >= kSize) return nullptr;
    if (!ready_[index].load(std::memory_order_acquire)) Load(index);
    return entries_[index].isNull() ? nullptr : &entries_[index];
}

void GlyphCache::Load(int index) const
{
    std::lock_guard lock(loadMutex);
    if (ready_[index].load(std::memory_order_relaxed)) return;
    if (source_) entries_[index] = source_->Read(index);
    ready_[index].store(true, std::memory_order_release);
}

void GlyphCache::Set(int index, QImage picture)
{
    if (index < 0 || index >= kSize) return;
    std::lock_guard lock(loadMutex);
    entries_[index] = std::move(picture);
    ready_[index].store(true, std::memory_order_release);
}

void GlyphCache::Clear()
{
    std::lock_guard lock(loadMutex);
    source_.reset();
    for (int i = 0; i < kSize; ++i) {
        entries_[i] = QImage();
        ready_[i].store(true, std::memory_order_release);
    }
}

void GlyphCache::SetDataFolder(const std::filesystem::path& programFolder)
{
    std::lock_guard lock(loadMutex);
    source_ = std::make_unique<Source>(programFolder / "Data");
    for (int i = 0; i < kSize; ++i)
        if (entries_[i].isNull()) ready_[i].store(false, std::memory_order_release);
}

void GlyphCache::LoadAll() const
{
    for (int i = 0; i < kSize; ++i) Entry(i);
}

int GlyphCache::LoadedCount() const
{
    int count = 0;
    for (int i = 0; i < kSize; ++i) count += Entry(i) ? 1 : 0;
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
    cache.Clear();
    cache.SetDataFolder(programFolder);
}

}  // namespace lumitag
