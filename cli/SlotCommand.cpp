// `slot`: a slot's effect, speed, time and flags, as the row controls set them.

#include <cstdio>

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "cli/Composer.h"
#include "service/SlotEditing.h"

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

std::optional<bool> OnOff(const Arguments& args, std::string_view option)
{
    const auto value = args.Value(option);
    if (!value) return std::nullopt;
    if (*value == "on" || *value == "1" || *value == "yes") return true;
    if (*value == "off" || *value == "0" || *value == "no") return false;
    throw BadInput("--" + std::string(option) + " takes on or off");
}

int Effect(const std::string& value, const service::ModelRules& rules)
{
    if (const auto code = service::FindEffect(rules, value)) return *code;
    std::string names;
    for (const auto& item : rules.effectMenu) names += (names.empty() ? "" : ", ") + std::string(item.english);
    throw BadInput("unknown effect \"" + value + "\"; this model offers " + names);
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
        context.ModelName(args);
        context.LoadProgram(args);
        service::SlotEditor editor(context.Session());
        service::SlotParams change;
        change.clear = args.Has("clear");
        if (const auto effect = args.Value("effect")) change.effect = Effect(*effect, editor.Rules());
        if (const auto speed = args.Int("speed", 1, service::kSpeedCount)) change.speed = *speed - 1;
        if (auto time = args.Value("time")) {
            if (time->ends_with('s')) time->pop_back();
            change.time = RequireInt(*time, 0, service::kTimeCount - 1, "--time (0s..5s)");
        }
        change.blink = OnOff(args, "blink");
        change.marquee = OnOff(args, "marquee");
        change.send = OnOff(args, "send");
        Check(editor.SetParams(slot, change));
        std::printf("slot %d: %s\n", slot + 1, context.Session().Program().FormatParams(slot).c_str());
        return ExitCode::Success;
    }
};

}  // namespace

std::unique_ptr<Command> MakeSlotCommand() { return std::make_unique<SlotCommand>(); }

}  // namespace lumitag::cli
