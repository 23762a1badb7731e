#pragma once
// The glyph and animation bitmaps that drawing needs again and again, shared
// by every preview. Each is read from the Data folder the first time it is
// asked for and kept from then on: a start reads none of the 4,460 files,
// a send reads the few its content names, and a replaced file shows at the
// next start, as when every file was read at start. Indexes:
//   2n + f           7-row animation n (0..64), frame f (0..1); 130..193 absent
//   194 + 2n + f     12-row animation n (0..31)
//   258 + 2n + f     16-row animation n (0..31)
//   322 + c          glyph c (0..127) of Data/ASCII
//   450 + (3g+k)*194 + c   glyph set: font g (0..6), colour k (0..2), char c (0..193)

#include <QImage>

#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

namespace lumitag {

class GlyphCache {
public:
    static constexpr int kSize = 4524;
    static constexpr int kSevenRowAnimations = 65;
    static constexpr int kLargeAnimations = 32;  // 12 and 16 rows
    static constexpr int kTwelveRowBase = 194;
    static constexpr int kSixteenRowBase = 258;
    static constexpr int kAsciiBase = 322;
    static constexpr int kAsciiGlyphs = 128;
    static constexpr int kGlyphSetBase = 450;
    static constexpr int kGlyphSetFonts = 7;
    static constexpr int kGlyphSetColours = 3;
    static constexpr int kGlyphSetChars = 194;

    GlyphCache();
    ~GlyphCache();
    GlyphCache(const GlyphCache&) = delete;
    GlyphCache& operator=(const GlyphCache&) = delete;

    // The entry at `index`, or nullptr when it is absent or out of range;
    // read from the Data folder on first use. Safe from any thread, and the
    // picture stays where it is until Clear or Set.
    const QImage* Entry(int index) const;
    void Set(int index, QImage picture);
    // Every entry absent, and no Data folder to read from.
    void Clear();
    // How many entries are present (every one not yet read is read).
    int LoadedCount() const;

    // Entries not yet read come from `programFolder`/Data from now on.
    void SetDataFolder(const std::filesystem::path& programFolder);
    // Reads every entry not yet read, now.
    void LoadAll() const;

    // Index of animation `number`, `frame` for a sign of `rows` rows;
    // nullopt for other row counts and for numbers past that row count's set
    // (so a large number never reaches the next block of the table).
    static std::optional<int> AnimationIndex(int rows, int number, int frame);
    // Index of a glyph code (char + 2048 * colour + 8192 * font); nullopt
    // when font > 6, colour > 2 or char > 193.
    static std::optional<int> GlyphCodeIndex(std::uint32_t code);

private:
    class Source;
    void Load(int index) const;

    std::unique_ptr<Source> source_;
    mutable std::array<QImage, kSize> entries_;
    mutable std::array<std::atomic<bool>, kSize> ready_{};  // entry final: set or read
};

// Gives `cache` the pictures of `programFolder`/Data, each read on first use:
// the 7-row animations "Gif/7/<n>_<f>.bmp", the 12- and 16-row ones, the 128
// glyphs "ASCII/<c>.bmp" and the glyph set "ASCII/allAscii/Font<g>/Color<k>/
// <c>.bmp", names matched ignoring case. Missing or unreadable files leave
// their entries absent; nothing is reported.
void LoadGlyphCache(GlyphCache& cache, const std::filesystem::path& programFolder);

}  // namespace lumitag
