#include "l10n/Language.h"

#include <mutex>

#include "l10n/EmbeddedPacks.h"
#include "l10n/InlineTexts.h"
#include "l10n/LanguageCatalogue.h"
#include "l10n/PackKeys.h"
#include "model/Log.h"

namespace lumitag {
namespace {

struct LanguageState {
    std::mutex mutex;
    int index = kEnglishLanguage;
    std::shared_ptr<const LanguagePack> pack;
};

LanguageState& State()
{
    static LanguageState state;
    return state;
}

std::string DialogKey(int dialog, std::string_view suffix)
{
    return "IDD" + std::to_string(dialog) + "_" + std::string(suffix);
}

std::string ReplaceBackslashN(std::string text)
{
    for (std::size_t pos = 0; (pos = text.find("\\n", pos)) != std::string::npos; ++pos)
        text.replace(pos, 2, "\n");
    return text;
}

}  // namespace

std::shared_ptr<const LanguagePack> BuiltInPack(int index)
{
    const LanguageInfo& language = LanguageFor(index);
    const auto text = FindEmbeddedPack(language.packFile);
    if (!text) return nullptr;
    return std::make_shared<const LanguagePack>(LanguagePack::Parse(*text));
}

int CurrentLanguage()
{
    LanguageState& state = State();
    std::lock_guard lock(state.mutex);
    return state.index;
}

std::shared_ptr<const LanguagePack> CurrentPack()
{
    LanguageState& state = State();
    std::lock_guard lock(state.mutex);
    if (!state.pack) {
        state.pack = BuiltInPack(state.index);
        if (!state.pack) state.pack = std::make_shared<const LanguagePack>();
    }
    return state.pack;
}

bool ApplyLanguage(int index, Reporter& reporter)
{
    return ApplyLanguage(index, BuiltInPack(index), reporter);
}

bool ApplyLanguage(int index, std::shared_ptr<const LanguagePack> pack, Reporter& reporter)
{
    const bool found = pack != nullptr;
    if (!found) {
        Log(LogLevel::Error, "language pack " + std::string(LanguageFor(index).packFile)
                                 + " is not built into the program");
        pack = std::make_shared<const LanguagePack>();
    }
    {
        LanguageState& state = State();
        std::lock_guard lock(state.mutex);
        state.index = index;
        state.pack = std::move(pack);
    }
    // Reported after the lock is released: the box blocks until answered.
    if (!found) reporter.Message(MessageKind::Error, std::string(fixed_texts::kReleaseLanguageFailure));
    return found;
}

std::string GetLangString(const LanguagePack& pack, std::string_view key)
{
    return ReplaceBackslashN(pack.Read(kStringSection, key, kNotFound));
}

std::string GetLangString(std::string_view key)
{
    return GetLangString(*CurrentPack(), key);
}

std::string DialogTitle(const LanguagePack& pack, int dialog)
{
    return pack.Read(kStringSection, DialogKey(dialog, "title"), "");
}

std::string DialogControlText(const LanguagePack& pack, int dialog, int control)
{
    return pack.Read(kStringSection, DialogKey(dialog, std::to_string(control)), "");
}

DialogTexts ApplyDialogTexts(const LanguagePack& pack, int dialog, std::span<const int> controls)
{
    DialogTexts texts;
    if (std::string title = DialogTitle(pack, dialog); !title.empty())
        texts.title = std::move(title);
    for (int control : controls)
        if (std::string text = DialogControlText(pack, dialog, control); !text.empty())
            texts.controls.emplace_back(control, std::move(text));
    return texts;
}

DialogTexts ApplyDialogTexts(int dialog, std::span<const int> controls)
{
    return ApplyDialogTexts(*CurrentPack(), dialog, controls);
}

}  // namespace lumitag
