#include "ids/IdDialogs.h"

#include "ids/CDialogGroup.h"
#include "ids/CDialogID.h"
#include "ids/CDialogIDSet.h"
#include "ids/SessionIdServices.h"

namespace lumitag::ids {

bool AddIds(service::Session& session, QWidget* parent)
{
    SessionIdServices services(session);
    CDialogID dialog(services, CDialogID::Mode::Add, 0, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool ModifyId(service::Session& session, int id, QWidget* parent)
{
    SessionIdServices services(session);
    CDialogID dialog(services, CDialogID::Mode::Modify, id, parent);
    return dialog.exec() == QDialog::Accepted;
}

void OpenIdTool(service::Session& session, QWidget* parent)
{
    SessionIdServices services(session);
    CDialogIDSet dialog(services, parent);
    dialog.exec();
}

void OpenGroupSend(service::Session& session, QWidget* parent)
{
    SessionIdServices services(session);
    CDialogGroup dialog(services, parent);
    dialog.exec();
}

}  // namespace lumitag::ids
