#include "app/ControlIds.h"

#include <vector>

#include "l10n/Language.h"

namespace lumitag::app {

QWidget* FindControl(const QWidget* root, int id)
{
    for (QWidget* child : root->findChildren<QWidget*>())
        if (ControlId(child) == id) return child;
    return nullptr;
}

void ApplyDialogTexts(QWidget* root, int dialog, bool tooltips)
{
    ui::ApplyDialogTexts(root, dialog);
    if (!tooltips) return;
    std::vector<int> ids;
    std::vector<QWidget*> children;
    for (QWidget* child : root->findChildren<QWidget*>()) {
        if (const int id = ControlId(child)) {
            ids.push_back(id);
            children.push_back(child);
        }
    }
    for (const auto& [id, text] : lumitag::ApplyDialogTexts(dialog, ids).controls)
        for (std::size_t i = 0; i < ids.size(); ++i)
            if (ids[i] == id) children[i]->setToolTip(QString::fromStdString(text));
}

}  // namespace lumitag::app
