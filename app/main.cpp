// lumitag: the desktop program.

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <cstdio>
#include <filesystem>

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
    std::filesystem::path homeFolder;
    if (parser.isSet(home)) {
        const QString folder = QDir(parser.value(home)).absolutePath();
        if (!QDir().mkpath(folder)) {
            std::fprintf(stderr, "lumitag: cannot use %s as the program folder\n", qPrintable(folder));
            return 2;
        }
        homeFolder = folder.toStdString();
    }
    // A build tree or --home is one folder; an installed program reads its
    // shared data and writes into the user's data folder.
    lumitag::UseFolders(
        lumitag::LocateFolders(lumitag::ExecutableFolder(), homeFolder, lumitag::UserEnvironment::FromProcess()));
    std::error_code ec;
    std::filesystem::create_directories(lumitag::ProgramFolder(), ec);
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
