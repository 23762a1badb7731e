#pragma once
// How the main window opens the sign ID dialogs. Each runs modally over the
// session's ID registry and send worker.

class QWidget;

namespace lumitag::service {
class Session;
}

namespace lumitag::ids {

// The ID editor in add mode. True when IDs were registered (the ID list
// should be rebuilt; the main window rebuilds it in any case).
bool AddIds(service::Session& session, QWidget* parent);
// The ID editor in modify mode on `id` (the current sign ID). True when the
// name was changed.
bool ModifyId(service::Session& session, int id, QWidget* parent);
// The ID read/set tool.
void OpenIdTool(service::Session& session, QWidget* parent);
// The group send dialog. The program to send is prepared from the session
// when a send button is pressed.
void OpenGroupSend(service::Session& session, QWidget* parent);

}  // namespace lumitag::ids
