#include "ui/BoxReporter.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QThread>

namespace lumitag::ui {

QString ProductCaption()
{
    return QStringLiteral("Lumitag");
}

BoxReporter::BoxReporter(QWidget* parentWindow) : parent_(parentWindow) {}

template <typename Show>
void BoxReporter::OnGuiThread(Show show)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread())
        show();
    else
        QMetaObject::invokeMethod(app, show, Qt::BlockingQueuedConnection);
}

void BoxReporter::Message(MessageKind kind, const std::string& text)
{
    const QString body = QString::fromStdString(text);
    OnGuiThread([&] {
        switch (kind) {
        case MessageKind::Info: QMessageBox::information(parent_, ProductCaption(), body); break;
        case MessageKind::Warning: QMessageBox::warning(parent_, ProductCaption(), body); break;
        case MessageKind::Error: QMessageBox::critical(parent_, ProductCaption(), body); break;
        }
    });
}

bool BoxReporter::Ask(const std::string& text)
{
    const QString body = QString::fromStdString(text);
    bool yes = false;
    OnGuiThread([&] {
        yes = QMessageBox::question(parent_, ProductCaption(), body, QMessageBox::Yes | QMessageBox::No) ==
              QMessageBox::Yes;
    });
    return yes;
}

}  // namespace lumitag::ui
