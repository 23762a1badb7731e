#include "ids/DialogSupport.h"

#include <QComboBox>
#include <QDialog>

#include <vector>

#include "l10n/Language.h"
#include "ui/DialogStyle.h"
#include "ui/DialogTexts.h"

namespace lumitag::ids {
namespace {

constexpr int kIdEntries = 256;

}  // namespace

QComboBox* MakeIdList(int controlId, QWidget* parent)
{
    auto* list = new QComboBox(parent);
    ui::SetControlId(list, controlId);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    for (int id = 1; id <= kIdEntries; ++id) list->addItem(QString::number(id));
    list->setCurrentIndex(0);
    return list;
}

void PrepareDialog(QDialog* dialog, int dialogId)
{
    ui::ApplyDialogBackground(dialog);
    ui::ApplyDialogTexts(dialog, dialogId);
    std::vector<int> ids;
    for (const QWidget* child : dialog->findChildren<QWidget*>())
        if (const int id = ui::ControlId(child); id != 0) ids.push_back(id);
    for (const auto& [id, text] : lumitag::ApplyDialogTexts(dialogId, ids).controls)
        if (QWidget* control = FindControl(dialog, id)) control->setToolTip(QString::fromStdString(text));
}

QWidget* FindControl(const QWidget* root, int id)
{
    for (QWidget* child : root->findChildren<QWidget*>())
        if (ui::ControlId(child) == id) return child;
    return nullptr;
}

}  // namespace lumitag::ids
