#include "editors/EditSlot.h"

#include <QDialog>

#include <memory>

#include "editors/CDialogDate.h"
#include "editors/CDialogImg.h"
#include "editors/CTxtDialog.h"
#include "editors/CWtxtDialog.h"
#include "editors/SlotAccess.h"

namespace lumitag::editors {
namespace {

struct OpenedEditor {
    std::unique_ptr<QDialog> dialog;
    std::function<bool()> contentEmpty;
};

template <class Dialog>
OpenedEditor Open(SlotAccess& access, int slot, QWidget* parent)
{
    auto dialog = std::make_unique<Dialog>(access, slot, parent);
    Dialog* raw = dialog.get();
    return {std::move(dialog), [raw] { return raw->ContentEmpty(); }};
}

OpenedEditor OpenEditor(SlotAccess& access, int slot, int kind, QWidget* parent)
{
    switch (kind) {
    case kKindText:
        if (access.Rules().textEditor == service::TextEditorKind::BitmapFont)
            return Open<CWtxtDialog>(access, slot, parent);
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
    // The editors accept only once the service has stored their result.
    outcome.accepted = result == QDialog::Accepted;
    outcome.empty = outcome.accepted && editor.contentEmpty();
    return outcome;
}

bool EditSlot(service::Session& session, int slot, int kind, QWidget* parent, service::EditOrigin origin)
{
    SessionSlotAccess access(session, origin);
    return EditSlotContent(access, slot, kind, parent).accepted;
}

}  // namespace lumitag::editors
