#include "app/ProgramHooks.h"

#include "editors/EditSlot.h"
#include "ids/IdDialogs.h"
#include "service/Session.h"

namespace lumitag::app {

DialogHooks ProgramDialogHooks(service::Session& session, QWidget* parent)
{
    DialogHooks hooks = DefaultDialogHooks(parent);
    hooks.editSlot = [&session, parent](int slot, int kind, bool fromPreview) {
        return editors::EditSlot(session, slot, kind, parent,
                                 fromPreview ? service::EditOrigin::Preview : service::EditOrigin::EditMenu);
    };
    hooks.addIds = [&session, parent] { ids::AddIds(session, parent); };
    hooks.modifyId = [&session, parent](int id) { ids::ModifyId(session, id, parent); };
    hooks.openIdTool = [&session, parent] { ids::OpenIdTool(session, parent); };
    hooks.openGroupSend = [&session, parent] { ids::OpenGroupSend(session, parent); };
    return hooks;
}

}  // namespace lumitag::app
