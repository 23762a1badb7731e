#include "editors/screens/EditorScreens.h"

#include <QWidget>

#include "editors/CDialogDate.h"
#include "editors/CDialogImg.h"
#include "editors/CTxtDialog.h"
#include "editors/CWtxtDialog.h"
#include "editors/CDialogFace.h"
#include "editors/CEditWnd.h"
#include "model/ProgramFolder.h"
#include "render/content/RtfWriter.h"

namespace lumitag::editors {
namespace {

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

}  // namespace

std::vector<EditorScreen> EditorScreens()
{
    return {
        {"text-editor-16-rows", "Q30", SampleRtf(), Opener<CTxtDialog>()},
        {"text-editor-7-rows", "Q01", "[ASCII]HELLO [GIF_040]", Opener<CTxtDialog>()},
        {"date-editor-16-rows", "Q30", "[DATE_111011]" + SampleRtf(), Opener<CDialogDate>()},
        {"image-editor", "Q30", "/usr/share/pixmaps/debian-logo.png;/nowhere/missing.bmp;", Opener<CDialogImg>()},
        {"glyph-text-editor", "Q08", "[DASCII]76,8309,8301,10345,16500,18529,24679,", Opener<CWtxtDialog>()},
        {"symbol-picker", "Q08", "", [](SlotAccess&) -> std::unique_ptr<QWidget> {
             const QString folder = QString::fromStdString((ExecutableFolder() / "Data" / "ASCII" / "Eruope").string());
             return std::make_unique<CDialogFace>(nullptr, folder);
         }},
        {"date-editor-7-rows", "Q03", "[DATE_000011][ASCII]NOW", Opener<CDialogDate>()},
    };
}

}  // namespace lumitag::editors
