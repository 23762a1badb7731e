// `show`: the slots of the program, one line each.

#include <cstdio>

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "cli/Composer.h"

namespace lumitag::cli {
namespace {

constexpr OptionSpec kOptions[] = {kModelOption, kProjectOption};

std::string_view KindName(int kind, bool hasClock)
{
    for (const auto& item : ContentKindItems(hasClock))
        if (item.code == kind) return item.english;
    return "-";
}

std::string_view EffectName(int effect, int effectMenu)
{
    const auto items = EffectMenuItems(effectMenu);
    return effect >= 0 && effect < static_cast<int>(items.size()) ? items[static_cast<std::size_t>(effect)].english
                                                                  : std::string_view("-");
}

class ShowCommand : public Command {
public:
    std::string_view Name() const override { return "show"; }
    std::string_view Summary() const override { return "print the program: each slot's parameters and content"; }
    std::span<const OptionSpec> Options() const override { return kOptions; }

    ExitCode Run(Context& context, const Arguments& args) override
    {
        ExpectPositional(args, 0, 0);
        ComposeTarget target;
        OpenComposeTarget(context, args, target);
        const auto& params = target.program.Params();
        std::printf("program %s, model %s\n", target.program.ProjectPath().c_str(),
                    target.model.empty() ? "(none)" : target.model.c_str());
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const auto at = [&](SlotField field) { return params.at(field, slot); };
            const std::string content = target.program.GetContent(slot);
            std::printf("%2d%s %-5.*s effect=%.*s speed=%d time=%ds blink=%s marquee=%s send=%s  %s\n", slot + 1,
                        slot < target.settings.slotCount ? " " : "*",
                        static_cast<int>(KindName(at(SlotField::kind), target.settings.hasClock).size()),
                        KindName(at(SlotField::kind), target.settings.hasClock).data(),
                        static_cast<int>(EffectName(at(SlotField::effect), target.settings.effectMenu).size()),
                        EffectName(at(SlotField::effect), target.settings.effectMenu).data(), at(SlotField::speed) + 1,
                        at(SlotField::time), at(SlotField::blink) ? "on" : "off",
                        at(SlotField::marquee) ? "on" : "off", at(SlotField::send) ? "on" : "off", content.c_str());
        }
        if (target.settings.slotCount < kSlotCount) std::printf("* not shown by this model\n");
        return ExitCode::Success;
    }
};

}  // namespace

std::unique_ptr<Command> MakeShowCommand() { return std::make_unique<ShowCommand>(); }

}  // namespace lumitag::cli
