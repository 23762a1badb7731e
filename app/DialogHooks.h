#pragma once
// What the main window opens but does not own: the content editors, the ID
// dialogs, the file choosers and the external picture editor. The program
// wires the real dialogs; tests put in their own.

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace lumitag::app {

struct DialogHooks {
    // Opens the editor for `kind` (1 text, 2 image, 3 date) on `slot`. On OK
    // the editor stores the content with the row's kind and send mark (what
    // empty content makes of the row depends on `fromPreview`) and returns true.
    std::function<bool(int slot, int kind, bool fromPreview)> editSlot{};
    // The ID editor in add / modify mode, the ID read/set tool, group send.
    std::function<void()> addIds{};
    std::function<void(int id)> modifyId{};
    std::function<void()> openIdTool{};
    std::function<void()> openGroupSend{};
    // File choosers: nothing when cancelled.
    std::function<std::optional<QString>()> chooseOutputFile{};   // write-to-file
    std::function<std::optional<QString>()> chooseProjectToOpen{};
    std::function<std::optional<QString>()> chooseProjectToSave{};
    // Starts a program detached in `folder`; false when it could not start.
    std::function<bool(const QString& program, const QString& folder)> startDetached{};
};

// The file dialogs and QProcess; the editors and ID dialogs stay empty until
// their libraries are linked.
DialogHooks DefaultDialogHooks(QWidget* parent);

}  // namespace lumitag::app
