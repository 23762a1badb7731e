// Turns the text pixel art of the animation sources into the two-frame
// animation pictures of the Data folder: "Gif/<rows>/<n>_<frame>.bmp".
//
// Usage: lumitag-animation-generator <data-dir> <source.txt>...
// The source format is described at the top of each source file. Any fault
// in a source stops the build with the file and line, so a broken picture
// never reaches the Data folder silently.

#include "../tools/BmpWriter.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using lumitag::assets::Picture;

constexpr int kAnimationCount = 32;  // every row count carries animations 0..31

struct Animation {
    int number = -1;
    int line = 0;  // where it starts in its source, for messages
    Picture frames[2];
};

struct Source {
    std::filesystem::path path;
    int rows = 0;
    std::vector<Animation> animations;
};

std::optional<std::uint32_t> ColourOf(char c)
{
    switch (c) {
    case '.': return 0xFF000000u;
    case 'R': return 0xFFFF0000u;
    case 'G': return 0xFF00FF00u;
    case 'Y': return 0xFFFFFF00u;
    default: return std::nullopt;
    }
}

bool IsSkippable(const std::string& line)
{
    const auto first = line.find_first_not_of(" \t\r");
    return first == std::string::npos || line[first] == '#';
}

class SourceReader {
public:
    explicit SourceReader(std::filesystem::path path) : path_(std::move(path)), in_(path_) {}

    bool Read(Source& source)
    {
        if (!in_) return Fail("cannot open the file");
        source = Source{path_, 0, {}};
        std::string line;
        while (NextContentLine(line)) {
            std::istringstream words(line);
            std::string keyword;
            words >> keyword;
            if (keyword == "rows") {
                if (source.rows != 0 || !(words >> source.rows) || source.rows < 1 || source.rows > 64)
                    return Fail("expected one 'rows N' line with N from 1 to 64");
            } else if (keyword == "anim") {
                if (source.rows == 0) return Fail("'anim' before the 'rows' line");
                Animation animation;
                animation.line = lineNumber_;
                if (!(words >> animation.number) || animation.number < 0 || animation.number >= kAnimationCount)
                    return Fail("expected 'anim N name' with N from 0 to 31");
                if (!ReadFrames(source.rows, animation)) return false;
                source.animations.push_back(std::move(animation));
            } else {
                return Fail("expected 'rows' or 'anim'");
            }
        }
        return true;
    }

private:
    bool NextContentLine(std::string& line)
    {
        while (std::getline(in_, line)) {
            ++lineNumber_;
            if (!IsSkippable(line)) return true;
        }
        return false;
    }

    // Reads `rows` lines, each "<frame-0 row> <frame-1 row>", into two
    // pictures with one black column added at the right, so that a symbol
    // never touches the glyph that follows it.
    bool ReadFrames(int rows, Animation& animation)
    {
        int width = -1;
        for (int y = 0; y < rows; ++y) {
            std::string line;
            if (!std::getline(in_, line)) return Fail("the file ends inside a picture");
            ++lineNumber_;
            std::istringstream words(line);
            std::string halves[2], extra;
            if (!(words >> halves[0] >> halves[1]) || (words >> extra))
                return Fail("expected two frame rows side by side");
            if (width < 0) {
                width = static_cast<int>(halves[0].size());
                for (Picture& frame : animation.frames) frame = Picture(width + 1, rows);
            }
            for (int f = 0; f < 2; ++f) {
                if (static_cast<int>(halves[f].size()) != width)
                    return Fail("both frames and all rows must have the same width");
                for (int x = 0; x < width; ++x) {
                    const auto colour = ColourOf(halves[f][x]);
                    if (!colour) return Fail("a pixel is not one of . R G Y");
                    animation.frames[f].at(x, y) = *colour;
                }
            }
        }
        if (animation.frames[0].pixels == animation.frames[1].pixels) {
            lineNumber_ = animation.line;
            return Fail("the two frames are the same");
        }
        return true;
    }

    bool Fail(const std::string& message)
    {
        std::cerr << path_.string() << ':' << lineNumber_ << ": " << message << '\n';
        return false;
    }

    std::filesystem::path path_;
    std::ifstream in_;
    int lineNumber_ = 0;
};

bool IsComplete(const Source& source)
{
    std::set<int> seen;
    for (const Animation& animation : source.animations) {
        if (!seen.insert(animation.number).second) {
            std::cerr << source.path.string() << ':' << animation.line << ": animation "
                      << animation.number << " is drawn twice\n";
            return false;
        }
    }
    if (static_cast<int>(seen.size()) != kAnimationCount) {
        std::cerr << source.path.string() << ": needs all animations 0 to " << kAnimationCount - 1 << '\n';
        return false;
    }
    return true;
}

bool WriteAll(const std::filesystem::path& dataDir, const Source& source)
{
    const auto folder = dataDir / "Gif" / std::to_string(source.rows);
    for (const Animation& animation : source.animations) {
        for (int f = 0; f < 2; ++f) {
            const auto path = folder / (std::to_string(animation.number) + "_" + std::to_string(f) + ".bmp");
            if (!lumitag::assets::WriteBmp(path, animation.frames[f])) {
                std::cerr << path.string() << ": cannot write\n";
                return false;
            }
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "usage: " << argv[0] << " <data-dir> <source.txt>...\n";
        return 2;
    }
    std::vector<Source> sources;
    std::set<int> rowCounts;
    for (int i = 2; i < argc; ++i) {
        Source source;
        if (!SourceReader(argv[i]).Read(source) || !IsComplete(source)) return 1;
        if (!rowCounts.insert(source.rows).second) {
            std::cerr << argv[i] << ": another source already draws " << source.rows << " rows\n";
            return 1;
        }
        sources.push_back(std::move(source));
    }
    // Everything is checked before the first file is written.
    for (const Source& source : sources)
        if (!WriteAll(argv[1], source)) return 1;
    return 0;
}
