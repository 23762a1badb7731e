// lumitag-screens OUTDIR [--lang CODE]: renders the main window, on a program
// with content in several rows, and every dialog of the program into PNG
// files under the offscreen platform, for review.

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <filesystem>

#include "app/AboutDialog.h"
#include "app/CLumitagv11Dlg.h"
#include "app/CWaitDlg.h"
#include "service/Session.h"
#include "app/screens/SampleProgram.h"
#include "app/screens/ScreenShot.h"
#include "ids/IdScreens.h"
#include "l10n/InlineTexts.h"
#include "l10n/LanguageCatalogue.h"
#include "link/FakeHidBackend.h"
#include "model/ProgramFolder.h"
#include "model/WorkFiles.h"

namespace {

using namespace lumitag;

int LanguageOfCode(const QString& code)
{
    for (const LanguageInfo& language : kLanguages)
        if (code.compare(QString::fromUtf8(language.packFile.data(), static_cast<qsizetype>(language.packFile.size())),
                         Qt::CaseInsensitive) == 0)
            return language.index;
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Renders the windows of Lumitag into PNG files."));
    parser.addHelpOption();
    const QCommandLineOption lang(QStringLiteral("lang"),
                                  QStringLiteral("Language pack: en, zh-Hans, zh-Hant, ja, ko, ru, th, id, ms, vi, de, "
                                                 "fr, ar, fa (default en)."),
                                  QStringLiteral("CODE"), QStringLiteral("en"));
    parser.addOption(lang);
    parser.addPositionalArgument(QStringLiteral("OUTDIR"), QStringLiteral("Where the PNG files go."));
    parser.process(app);
    if (parser.positionalArguments().size() != 1) parser.showHelp(2);
    const int language = LanguageOfCode(parser.value(lang));
    if (language == 0) {
        std::fprintf(stderr, "lumitag-screens: unknown language %s\n", qPrintable(parser.value(lang)));
        return 2;
    }
    const QDir out(parser.positionalArguments().front());
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "lumitag-screens: cannot create %s\n", qPrintable(out.path()));
        return 1;
    }

    // A throw-away program folder that borrows the built Data/ folder.
    QTemporaryDir home;
    const std::filesystem::path folder = home.path().toStdString();
    std::error_code ec;
    std::filesystem::create_directory_symlink(ExecutableFolder() / "Data", folder / "Data", ec);
    std::filesystem::create_directories(folder / "WorkData", ec);
    SetProgramFolder(folder);

    FakeHidBackend backend;
    backend.Plug("/dev/hidraw-sample");
    VirtualClock clock;
    RecordingReporter reporter;
    const std::string model = "Q26";
    {
        SettingsStore settings;
        settings.SetLedType(model);
        settings.SetLanguage(language);
        settings.SetNowSelID(1);
        GroupStore groups;
        for (int id : {1, 2, 3, 7}) {
            groups.records[static_cast<std::size_t>(id)].groups = 1;
            groups.records[static_cast<std::size_t>(id)].name = id == 1 ? "Shop" : "Sign " + std::to_string(id);
        }
        groups.records[3].checks = 1;
        groups.SaveIdList();
        SignProgram program;
        program.LoadProgram(EnsureWorkFile(1, true, model));
        app::WriteSampleProgram(program, FindModel(model)->rows, 8);
    }

    service::SessionOptions options;
    options.backend = &backend;
    options.sleeper = &clock;
    service::Session session(reporter, options);
    app::CLumitagv11Dlg window(session, {}, app::WindowOptions{false, false});
    window.OnTimer(app::CLumitagv11Dlg::kTimerFirstDevice);
    window.OnTimer(app::CLumitagv11Dlg::kTimerFillIds);
    bool ok = app::SaveWindowPng(&window, out.filePath(QStringLiteral("main-window.png")));

    app::CAboutDlg about(&window);
    ok = app::SaveWindowPng(&about, out.filePath(QStringLiteral("about.png"))) && ok;
    auto* wait = new app::CWaitDlg(&window);
    wait->SetRange(3);
    wait->SetPosition(1);
    wait->SetText(QString::fromStdString(MultiSendText(language, 7, 3, 2)));
    ok = app::SaveWindowPng(wait, out.filePath(QStringLiteral("progress.png"))) && ok;
    wait->close();
    {
        ids::IdScreens idScreens;
        for (const QString& name : ids::IdScreens::Names()) {
            const auto dialog = idScreens.Make(name);
            ok = app::SaveWindowPng(dialog.get(), out.filePath(name + QStringLiteral(".png"))) && ok;
        }
    }
    std::printf("%s\n", qPrintable(out.absolutePath()));
    return ok ? 0 : 1;
}
