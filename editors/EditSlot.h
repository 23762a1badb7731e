#pragma once
// How the main window opens a slot's editor: the editor the slot's content
// kind needs (text, glyph text on the bitmap-font models, image, date),
// modally; on OK the editor's content string is stored.

#include <functional>

class QDialog;
class QWidget;

namespace lumitag::editors {

class SlotAccess;

// Runs a dialog to its end and returns its result (QDialog::exec in the
// program; tests drive the dialog instead).
using DialogRunner = std::function<int(QDialog&)>;

// Content kinds of a slot.
inline constexpr int kKindText = 1;
inline constexpr int kKindImage = 2;
inline constexpr int kKindDate = 3;

struct EditOutcome {
    bool opened = false;    // the kind has an editor
    bool accepted = false;  // closed with OK
    bool empty = false;     // OK with empty content: "" was stored
    bool stored = false;    // the work file was written
};

// Opens the editor for `kind` on `slot`. On OK the editor stores its content;
// when it reports empty content the slot's content becomes "". What the row
// then becomes (its kind and send flag) is the caller's business.
EditOutcome EditSlotContent(SlotAccess& access, int slot, int kind, QWidget* parent,
                            const DialogRunner& run = {});

}  // namespace lumitag::editors

#if __has_include("service/Session.h")
namespace lumitag::service {
class Session;
}
namespace lumitag::editors {
// The entry point of the main window: returns whether the work file changed.
bool EditSlot(service::Session& session, int slot, int kind, QWidget* parent);
}  // namespace lumitag::editors
#endif
