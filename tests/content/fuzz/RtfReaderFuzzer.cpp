// RTF inside content strings comes from project files. Beyond not crashing,
// whatever the reader makes of the input must survive our writer unchanged.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "render/content/RtfReader.h"
#include "render/content/RtfWriter.h"
#include "render/content/RunSplitter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view rtf(reinterpret_cast<const char*>(data), size);
    const lumitag::RtfReadResult read = lumitag::ReadRtf(rtf);
    if (read.text.size() > size) std::abort();
    lumitag::SplitRuns(read.text);
    const lumitag::RtfReadResult again = lumitag::ReadRtf(lumitag::WriteRtf(read.text));
    // Heights written in half points are the one rounding the writer does.
    bool same = again.text.size() == read.text.size();
    for (std::size_t i = 0; same && i < read.text.size(); ++i) {
        lumitag::CharFormat expected = read.text.FormatAt(i);
        expected.twips = again.text.FormatAt(i).twips;
        same = again.text.CharAt(i) == read.text.CharAt(i) && again.text.FormatAt(i) == expected;
    }
    if (!same || again.status != lumitag::RtfStatus::Complete) std::abort();
    return 0;
}
