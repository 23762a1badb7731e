#pragma once
// What an editor collected when the user pressed OK. The editors decide no
// content string themselves: the slot-editing service turns the result into
// the stored string.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "render/content/FormattedText.h"

namespace lumitag::editors {

struct EditorResult {
    enum class Form { FormattedText, GlyphText, GlyphCodes, DateItem, Pictures };
    Form form = Form::FormattedText;
    FormattedText formatted;           // FormattedText; DateItem on models of 12 and 16 rows
    std::string plain;                 // GlyphText; DateItem on 7-row models (UTF-8, untrimmed)
    std::vector<std::uint32_t> codes;  // GlyphCodes
    std::array<bool, 6> dateFlags{};   // DateItem: year, month, day, weekday, time, seconds
    std::vector<std::string> paths;    // Pictures
};

}  // namespace lumitag::editors
