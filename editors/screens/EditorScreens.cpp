#include "editors/screens/EditorScreens.h"

#include <QTemporaryDir>
#include <QWidget>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "editors/CDialogDate.h"
#include "editors/CDialogFace.h"
#include "editors/CDialogImg.h"
#include "editors/CTxtDialog.h"
#include "editors/CWtxtDialog.h"
#include "editors/SlotAccess.h"
#include "model/Reporter.h"
#include "model/SignProgram.h"
#include "render/content/RtfWriter.h"
#include "service/Session.h"

namespace lumitag::editors {
namespace {

struct Sample {
    QString name;
    std::string model;
    std::string content;
    std::function<std::unique_ptr<QWidget>(SlotAccess&)> open;
};

std::string SampleRtf()
{
    FormattedText text;
    CharFormat yellow{"Liberation Sans", 320, 0x0000FFFF};
    CharFormat red = yellow;
    red.colour = 0x000000FF;
    red.bold = true;
    text.Append("Lumi", yellow);
    text.Append("tag ", red);
    text.Append("[GIF_003]", yellow);
    return WriteRtf(text);
}

template <class Dialog>
std::function<std::unique_ptr<QWidget>(SlotAccess&)> Opener()
{
    return [](SlotAccess& access) { return std::make_unique<Dialog>(access, 0); };
}

std::vector<Sample> Samples()
{
    return {
        {"text-16-rows", "Q30", SampleRtf(), Opener<CTxtDialog>()},
        {"text-7-rows", "Q01", "[ASCII]HELLO [GIF_040]", Opener<CTxtDialog>()},
        {"date-16-rows", "Q30", "[DATE_111011]" + SampleRtf(), Opener<CDialogDate>()},
        {"date-7-rows", "Q03", "[DATE_000011][ASCII]NOW", Opener<CDialogDate>()},
        {"image", "Q30", "/usr/share/pixmaps/debian-logo.png;/nowhere/missing.bmp;", Opener<CDialogImg>()},
        {"glyph-text", "Q08", "[DASCII]76,8309,8301,10345,16500,18529,", Opener<CWtxtDialog>()},
        {"symbol-picker", "Q08", "", [](SlotAccess& access) -> std::unique_ptr<QWidget> {
             const auto folder = access.ProgramFolder() / "Data" / "ASCII" / "Eruope";
             return std::make_unique<CDialogFace>(nullptr, QString::fromStdString(folder.string()));
         }},
    };
}

}  // namespace

bool SaveEditorScreens(const QDir& out, const SaveWindow& save)
{
    QTemporaryDir work;
    RecordingReporter reporter;
    service::SessionOptions options;
    options.frameLog = false;
    service::Session session(reporter, options);
    bool ok = work.isValid();
    for (const Sample& sample : Samples()) {
        const std::filesystem::path file = work.filePath(sample.name + ".led").toStdString();
        {
            SignProgram program;
            program.LoadProgram(file);
            program.PutContent(0, sample.content);
        }
        if (!session.SetModelOverride(sample.model) || !session.LoadProject(file)) {
            std::fprintf(stderr, "cannot open the sample of %s\n", qPrintable(sample.name));
            ok = false;
            continue;
        }
        SessionSlotAccess access(session, service::EditOrigin::EditMenu);
        auto window = sample.open(access);
        ok = save(window.get(), out.filePath(QStringLiteral("editor-%1.png").arg(sample.name))) && ok;
    }
    return ok;
}

}  // namespace lumitag::editors
