// `language`: the Language menu: shows or stores the interface language,
// which also picks the language of the messages printed here.

#include <cstdio>

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "l10n/Language.h"
#include "l10n/LanguageCatalogue.h"
#include "l10n/LanguageSettings.h"

namespace lumitag::cli {
namespace {

class LanguageCommand : public Command {
public:
    std::string_view Name() const override { return "language"; }
    std::string_view Synopsis() const override { return "[INDEX|CODE]"; }
    std::string_view Summary() const override { return "show the languages, or store the interface language"; }
    std::string Details() const override
    {
        return "INDEX is 1..14 as listed, CODE the pack's code (en, de, zh-Hans, ...).\n";
    }

    ExitCode Run(Context& context, const Arguments& args) override
    {
        ExpectPositional(args, 0, 1);
        if (args.Positional().empty()) {
            const int current = CurrentLanguage();
            for (const auto& language : kLanguages)
                std::printf("%s%2d  %-7.*s %.*s\n", language.index == current ? "*" : " ", language.index,
                            static_cast<int>(language.packFile.size()), language.packFile.data(),
                            static_cast<int>(language.name.size()), language.name.data());
            return ExitCode::Success;
        }
        const std::string& wanted = args.Positional()[0];
        int index = ParseInt(wanted, 1, static_cast<int>(kLanguages.size())).value_or(0);
        for (const auto& language : kLanguages)
            if (language.packFile == wanted) index = language.index;
        if (index == 0) throw BadInput("unknown language \"" + wanted + "\" (see `lumitag-cli language`)");
        ChooseLanguage(index, context.Settings(), context.Reporter());
        if (context.Settings().GetLanguage() != index)
            throw BadInput("cannot write the settings " + context.Settings().Path().string());
        std::printf("language %d (%s)\n", index, std::string(LanguageFor(index).name).c_str());
        return ExitCode::Success;
    }
};

}  // namespace

std::unique_ptr<Command> MakeLanguageCommand() { return std::make_unique<LanguageCommand>(); }

}  // namespace lumitag::cli
