#include "app/ControlIds.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <vector>

#include "l10n/Language.h"

namespace lumitag::app {
namespace {
constexpr const char* kIdProperty = "lumitagControlId";

void SetWidgetText(QWidget* widget, const QString& text)
{
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(text);
    else if (auto* box = qobject_cast<QGroupBox*>(widget))
        box->setTitle(text);
    else
        widget->setWindowTitle(text);
}
}  // namespace

void SetControlId(QWidget* widget, int id) { widget->setProperty(kIdProperty, id); }

int ControlId(const QWidget* widget)
{
    const QVariant id = widget->property(kIdProperty);
    return id.isValid() ? id.toInt() : 0;
}

QWidget* FindControl(const QWidget* root, int id)
{
    for (QWidget* child : root->findChildren<QWidget*>())
        if (ControlId(child) == id) return child;
    return nullptr;
}

void ApplyDialogTexts(QWidget* root, int dialog, bool tooltips)
{
    std::vector<QWidget*> children;
    std::vector<int> ids;
    for (QWidget* child : root->findChildren<QWidget*>()) {
        if (const int id = ControlId(child)) {
            children.push_back(child);
            ids.push_back(id);
        }
    }
    const DialogTexts texts = lumitag::ApplyDialogTexts(dialog, ids);
    if (texts.title) root->setWindowTitle(QString::fromStdString(*texts.title));
    for (const auto& [id, text] : texts.controls) {
        const QString value = QString::fromStdString(text);
        for (QWidget* child : children) {
            if (ControlId(child) != id) continue;
            SetWidgetText(child, value);
            if (tooltips) child->setToolTip(value);
        }
    }
}

void ApplyDialogBackground(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QColor(240, 250, 255));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

}  // namespace lumitag::app
