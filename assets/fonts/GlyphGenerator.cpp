// lumitag-glyph-generator SHEET_DIR DATA_DIR
//
// Draws the glyph part of the Data folder from the glyph sheets
// (regular, bold, small and five .glyphs in SHEET_DIR):
//   ASCII/%d.bmp                          0..127, glyph text, font "7x6" in red
//   ASCII/allAscii/Font%d/Color%d/%d.bmp  fonts 0..6, colours 0..2, characters 0..193
//   ASCII/Eruope/%d.bmp                   the symbols 128..193 for the face picker
//   Gif/7/%d_%d.bmp                       animations 32..64 = symbols 128..160,
//                                         frame 1 shows the symbol inverted
// Every picture is 7 rows high, lit pixels in exactly one sign colour on
// black. Control codes are blank pictures as wide as the space.
// Exit status: 0 done, 1 usage, 2 a sheet is wrong, 3 a file cannot be written.

#include "GlyphLibrary.h"
#include "SymbolTable.h"
#include "tools/BmpWriter.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace lumitag::assets;

namespace {

constexpr std::uint32_t kBlack = 0xFF000000u;
constexpr std::array<std::uint32_t, 3> kColours = {0xFFFF0000u, 0xFF00FF00u, 0xFFFFFF00u};
constexpr int kCharacterCount = 194;
constexpr int kAsciiCount = 128;
constexpr int kFirstAnimatedSymbol = 32;  // animation n shows character 96 + n
constexpr int kLastAnimatedSymbol = 64;

enum class Derivation { Drawn, Bold, Wide, TripleWide };

struct FontDesign {
    const char* label;      // as the bitmap-font editor lists it
    const char* sheet;
    Derivation derivation;
    int gap;                // blank columns after every glyph
    const char* finished;   // sheet of ASCII glyphs used as drawn, or nullptr
};

// In the editor's order; the index is the font number of a glyph code.
constexpr std::array<FontDesign, 7> kFonts = {{
    {"7x6", "regular", Derivation::Drawn, 1, nullptr},        // 5 columns + 1
    {"7x9", "regular", Derivation::Bold, 1, "bold"},          // 6 columns + 1
    {"7x11", "regular", Derivation::Wide, 1, nullptr},        // 10 columns + 1
    {"7x17", "regular", Derivation::TripleWide, 2, nullptr},  // 15 columns + 2
    {"Small", "small", Derivation::Drawn, 1, nullptr},        // mostly 4 columns + 1
    {"5x6", "five", Derivation::Drawn, 1, nullptr},           // 5 rows, 5 columns + 1
    {"5x11", "five", Derivation::Wide, 1, nullptr},           // 5 rows, 10 columns + 1
}};

GlyphArt Derive(const GlyphArt& art, Derivation derivation)
{
    switch (derivation) {
    case Derivation::Drawn: return art;
    case Derivation::Bold: return Emboldened(art);
    case Derivation::Wide: return StretchColumns(art, 2);
    case Derivation::TripleWide: return StretchColumns(art, 3);
    }
    return art;
}

Picture Paint(const GlyphArt& art, std::uint32_t colour)
{
    Picture picture(art.width(), art.height(), kBlack);
    for (int y = 0; y < art.height(); ++y)
        for (int x = 0; x < art.width(); ++x)
            if (art.lit(x, y)) picture.at(x, y) = colour;
    return picture;
}

bool LoadSheets(const fs::path& folder, GlyphLibrary& library)
{
    for (const char* name : {"regular", "bold", "small", "five"}) {
        const fs::path path = folder / (std::string(name) + ".glyphs");
        std::ifstream in(path);
        if (!in) {
            std::cerr << path.string() << ": cannot be read\n";
            return false;
        }
        std::string error;
        auto sheet = ParseGlyphSheet(in, path.filename().string(), error);
        if (!sheet) {
            std::cerr << error << '\n';
            return false;
        }
        library.Add(name, std::move(*sheet));
    }
    return true;
}

// glyphs[font][character], with the gap already added.
using FontGlyphs = std::array<std::vector<GlyphArt>, kFonts.size()>;

bool BuildFonts(const GlyphLibrary& library, FontGlyphs& glyphs)
{
    for (std::size_t font = 0; font < kFonts.size(); ++font) {
        const FontDesign& design = kFonts[font];
        for (int code = 0; code < kCharacterCount; ++code) {
            if (design.finished && code < kAsciiCount) {
                if (const auto art = library.Drawn(design.finished, static_cast<char32_t>(code))) {
                    glyphs[font].push_back(WithGap(*art, design.gap));
                    continue;
                }
            }
            std::string error;
            const auto art = library.Character(design.sheet, static_cast<char32_t>(code), error);
            if (!art) {
                std::cerr << error << '\n';
                return false;
            }
            glyphs[font].push_back(WithGap(Derive(*art, design.derivation), design.gap));
        }
    }
    return true;
}

class Writer {
public:
    explicit Writer(fs::path data) : data_(std::move(data)) {}

    void Write(const fs::path& relative, const Picture& picture)
    {
        if (!WriteBmp(data_ / relative, picture)) {
            std::cerr << (data_ / relative).string() << ": cannot be written\n";
            ok_ = false;
        }
    }
    bool ok() const { return ok_; }

private:
    fs::path data_;
    bool ok_ = true;
};

void WriteAll(const FontGlyphs& glyphs, Writer& writer)
{
    const fs::path ascii = "ASCII";
    const std::vector<GlyphArt>& regular = glyphs[0];
    const std::uint32_t red = kColours[0];

    for (int code = 0; code < kAsciiCount; ++code)
        writer.Write(ascii / (std::to_string(code) + ".bmp"), Paint(regular[code], red));

    for (std::size_t font = 0; font < kFonts.size(); ++font)
        for (std::size_t colour = 0; colour < kColours.size(); ++colour) {
            const fs::path folder = ascii / "allAscii" / ("Font" + std::to_string(font)) /
                                    ("Color" + std::to_string(colour));
            for (int code = 0; code < kCharacterCount; ++code)
                writer.Write(folder / (std::to_string(code) + ".bmp"),
                             Paint(glyphs[font][code], kColours[colour]));
        }

    for (int code = kFirstSymbol; code < kCharacterCount; ++code)
        writer.Write(ascii / "Eruope" / (std::to_string(code) + ".bmp"), Paint(regular[code], red));

    // The gap column stays dark in the inverted frame so neighbours keep apart.
    for (int n = kFirstAnimatedSymbol; n <= kLastAnimatedSymbol; ++n) {
        const GlyphArt& frame0 = regular[kFirstSymbol - kFirstAnimatedSymbol + n];
        GlyphArt frame1 = Inverted(frame0);
        for (std::string& row : frame1.rows) row.back() = kDark;
        const fs::path folder = fs::path("Gif") / "7";
        writer.Write(folder / (std::to_string(n) + "_0.bmp"), Paint(frame0, red));
        writer.Write(folder / (std::to_string(n) + "_1.bmp"), Paint(frame1, red));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: lumitag-glyph-generator SHEET_DIR DATA_DIR\n";
        return 1;
    }
    GlyphLibrary library;
    FontGlyphs glyphs;
    if (!LoadSheets(argv[1], library) || !BuildFonts(library, glyphs)) return 2;
    Writer writer(argv[2]);
    WriteAll(glyphs, writer);
    return writer.ok() ? 0 : 3;
}
