#include "editors/DialogSupport.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

#include <vector>

#include "l10n/Language.h"

static void InitEditorArt() { Q_INIT_RESOURCE(editors); }

namespace lumitag::editors {
namespace {

constexpr const char* kIdProperty = "lumitagControlId";

void SetText(QWidget* widget, const QString& text)
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

void Identify(QWidget* widget, int controlId)
{
    widget->setProperty(kIdProperty, controlId);
    widget->setObjectName(QStringLiteral("id%1").arg(controlId));
}

int IdentifierOf(const QWidget* widget)
{
    const QVariant id = widget->property(kIdProperty);
    return id.isValid() ? id.toInt() : 0;
}

QWidget* FindControl(QWidget* root, int controlId)
{
    return root->findChild<QWidget*>(QStringLiteral("id%1").arg(controlId));
}

void Relabel(QWidget* root, int dialogId, bool tooltips)
{
    std::vector<QWidget*> widgets;
    std::vector<int> ids;
    for (QWidget* child : root->findChildren<QWidget*>()) {
        if (const int id = IdentifierOf(child)) {
            widgets.push_back(child);
            ids.push_back(id);
        }
    }
    const DialogTexts texts = ApplyDialogTexts(dialogId, ids);
    if (texts.title) root->setWindowTitle(QString::fromStdString(*texts.title));
    for (const auto& [id, text] : texts.controls) {
        const QString label = QString::fromStdString(text);
        for (std::size_t i = 0; i < ids.size(); ++i) {
            if (ids[i] != id) continue;
            SetText(widgets[i], label);
            if (tooltips) widgets[i]->setToolTip(label);
        }
    }
}

void PrepareDialog(QWidget* dialog)
{
    QPalette palette = dialog->palette();
    palette.setColor(QPalette::Window, QColor(240, 250, 255));
    dialog->setPalette(palette);
    dialog->setAutoFillBackground(true);
    const int language = CurrentLanguage();
    dialog->setLayoutDirection(language == 13 || language == 14 ? Qt::RightToLeft : Qt::LeftToRight);
}

QIcon EditorIcon(const QString& name)
{
    InitEditorArt();
    return QIcon(QStringLiteral(":/editors/art/%1.svg").arg(name));
}

}  // namespace lumitag::editors
