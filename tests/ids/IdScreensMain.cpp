// Renders every ID dialog to PNG in English, Arabic and Simplified Chinese,
// for looking at them: ids_screens OUTPUT_FOLDER.

#include <QApplication>
#include <QDir>

#include "ids/IdScreens.h"
#include "l10n/Language.h"
#include "model/Reporter.h"
#include "ui/Layout.h"
#include "ui/ScreenShot.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    const QDir out(QString::fromLocal8Bit(argv[1]));
    lumitag::RecordingReporter reporter;
    lumitag::ids::IdScreens screens;
    int failures = 0;
    for (const auto& [index, tag] : {std::pair{3, "en"}, std::pair{13, "ar"}, std::pair{1, "zh"}}) {
        lumitag::ApplyLanguage(index, reporter);
        lumitag::ui::ApplyLanguageDirection(index);
        for (const QString& name : lumitag::ids::IdScreens::Names()) {
            auto window = screens.Make(name);
            const QString path = out.filePath(name + QLatin1Char('-') + QLatin1String(tag) + QStringLiteral(".png"));
            if (!lumitag::ui::SaveWindowPng(window.get(), path)) ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
