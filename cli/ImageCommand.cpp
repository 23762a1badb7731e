// `image`: a slot's picture list, as the image editor stores it.

#include <cstdio>

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "cli/Composer.h"
#include "render/PictureLoader.h"
#include "render/content/ContentWriter.h"
#include "service/SlotEditing.h"

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
        std::vector<std::string> added;
        for (std::size_t i = 1; i < args.Positional().size(); ++i) {
            const std::filesystem::path path = std::filesystem::absolute(args.Positional()[i]);
            if (LoadPicture(path).isNull()) throw BadInput("cannot load picture " + path.string());
            added.push_back(path.string());
        }
        context.ModelName(args);
        context.LoadProgram(args);
        std::vector<std::string> paths;
        if (args.Has("append")) paths = ImageListEntries(context.Session().Program().GetContent(slot));
        paths.insert(paths.end(), added.begin(), added.end());
        service::SlotEditor editor(context.Session());
        const std::string list = Check(editor.SetPictures(slot, paths));
        std::printf("slot %d: %s\n", slot + 1, list.c_str());
        return ExitCode::Success;
    }
};

}  // namespace

std::unique_ptr<Command> MakeImageCommand() { return std::make_unique<ImageCommand>(); }

}  // namespace lumitag::cli
