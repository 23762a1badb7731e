#include "app/DialogHooks.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QProcess>

namespace lumitag::app {

DialogHooks DefaultDialogHooks(QWidget* parent)
{
    DialogHooks hooks;
    hooks.chooseOutputFile = [parent]() -> std::optional<QString> {
        const QString path = QFileDialog::getSaveFileName(parent, QString(), QString(), QString(), nullptr,
                                                          QFileDialog::DontConfirmOverwrite);
        if (path.isEmpty()) return std::nullopt;
        return path;
    };
    const QString filter = QStringLiteral("LED Files (*.led)");
    hooks.chooseProjectToOpen = [parent, filter]() -> std::optional<QString> {
        const QString path = QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
        if (path.isEmpty()) return std::nullopt;
        return path;
    };
    hooks.chooseProjectToSave = [parent, filter]() -> std::optional<QString> {
        QString path = QFileDialog::getSaveFileName(parent, QString(), QString(), filter);
        if (path.isEmpty()) return std::nullopt;
        if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".led");
        return path;
    };
    hooks.startDetached = [](const QString& program, const QString& folder) {
        return QProcess::startDetached(program, {}, folder);
    };
    return hooks;
}

}  // namespace lumitag::app
