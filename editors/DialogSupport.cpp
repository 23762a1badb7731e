#include "editors/DialogSupport.h"

#include <QCheckBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include <vector>

#include "editors/OffsetControl.h"
#include "editors/PreviewView.h"
#include "editors/SlotAccess.h"
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

OkCancel LayOutEditor(QDialog* dialog, QWidget* previewBox, QWidget* editBox)
{
    auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
    Identify(ok, 1);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    Identify(cancel, 2);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(previewBox);
    layout->addWidget(editBox, 1);
    layout->addLayout(buttons);
    return {ok, cancel};
}

void FollowLayoutControls(QDialog* dialog, QCheckBox* arabic, OffsetControl* offset, SlotAccess& access, int slot,
                          PreviewView* preview)
{
    QObject::connect(arabic, &QCheckBox::clicked, dialog, [&access, slot, preview](bool checked) {
        access.SetField(SlotField::arabic, slot, checked ? 1 : 0);
        preview->Window().SetArabic(checked ? 1 : 0);
        preview->Refresh();
    });
    QObject::connect(offset, &OffsetControl::OffsetChosen, dialog, [&access, slot, preview](int value) {
        access.SetField(SlotField::offset, slot, value);
        preview->Window().SetVerticalOffset(value);
        preview->Refresh();
    });
}

}  // namespace lumitag::editors
