#include "editors/EditorRules.h"

#include <cstdio>

#include "model/DeviceCatalogue.h"
#include "render/content/ContentString.h"

namespace lumitag::editors {
namespace {

// The two badges made for Chinese text default to a Chinese face.
std::string DefaultFace(std::string_view model) { return model == "Q14" || model == "Q15" ? "MingLiU" : "Arial"; }

// The 7-row signs that are sent glyph codes take 12-point text by default and
// have no row of animation symbols.
bool SendsGlyphCodes(std::string_view model) { return PackingOf(model).glyphCodes; }

bool IsBlank(char32_t c) { return c == U' ' || c == U'\t' || c == U'\r' || c == U'\n' || c == U'\v' || c == U'\f'; }

}  // namespace

EditorModel EditorModelOf(std::string_view model)
{
    EditorModel result;
    result.name = std::string(model);
    ModelSettings settings;
    ApplyModel(settings, model);
    result.rows = settings.rows;
    result.pageWidth = settings.pageWidth;
    result.pagePitch = settings.pagePitch;
    result.asciiOnly = settings.rows == 7;
    result.symbolRowA = !SendsGlyphCodes(model);
    result.symbolRowsB = settings.rows == 7;
    return result;
}

CharFormat TextEditorDefaultFormat(std::string_view model)
{
    CharFormat format;
    format.face = DefaultFace(model);
    format.colour = kTextColours[2];
    format.twips = SendsGlyphCodes(model) ? 240 : EditorModelOf(model).rows * 20;
    return format;
}

CharFormat DateEditorDefaultFormat(std::string_view model)
{
    CharFormat format;
    format.face = DefaultFace(model);
    format.colour = kTextColours[2];
    const int rows = EditorModelOf(model).rows;
    if (rows == 7)
        format.twips = SendsGlyphCodes(model) ? 240 : 140;
    else
        format.twips = rows == 16 ? 320 : 240;
    return format;
}

std::string SymbolToken(int number)
{
    char token[16];
    std::snprintf(token, sizeof token, "[GIF_%03d]", number);
    return token;
}

std::u32string WithoutLineBreaks(std::u32string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') {
            ++i;
            continue;
        }
        out.push_back(text[i]);
    }
    return out;
}

std::u32string TrimmedWithoutLineBreaks(std::u32string_view text)
{
    std::u32string line = WithoutLineBreaks(text);
    std::size_t first = 0;
    while (first < line.size() && IsBlank(line[first])) ++first;
    std::size_t last = line.size();
    while (last > first && IsBlank(line[last - 1])) --last;
    return line.substr(first, last - first);
}

bool ReadDateItem(std::string_view content, DateItem& item)
{
    if (!content.starts_with(kDatePrefix)) return false;
    item = DateItem{};
    const std::size_t start = kDatePrefix.size();
    const std::size_t close = content.size() > start ? content.find(']', start) : std::string_view::npos;
    if (close == std::string_view::npos) return true;
    const std::string_view digits = content.substr(start, close - start);
    for (std::size_t k = 0; k < item.switches.size() && k < digits.size(); ++k)
        item.switches[k] = digits[k] >= '1' && digits[k] <= '9';
    item.text = std::string(content.substr(close + 1));
    return true;
}

std::string DateFlags(const std::array<bool, 6>& switches)
{
    std::string flags;
    for (bool on : switches) flags += on ? '1' : '0';
    return flags;
}

std::string DateToken(const std::array<bool, 6>& switches)
{
    return std::string(kDatePrefix) + DateFlags(switches) + "]";
}

}  // namespace lumitag::editors
