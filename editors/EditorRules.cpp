#include "editors/EditorRules.h"

namespace lumitag::editors {
namespace {

bool IsBlank(char32_t c) { return c == U' ' || c == U'\t' || c == U'\r' || c == U'\n' || c == U'\v' || c == U'\f'; }

}  // namespace

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

}  // namespace lumitag::editors
