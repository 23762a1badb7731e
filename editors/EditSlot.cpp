#include "editors/EditSlot.h"

#include <QDialog>

#include <memory>

#include "editors/CDialogDate.h"
#include "editors/CDialogImg.h"
#include "editors/CTxtDialog.h"
#include "editors/CWtxtDialog.h"
#include "editors/SlotAccess.h"
#include "model/DeviceCatalogue.h"

namespace lumitag::editors {
namespace {

struct OpenedEditor {
    std::unique_ptr<QDialog> dialog;
    std::function<bool()> contentEmpty;
    std::function<bool()> stored;
};

template <class Dialog>
OpenedEditor Open(SlotAccess& access, int slot, QWidget* parent)
{
    auto dialog = std::make_unique<Dialog>(access, slot, parent);
    Dialog* raw = dialog.get();
    return {std::move(dialog), [raw] { return raw->ContentEmpty(); }, [raw] { return raw->Stored(); }};
}

OpenedEditor OpenEditor(SlotAccess& access, int slot, int kind, QWidget* parent)
{
    switch (kind) {
    case kKindText:
        if (UsesBitmapFontEditor(access.ModelName())) return Open<CWtxtDialog>(access, slot, parent);
        return Open<CTxtDialog>(access, slot, parent);
    case kKindImage:
        return Open<CDialogImg>(access, slot, parent);
    case kKindDate:
        return Open<CDialogDate>(access, slot, parent);
    default:
        return {};
    }
}

}  // namespace

EditOutcome EditSlotContent(SlotAccess& access, int slot, int kind, QWidget* parent, const DialogRunner& run)
{
    EditOutcome outcome;
    OpenedEditor editor = OpenEditor(access, slot, kind, parent);
    if (!editor.dialog) return outcome;
    outcome.opened = true;
    const int result = run ? run(*editor.dialog) : editor.dialog->exec();
    if (result != QDialog::Accepted) return outcome;
    outcome.accepted = true;
    outcome.stored = editor.stored();
    if (editor.contentEmpty()) {
        outcome.empty = true;
        outcome.stored = access.PutContent(slot, std::string()) || outcome.stored;
    }
    return outcome;
}

}  // namespace lumitag::editors
