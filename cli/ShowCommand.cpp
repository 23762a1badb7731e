// `show`: the slots of the program, one line each.

#include <cstdio>

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "service/SlotEditing.h"

namespace lumitag::cli {
namespace {

constexpr OptionSpec kOptions[] = {kModelOption, kProjectOption};

std::string_view OrDash(std::string_view name) { return name.empty() ? std::string_view("-") : name; }

class ShowCommand : public Command {
public:
    std::string_view Name() const override { return "show"; }
    std::string_view Summary() const override { return "print the program: each slot's parameters and content"; }
    std::span<const OptionSpec> Options() const override { return kOptions; }

    ExitCode Run(Context& context, const Arguments& args) override
    {
        ExpectPositional(args, 0, 0);
        const std::string model = context.ModelName(args);
        context.LoadProgram(args);
        SignProgram& program = context.Session().Program();
        const service::ModelRules rules = service::RulesFor(model);
        const auto& params = program.Params();
        std::printf("program %s, model %s\n", program.ProjectPath().c_str(), model.empty() ? "(none)" : model.c_str());
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const auto at = [&](SlotField field) { return params.at(field, slot); };
            const std::string content = program.GetContent(slot);
            const std::string_view kind = OrDash(service::KindName(rules, at(SlotField::kind)));
            const std::string_view effect = OrDash(service::EffectName(rules, at(SlotField::effect)));
            std::printf("%2d%s %-5.*s effect=%.*s speed=%d time=%ds blink=%s marquee=%s send=%s  %s\n", slot + 1,
                        service::RowShown(rules, slot) ? " " : "*", static_cast<int>(kind.size()), kind.data(),
                        static_cast<int>(effect.size()), effect.data(), at(SlotField::speed) + 1, at(SlotField::time),
                        at(SlotField::blink) ? "on" : "off", at(SlotField::marquee) ? "on" : "off",
                        at(SlotField::send) ? "on" : "off", content.c_str());
        }
        if (rules.slotCount < kSlotCount) std::printf("* not shown by this model\n");
        return ExitCode::Success;
    }
};

}  // namespace

std::unique_ptr<Command> MakeShowCommand() { return std::make_unique<ShowCommand>(); }

}  // namespace lumitag::cli
