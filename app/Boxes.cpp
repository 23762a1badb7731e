#include "app/Boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>
#include <functional>

namespace lumitag::app {
namespace {

MessageKind KindOf(BoxIcon icon)
{
    switch (icon) {
    case BoxIcon::Warning: return MessageKind::Warning;
    case BoxIcon::Error: return MessageKind::Error;
    default: return MessageKind::Info;
    }
}

QMessageBox::Icon QtIcon(BoxIcon icon)
{
    switch (icon) {
    case BoxIcon::None: return QMessageBox::NoIcon;
    case BoxIcon::Information: return QMessageBox::Information;
    case BoxIcon::Warning: return QMessageBox::Warning;
    case BoxIcon::Error: return QMessageBox::Critical;
    case BoxIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

BoxIcon IconOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Info: return BoxIcon::Information;
    case MessageKind::Warning: return BoxIcon::Warning;
    case MessageKind::Error: return BoxIcon::Error;
    }
    return BoxIcon::None;
}

}  // namespace

void ShowBox(Reporter& reporter, BoxIcon icon, const std::string& caption, const std::string& text)
{
    if (auto* captioned = dynamic_cast<CaptionedReporter*>(&reporter))
        captioned->Show(icon, caption, text);
    else
        reporter.Message(KindOf(icon), text);
}

bool AskBox(Reporter& reporter, BoxIcon icon, const std::string& caption, const std::string& text)
{
    if (auto* captioned = dynamic_cast<CaptionedReporter*>(&reporter))
        return captioned->AskYesNo(icon, caption, text);
    return reporter.Ask(text);
}

void MessageBoxReporter::Message(MessageKind kind, const std::string& text)
{
    Show(IconOf(kind), kProductCaption, text);
}

bool MessageBoxReporter::Ask(const std::string& text)
{
    return AskYesNo(BoxIcon::Question, kProductCaption, text);
}

void MessageBoxReporter::Show(BoxIcon icon, const std::string& caption, const std::string& text)
{
    OnGuiThread([&] {
        QMessageBox box(QtIcon(icon), QString::fromStdString(caption), QString::fromStdString(text),
                        QMessageBox::Ok, QApplication::activeWindow());
        box.exec();
        return true;
    });
}

bool MessageBoxReporter::AskYesNo(BoxIcon icon, const std::string& caption, const std::string& text)
{
    return OnGuiThread([&] {
        QMessageBox box(QtIcon(icon), QString::fromStdString(caption), QString::fromStdString(text),
                        QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
        return box.exec() == QMessageBox::Yes;
    });
}

bool MessageBoxReporter::OnGuiThread(const std::function<bool()>& box)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread()) return box();
    // A worker (the "usb write error!" of a job) waits here; the GUI thread
    // never waits on the worker, so this cannot deadlock.
    bool answer = false;
    QMetaObject::invokeMethod(app, [&] { answer = box(); }, Qt::BlockingQueuedConnection);
    return answer;
}

}  // namespace lumitag::app
