#pragma once
// The dialogs the main window opens in the program: the content editors, the
// sign ID dialogs, the file dialogs and the external picture editor.

#include "app/DialogHooks.h"

namespace lumitag::service {
class Session;
}

namespace lumitag::app {

DialogHooks ProgramDialogHooks(service::Session& session, QWidget* parent);

}  // namespace lumitag::app
