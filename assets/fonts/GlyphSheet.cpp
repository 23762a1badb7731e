#include "GlyphSheet.h"

#include <exception>
#include <istream>
#include <sstream>

namespace lumitag::assets {

namespace {

constexpr int kMarkRows = 2;

struct Block {
    bool open = false;
    bool isMark = false;
    char32_t character = 0;
    std::string markName;
    int line = 0;
    GlyphArt art;
};

std::string Trimmed(std::string text)
{
    const auto end = text.find_last_not_of(" \t\r");
    text.erase(end == std::string::npos ? 0 : end + 1);
    const auto start = text.find_first_not_of(" \t");
    return start == std::string::npos ? std::string() : text.substr(start);
}

std::optional<char32_t> ParseCharacterKey(const std::string& key)
{
    if (key == "space") return U' ';
    if (key.size() > 2 && key.starts_with("U+")) {
        std::size_t used = 0;
        try {
            const unsigned long value = std::stoul(key.substr(2), &used, 16);
            if (used == key.size() - 2 && value <= 0x10FFFF) return static_cast<char32_t>(value);
        } catch (const std::exception&) {
        }
        return std::nullopt;
    }
    return DecodeSingleUtf8(key);
}

// "remove 1 5 top 2" after the directive's own words.
bool ParseRowShift(std::istringstream& words, RowShift& shift)
{
    std::string word;
    bool removing = false;
    while (words >> word) {
        if (word == "remove") {
            removing = true;
        } else if (word == "top") {
            if (!(words >> shift.top) || shift.top < 0 || shift.top > kGlyphRows) return false;
            removing = false;
        } else if (removing) {
            try {
                std::size_t used = 0;
                const int row = std::stoi(word, &used);
                if (used != word.size() || row < 0 || row >= kGlyphRows) return false;
                shift.removed.insert(row);
            } catch (const std::exception&) {
                return false;
            }
        } else {
            return false;
        }
    }
    return kGlyphRows - static_cast<int>(shift.removed.size()) + shift.top <= kGlyphRows;
}

class SheetParser {
public:
    explicit SheetParser(std::string source) : source_(std::move(source)) {}

    std::optional<GlyphSheet> Parse(std::istream& in, std::string& error)
    {
        std::string raw;
        while (std::getline(in, raw)) {
            ++line_;
            if (!ParseLine(Trimmed(raw))) break;
        }
        if (error_.empty()) CloseBlock();
        if (!error_.empty()) {
            error = error_;
            return std::nullopt;
        }
        return sheet_;
    }

private:
    bool Fail(int line, const std::string& message)
    {
        if (error_.empty()) error_ = source_ + ":" + std::to_string(line) + ": " + message;
        return false;
    }

    bool ParseLine(const std::string& text)
    {
        if (text.starts_with("//")) return true;
        if (text.empty()) return CloseBlock();
        if (text.front() == '!') return CloseBlock() && ParseDirective(text.substr(1));
        if (text.front() == '@') return CloseBlock() && OpenBlock(Trimmed(text.substr(1)));
        return AddRow(text);
    }

    bool ParseDirective(const std::string& text)
    {
        std::istringstream words(text);
        std::string name;
        words >> name;
        if (name == "capitals") {
            if (!ParseRowShift(words, sheet_.capitals)) return Fail(line_, "bad !capitals rows");
            return true;
        }
        if (name == "fallback") {
            if (!(words >> sheet_.fallback) || !ParseRowShift(words, sheet_.fallbackShift))
                return Fail(line_, "bad !fallback");
            return true;
        }
        return Fail(line_, "unknown directive !" + name);
    }

    bool OpenBlock(const std::string& key)
    {
        block_ = Block{};
        block_.open = true;
        block_.line = line_;
        if (key.starts_with("mark ")) {
            block_.isMark = true;
            block_.markName = Trimmed(key.substr(5));
            if (block_.markName.empty()) return Fail(line_, "mark without a name");
            return true;
        }
        const auto character = ParseCharacterKey(key);
        if (!character) return Fail(line_, "not one character: '" + key + "'");
        block_.character = *character;
        return true;
    }

    bool AddRow(const std::string& text)
    {
        if (!block_.open) return Fail(line_, "pixel row outside a glyph");
        if (text.find_first_not_of(std::string{kLit, kDark}) != std::string::npos)
            return Fail(line_, "a pixel row holds only '#' and '.'");
        if (!block_.art.rows.empty() && static_cast<int>(text.size()) != block_.art.width())
            return Fail(line_, "rows of a glyph must be equally wide");
        block_.art.rows.push_back(text);
        return true;
    }

    bool CloseBlock()
    {
        if (!block_.open) return true;
        block_.open = false;
        const int wanted = block_.isMark ? kMarkRows : kGlyphRows;
        if (block_.art.height() != wanted)
            return Fail(block_.line, "expected " + std::to_string(wanted) + " rows, found " +
                                         std::to_string(block_.art.height()));
        const bool added = block_.isMark
                               ? sheet_.marks.emplace(block_.markName, block_.art).second
                               : sheet_.glyphs.emplace(block_.character, block_.art).second;
        return added || Fail(block_.line, "drawn twice");
    }

    std::string source_;
    int line_ = 0;
    Block block_;
    GlyphSheet sheet_;
    std::string error_;
};

}  // namespace

std::optional<char32_t> DecodeSingleUtf8(const std::string& text)
{
    if (text.empty()) return std::nullopt;
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3
                                         : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || text.size() != length) return std::nullopt;
    char32_t value = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next >> 6) != 0x2) return std::nullopt;
        value = (value << 6) | (next & 0x3F);
    }
    return value;
}

std::optional<GlyphSheet> ParseGlyphSheet(std::istream& in, const std::string& source,
                                          std::string& error)
{
    return SheetParser(source).Parse(in, error);
}

}  // namespace lumitag::assets
