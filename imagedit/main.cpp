// imagedit: the picture editor of the program folder's Tools/ (see Startup.h).

#include "imagedit/ImageEditorWindow.h"
#include "imagedit/Startup.h"
#include "model/ProgramFolder.h"
#include "ui/BoxReporter.h"
#include "ui/Layout.h"

#include <QApplication>
#include <QTimer>

#include <iostream>

int main(int argc, char** argv)
{
    using namespace lumitag;
    const imagedit::CommandLine line = imagedit::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (line.help) {
        std::cout << imagedit::UsageText();
        return 0;
    }
    if (!line.error.empty()) {
        std::cerr << "imagedit: " << line.error << "\n" << imagedit::UsageText();
        return 2;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("imagedit"));
    QApplication::setApplicationDisplayName(ui::ProductCaption());
    UseFolders(imagedit::FoldersOf(ExecutableFolder(), line.home.value_or(""), UserEnvironment::FromProcess()));
    const auto home = ProgramFolder();
    ui::ApplyLanguageDirection(imagedit::LanguageFromSettings(home));

    ui::BoxReporter reporter;
    imagedit::ImageEditorWindow window(imagedit::FormatFromSettings(home), reporter);
    reporter.SetParentWindow(&window);
    window.show();
    if (line.file) {
        const QString file = QString::fromStdString(*line.file);
        QTimer::singleShot(0, &window, [&window, file] { window.OpenFile(file); });
    }
    return app.exec();
}
