// lumitag-editor-screens FOLDER [LANGUAGE...]: writes every editor dialog as
// a PNG per language (default English 3, Arabic 13, Simplified Chinese 1).

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdio>

#include "editors/SlotAccess.h"
#include "editors/screens/EditorScreens.h"
#include "l10n/Language.h"
#include "model/ProgramFolder.h"
#include "model/Reporter.h"
#include "model/SignProgram.h"
#include "service/Session.h"
#include "ui/Layout.h"
#include "ui/ScreenShot.h"

using namespace lumitag;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: lumitag-editor-screens FOLDER [LANGUAGE...]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    std::vector<int> languages;
    for (int i = 2; i < argc; ++i) languages.push_back(std::atoi(argv[i]));
    if (languages.empty()) languages = {3, 13, 1};

    QTemporaryDir work;
    RecordingReporter reporter;
    service::SessionOptions options;
    options.programFolder = ExecutableFolder();
    options.frameLog = false;
    service::Session session(reporter, options);
    int failures = 0;
    for (int language : languages) {
        ApplyLanguage(language, reporter);
        ui::ApplyLanguageDirection(language);
        for (const auto& screen : editors::EditorScreens()) {
            const std::filesystem::path file = work.filePath(screen.name + ".led").toStdString();
            {
                SignProgram program;
                program.LoadProgram(file);
                program.PutContent(0, screen.content);
            }
            if (!session.SetModelOverride(screen.model.toStdString()) || !session.LoadProject(file)) {
                std::fprintf(stderr, "cannot open the sample of %s\n", qPrintable(screen.name));
                ++failures;
                continue;
            }
            editors::SessionSlotAccess access(session, service::EditOrigin::EditMenu);
            auto window = screen.open(access);
            const QString path = QStringLiteral("%1/%2-%3.png").arg(out, screen.name).arg(language);
            if (!ui::SaveWindowPng(window.get(), path)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                ++failures;
            }
        }
    }
    return failures ? 1 : 0;
}
