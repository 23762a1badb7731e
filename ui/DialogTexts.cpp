#include "ui/DialogTexts.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QVariant>
#include <QWidget>
#include <vector>

#include "l10n/Language.h"

namespace lumitag::ui {

namespace {

constexpr const char* kControlIdProperty = "lumitagControlId";

void SetWidgetText(QWidget* widget, const QString& text)
{
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
        group->setTitle(text);
    else
        widget->setToolTip(text);
}

}  // namespace

void SetControlId(QWidget* widget, int id)
{
    widget->setProperty(kControlIdProperty, id);
}

int ControlId(const QWidget* widget)
{
    return widget->property(kControlIdProperty).toInt();
}

void ApplyDialogTexts(QWidget* root, int dialogId)
{
    std::vector<int> ids;
    std::vector<QWidget*> widgets;
    for (QWidget* child : root->findChildren<QWidget*>()) {
        if (int id = ControlId(child); id != 0) {
            ids.push_back(id);
            widgets.push_back(child);
        }
    }
    const DialogTexts texts = lumitag::ApplyDialogTexts(dialogId, ids);
    if (texts.title) root->setWindowTitle(QString::fromStdString(*texts.title));
    for (const auto& [id, text] : texts.controls) {
        for (std::size_t i = 0; i < ids.size(); ++i)
            if (ids[i] == id) SetWidgetText(widgets[i], QString::fromStdString(text));
    }
}

}  // namespace lumitag::ui
