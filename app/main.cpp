// lumitag: the desktop program.

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <cstdio>

#include "app/Boxes.h"
#include "app/CLumitagv11Dlg.h"
#include "app/ProgramHooks.h"
#include "service/Session.h"
#include "model/ProgramFolder.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumitag"));
    QApplication::setApplicationVersion(QStringLiteral(LUMITAG_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Programs Lumitag LED signs over USB."));
    parser.addHelpOption();
    const QCommandLineOption home(QStringLiteral("home"),
                                  QStringLiteral("Use DIR as the program folder (Data/, WorkData/, Image/)."),
                                  QStringLiteral("DIR"));
    parser.addOption(home);
    parser.process(app);
    if (parser.isSet(home)) {
        const QString folder = QDir(parser.value(home)).absolutePath();
        if (!QDir().mkpath(folder)) {
            std::fprintf(stderr, "lumitag: cannot use %s as the program folder\n", qPrintable(folder));
            return 2;
        }
        lumitag::SetProgramFolder(folder.toStdString());
    }
    // The start-up of the program this one follows installed and registered a
    // serial-port control at this point. Nothing ever used it and this
    // platform has no counterpart, so that step is left out.

    lumitag::app::MessageBoxReporter boxes;
    lumitag::service::Session session(boxes);  // hidapi, real time
    lumitag::app::CLumitagv11Dlg window(session, {});
    window.SetDialogHooks(lumitag::app::ProgramDialogHooks(session, &window));
    window.show();
    return app.exec();
}
