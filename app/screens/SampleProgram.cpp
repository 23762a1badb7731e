#include "app/screens/SampleProgram.h"

#include <array>

#include "render/content/FormattedText.h"
#include "render/content/RtfWriter.h"

namespace lumitag::app {

std::string SampleText(std::string_view text, int rows, std::uint32_t colour)
{
    FormattedText formatted;
    formatted.Append(text, CharFormat{"Arial", rows * 20, colour});
    return WriteRtf(formatted);
}

void WriteSampleProgram(SignProgram& program, int rows, int filledRows)
{
    struct Sample {
        const char* text;
        std::uint32_t colour;
        int effect, speed, time;
    };
    constexpr std::array<Sample, 10> kSamples{{
        {"HELLO LUMITAG", 0x0000FFFF, 0, 3, 0},
        {"Welcome", 0x000000FF, 4, 4, 2},
        {"Open 9-17", 0x0000FF00, 1, 5, 1},
        {"", 0, 0, 2, 0},  // the date item
        {"Sale -20%", 0x000000FF, 2, 6, 3},
        {"Thank you!", 0x0000FFFF, 3, 1, 0},
        {"Coffee & tea", 0x0000FF00, 0, 7, 4},
        {"Row 8", 0x0000FFFF, 5, 0, 5},
        {"Row 9", 0x000000FF, 0, 3, 0},
        {"Row 10", 0x0000FF00, 0, 3, 0},
    }};
    SlotParamTable& params = program.Params();
    for (int slot = 0; slot < filledRows && slot < kSlotCount; ++slot) {
        const Sample& sample = kSamples[static_cast<std::size_t>(slot)];
        const bool date = slot == 3;
        params.at(SlotField::kind, slot) = date ? 3 : 1;
        params.at(SlotField::effect, slot) = sample.effect;
        params.at(SlotField::speed, slot) = sample.speed;
        params.at(SlotField::time, slot) = sample.time;
        params.at(SlotField::send, slot) = 1;
        params.at(SlotField::marquee, slot) = slot % 3 == 1 ? 1 : 0;
        params.at(SlotField::blink, slot) = slot % 4 == 2 ? 1 : 0;
        program.PutContent(slot, date ? "[DATE_111011]" + SampleText("Now ", rows, 0x0000FF00)
                                      : SampleText(sample.text, rows, sample.colour));
    }
    program.SaveParams();
}

}  // namespace lumitag::app
