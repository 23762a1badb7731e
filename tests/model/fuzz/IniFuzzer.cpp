// Feeds arbitrary file bytes to the INI reader. Besides crashes, it checks
// that what Save would write reads back to the same bytes: after one round,
// parsing and serialising must be stable.
// Run: ini_fuzzer -max_len=65536 -dict=tests/model/fuzz/ini.dict <corpus>
#include <cstdint>
#include <cstdlib>

#include "model/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lumitag::CIniFile first;
    first.MergeText(lumitag::DecodeIniBytes({data, size}));
    first.GetInt("INFO", "PARA_00");

    lumitag::CIniFile second;
    second.MergeText(lumitag::DecodeIniBytes(first.Serialize()));
    const auto written = second.Serialize();

    lumitag::CIniFile third;
    third.MergeText(lumitag::DecodeIniBytes(written));
    if (third.Serialize() != written) std::abort();
    return 0;
}
