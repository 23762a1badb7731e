// lumitag-editor-screens FOLDER [LANGUAGE...]: writes every editor dialog as
// PNG pictures per language (default English 3, Arabic 13, Simplified
// Chinese 1) into FOLDER/<language>/.

#include <QApplication>
#include <QDir>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "editors/screens/EditorScreens.h"
#include "l10n/Language.h"
#include "model/ProgramFolder.h"
#include "model/Reporter.h"
#include "ui/Layout.h"
#include "ui/ScreenShot.h"

using namespace lumitag;

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: lumitag-editor-screens FOLDER [LANGUAGE...]\n");
        return 2;
    }
    std::vector<int> languages;
    for (int i = 2; i < argc; ++i) languages.push_back(std::atoi(argv[i]));
    if (languages.empty()) languages = {3, 13, 1};

    RecordingReporter reporter;
    bool ok = true;
    for (int language : languages) {
        ApplyLanguage(language, reporter);
        ui::ApplyLanguageDirection(language);
        const QDir out(QStringLiteral("%1/%2").arg(QString::fromLocal8Bit(argv[1])).arg(language));
        QDir().mkpath(out.path());
        ok = editors::SaveEditorScreens(out, ui::SaveWindowPng) && ok;
    }
    return ok ? 0 : 1;
}
