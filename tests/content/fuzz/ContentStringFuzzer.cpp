// Content strings come from project files: any bytes must parse without a
// crash, a hang or unbounded memory.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "render/content/ContentString.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    lumitag::ContentParse parse;
    lumitag::ParseContent(content, parse);
    // Parsing twice, over the results of the first parse, gives the same results.
    lumitag::ContentParse again = parse;
    lumitag::ParseContent(content, again);
    if (again.runs != parse.runs || again.glyphItems != parse.glyphItems || again.glyphCodes != parse.glyphCodes ||
        again.imagePaths != parse.imagePaths || again.payload != parse.payload)
        std::abort();
    return 0;
}
