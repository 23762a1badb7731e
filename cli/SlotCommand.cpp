// `slot`: a slot's effect, speed, time and flags, as the row controls set them.

#include <cctype>
#include <cstdio>

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "cli/Composer.h"

namespace lumitag::cli {
namespace {

constexpr OptionSpec kOptions[] = {
    kModelOption,
    kProjectOption,
    {"effect", "NAME", "the effect by its menu name (see `show`) or its code"},
    {"speed", "N", "speed 1..8"},
    {"time", "Ns", "dwell time 0s..5s"},
    {"blink", "on|off", "blink"},
    {"marquee", "on|off", "marquee"},
    {"send", "on|off", "part of the next send"},
    {"clear", "", "make the slot empty: no content, not sent"},
};

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

int OnOff(const std::string& value, std::string_view option)
{
    if (value == "on" || value == "1" || value == "yes") return 1;
    if (value == "off" || value == "0" || value == "no") return 0;
    throw BadInput("--" + std::string(option) + " takes on or off");
}

int Effect(const std::string& value, int effectMenu)
{
    const auto items = EffectMenuItems(effectMenu);
    for (std::size_t i = 0; i < items.size(); ++i)
        if (EqualIgnoringCase(items[i].english, value)) return static_cast<int>(i);
    if (const auto code = ParseInt(value, 0, static_cast<int>(items.size()) - 1)) return *code;
    std::string names;
    for (const auto& item : items) names += (names.empty() ? "" : ", ") + std::string(item.english);
    throw BadInput("unknown effect \"" + value + "\"; this model offers " + names);
}

// Models whose rows keep the time list disabled: their signs have a fixed
// dwell time.
bool HasFixedTime(std::string_view model)
{
    return model.size() == 3 && model >= "Q14" && model <= "Q25";
}

// The row controls the main window disables for a slot's kind and model
// cannot be set here either: the file would hold values the desktop program
// never writes.
void RefuseDisabledControls(const Arguments& args, int kind, std::string_view model, int slot)
{
    const bool known = kind >= kKindText && kind <= kKindDate;
    const auto refuse = [&](std::string_view option, const std::string& why) {
        if (args.Has(option))
            throw BadInput("slot " + std::to_string(slot + 1) + ": --" + std::string(option) + " " + why);
    };
    if (kind == kKindNone) {
        for (std::string_view option : {"effect", "speed", "time", "marquee", "send"})
            refuse(option, "is not offered for an empty slot (give it content first)");
        return;
    }
    if (!known) {
        refuse("effect", "is not offered for this slot's content kind");
        refuse("time", "is not offered for this slot's content kind");
    }
    if (HasFixedTime(model)) refuse("time", "is not offered: model " + std::string(model) + " has a fixed dwell time");
}

class SlotCommand : public Command {
public:
    std::string_view Name() const override { return "slot"; }
    std::string_view Synopsis() const override { return "[options] SLOT"; }
    std::string_view Summary() const override { return "set a slot's effect, speed, time, blink, marquee and send"; }
    std::span<const OptionSpec> Options() const override { return kOptions; }
    std::string Details() const override
    {
        return "Effects by model: Left, Right, Up, Down, Fix, Animation, Snow, Middle on\n"
               "most models; Left..Snow without Middle on Q07..Q13; Fix, Left, Right, Up,\n"
               "Down, Snow, Blink on Q26..Q36.\n"
               "As in the main window's rows, Q14..Q25 keep a fixed time, and an empty\n"
               "slot (after --clear) takes only --blink until it has content.\n";
    }

    ExitCode Run(Context& context, const Arguments& args) override
    {
        ExpectPositional(args, 1, 1);
        const int slot = ParseSlot(args.Positional()[0]);
        ComposeTarget target;
        OpenComposeTarget(context, args, target);
        CheckSlotShown(target, slot);
        auto& params = target.program.Params();
        // Checked before anything is written.
        RefuseDisabledControls(args, args.Has("clear") ? kKindNone : params.at(SlotField::kind, slot), target.model,
                               slot);
        if (args.Has("clear")) {
            if (!target.program.PutContent(slot, ""))
                throw BadInput("cannot write " + target.program.ProjectPath().string());
            params.at(SlotField::kind, slot) = kKindNone;
            params.at(SlotField::send, slot) = 0;
        }
        if (const auto effect = args.Value("effect"))
            params.at(SlotField::effect, slot) = Effect(*effect, target.settings.effectMenu);
        if (const auto speed = args.Int("speed", 1, 8)) params.at(SlotField::speed, slot) = *speed - 1;
        if (auto time = args.Value("time")) {
            if (time->ends_with('s')) time->pop_back();
            params.at(SlotField::time, slot) = RequireInt(*time, 0, 5, "--time (0s..5s)");
        }
        if (const auto blink = args.Value("blink")) params.at(SlotField::blink, slot) = OnOff(*blink, "blink");
        if (const auto marquee = args.Value("marquee")) params.at(SlotField::marquee, slot) = OnOff(*marquee, "marquee");
        if (const auto send = args.Value("send")) params.at(SlotField::send, slot) = OnOff(*send, "send");
        SaveParams(target.program);
        std::printf("slot %d: %s\n", slot + 1, target.program.FormatParams(slot).c_str());
        return ExitCode::Success;
    }
};

}  // namespace

std::unique_ptr<Command> MakeSlotCommand() { return std::make_unique<SlotCommand>(); }

}  // namespace lumitag::cli
