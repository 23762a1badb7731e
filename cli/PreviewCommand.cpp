// `preview`: the slot rows' preview pictures, stacked into one PNG.

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <cstdio>

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "cli/OutputFile.h"
#include "render/SlotImageBuilder.h"

namespace lumitag::cli {
namespace {

// A row preview of the main window is 180 x 15 dialog units; with the
// dialog's 9-point font a unit is 1.75 x 1.875 pixels.
constexpr int kPreviewWidth = 315;
constexpr int kPreviewHeight = 28;

constexpr OptionSpec kOptions[] = {
    kModelOption,
    kProjectOption,
    {"png", "FILE", "the PNG file to write (required)"},
    {"scale", "N", "enlarge each preview N times, 1..16 (default 1)"},
};

class PreviewCommand : public Command {
public:
    std::string_view Name() const override { return "preview"; }
    std::string_view Synopsis() const override { return "--png FILE [options]"; }
    std::string_view Summary() const override { return "paint the rows' previews (frame 0) into one PNG"; }
    std::span<const OptionSpec> Options() const override { return kOptions; }
    std::string Details() const override
    {
        return "One preview per row from the top, as the main window paints them; rows\n"
               "the model does not show are left out.\n";
    }

    ExitCode Run(Context& context, const Arguments& args) override
    {
        ExpectPositional(args, 0, 0);
        const auto png = args.Value("png");
        if (!png) throw BadInput("preview needs --png FILE");
        const std::filesystem::path path = CheckOutputPath(*png);
        CheckNotInput(path, args.Value("project"));
        const int scale = args.Int("scale", 1, 16).value_or(1);
        const std::string model = context.ModelName(args);
        context.LoadProgram(args);
        service::Session& session = context.Session();

        const ModelSettings settings = session.LinkSettings();
        const QSize size(kPreviewWidth * scale, kPreviewHeight * scale);
        SlotWindows windows(&session.Glyphs());
        windows.SetProgramFolder(session.ProgramFolder());
        windows.SetClientSize(size);
        windows.Load(model, settings, session.Program());

        const int shown = std::clamp(settings.slotCount, 1, kSlotCount);
        QImage sheet(size.width(), size.height() * shown, QImage::Format_ARGB32);
        sheet.fill(Qt::transparent);
        {
            QPainter painter(&sheet);
            for (int slot = 0; slot < shown; ++slot)
                painter.drawImage(0, slot * size.height(), windows.Window(slot).Picture());
        }
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!sheet.save(&buffer, "PNG")) throw BadInput("cannot encode the preview as PNG");
        WriteOutputFile(path, {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                               static_cast<std::size_t>(bytes.size())});
        std::printf("preview of %d rows written to %s\n", shown, path.c_str());
        return ExitCode::Success;
    }
};

}  // namespace

std::unique_ptr<Command> MakePreviewCommand() { return std::make_unique<PreviewCommand>(); }

}  // namespace lumitag::cli
