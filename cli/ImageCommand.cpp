// `image`: a slot's picture list, as the image editor stores it.

#include <cstdio>

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "cli/Composer.h"
#include "render/PictureLoader.h"
#include "render/content/ContentString.h"

namespace lumitag::cli {
namespace {

constexpr OptionSpec kOptions[] = {
    kModelOption,
    kProjectOption,
    {"append", "", "add the pictures after the slot's current list"},
};

class ImageCommand : public Command {
public:
    std::string_view Name() const override { return "image"; }
    std::string_view Synopsis() const override { return "[options] SLOT PICTURE..."; }
    std::string_view Summary() const override { return "set a slot's picture list (drawn side by side)"; }
    std::span<const OptionSpec> Options() const override { return kOptions; }
    std::string Details() const override
    {
        return "Pictures (BMP, PNG, JPEG, GIF) are stored by their full path, drawn from\n"
               "left to right at their own size. Each must load, or nothing is changed.\n"
               "The slot is marked for sending.\n";
    }

    ExitCode Run(Context& context, const Arguments& args) override
    {
        ExpectPositional(args, 2, std::size_t(-1));
        const int slot = ParseSlot(args.Positional()[0]);
        std::string list;
        for (std::size_t i = 1; i < args.Positional().size(); ++i) {
            const std::filesystem::path path = std::filesystem::absolute(args.Positional()[i]);
            if (path.string().find(';') != std::string::npos)
                throw BadInput("a picture path may not contain \";\": " + path.string());
            if (LoadPicture(path).isNull()) throw BadInput("cannot load picture " + path.string());
            list += path.string() + ";";
        }
        ComposeTarget target;
        OpenComposeTarget(context, args, target);
        CheckSlotShown(target, slot);
        if (args.Has("append")) {
            const std::string existing = target.program.GetContent(slot);
            if (DetectContentForm(existing) == ContentForm::ImageList) {
                // Text after the last ";" is no entry.
                const auto end = existing.rfind(';');
                if (end != std::string::npos) list = existing.substr(0, end + 1) + list;
            }
        }
        StoreEditorResult(target, slot, list, false, kKindImage);
        std::printf("slot %d: %s\n", slot + 1, list.c_str());
        return ExitCode::Success;
    }
};

}  // namespace

std::unique_ptr<Command> MakeImageCommand() { return std::make_unique<ImageCommand>(); }

}  // namespace lumitag::cli
