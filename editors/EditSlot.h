#pragma once
// How the main window opens a slot's editor: the editor the slot's content
// kind needs (text, glyph text on the bitmap-font models, image, date),
// modally; on OK the editor's result is stored through the slot-editing
// service, in one write of the work file.

#include <functional>

#include "service/SlotEditing.h"

class QDialog;
class QWidget;

namespace lumitag::service {
class Session;
}

namespace lumitag::editors {

class SlotAccess;

// Runs a dialog to its end and returns its result (QDialog::exec in the
// program; tests drive the dialog instead).
using DialogRunner = std::function<int(QDialog&)>;

struct EditOutcome {
    bool opened = false;    // the kind has an editor
    bool accepted = false;  // closed with OK (only after the result was stored)
    bool empty = false;     // the editor reported empty content
};

// Opens the editor for `kind` on `slot` and runs it.
EditOutcome EditSlotContent(SlotAccess& access, int slot, int kind, QWidget* parent, const DialogRunner& run = {});

// The entry point of the main window: returns whether the work file changed.
// `origin` says what empty content makes of the row (an empty Text slot that
// is sent, from the edit menu; an empty slot, from a preview double-click).
bool EditSlot(service::Session& session, int slot, int kind, QWidget* parent,
              service::EditOrigin origin = service::EditOrigin::EditMenu);

}  // namespace lumitag::editors
