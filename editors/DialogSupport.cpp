#include "editors/DialogSupport.h"

#include <QWidget>

#include <vector>

#include "l10n/Language.h"
#include "ui/Art.h"
#include "ui/DialogStyle.h"
#include "ui/DialogTexts.h"

static void InitEditorArt() { Q_INIT_RESOURCE(editors); }

namespace lumitag::editors {

void Identify(QWidget* widget, int controlId)
{
    ui::SetControlId(widget, controlId);
    // Tests and the review tool find controls by their number.
    widget->setObjectName(QStringLiteral("id%1").arg(controlId));
}

int IdentifierOf(const QWidget* widget) { return ui::ControlId(widget); }

QWidget* FindControl(QWidget* root, int controlId)
{
    return root->findChild<QWidget*>(QStringLiteral("id%1").arg(controlId));
}

void Relabel(QWidget* root, int dialogId, bool tooltips)
{
    ui::ApplyDialogTexts(root, dialogId);
    if (!tooltips) return;
    std::vector<QWidget*> widgets;
    std::vector<int> ids;
    for (QWidget* child : root->findChildren<QWidget*>()) {
        if (const int id = IdentifierOf(child)) {
            widgets.push_back(child);
            ids.push_back(id);
        }
    }
    for (const auto& [id, text] : ApplyDialogTexts(dialogId, ids).controls)
        for (std::size_t i = 0; i < ids.size(); ++i)
            if (ids[i] == id) widgets[i]->setToolTip(QString::fromStdString(text));
}

void PrepareDialog(QWidget* dialog) { ui::ApplyDialogBackground(dialog); }

QIcon EditorIcon(const QString& name)
{
    InitEditorArt();
    return ui::ArtIcon(QStringLiteral("editor-") + name);
}

}  // namespace lumitag::editors
