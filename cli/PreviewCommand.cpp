// `preview`: the slot rows' preview pictures, stacked into one PNG, and the
// rows playing as the sign plays them, as an animated GIF.

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <chrono>
#include <cstdio>
#include <optional>

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "cli/OutputFile.h"
#include "render/ProgramPlayback.h"
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
    {"png", "FILE", "the PNG file to write"},
    {"animate", "FILE.gif", "the animated GIF of the rows playing to write"},
    {"seconds", "N", "length of the GIF, 1..60 seconds (default 10)"},
    {"scale", "N", "enlarge each preview N times, 1..16 (default 1); in the GIF each LED is 3N pixels"},
};

constexpr int kDefaultSeconds = 10;

class PreviewCommand : public Command {
public:
    std::string_view Name() const override { return "preview"; }
    std::string_view Synopsis() const override { return "--png FILE | --animate FILE.gif [options]"; }
    std::string_view Summary() const override
    {
        return "paint the rows' previews (frame 0) into one PNG, or the rows playing into a GIF";
    }
    std::span<const OptionSpec> Options() const override { return kOptions; }
    std::string Details() const override
    {
        return "One preview per row from the top, as the main window paints them; rows\n"
               "the model does not show are left out. --animate plays every row with its\n"
               "effect, speed, dwell time, blink, marquee and animation frames, built from\n"
               "the pictures a send would transmit, and loops when it ends.\n";
    }

    ExitCode Run(Context& context, const Arguments& args) override
    {
        ExpectPositional(args, 0, 0);
        const auto png = args.Value("png");
        const auto gif = args.Value("animate");
        if (!png && !gif) throw BadInput("preview needs --png FILE or --animate FILE.gif");
        std::optional<std::filesystem::path> pngPath;
        std::optional<std::filesystem::path> gifPath;
        if (png) {
            pngPath = CheckOutputPath(*png);
            CheckNotInput(*pngPath, args.Value("project"));
        }
        if (gif) {
            gifPath = CheckOutputPath(*gif);
            CheckNotInput(*gifPath, args.Value("project"));
        }
        const int scale = args.Int("scale", 1, 16).value_or(1);
        const int seconds = args.Int("seconds", 1, 60).value_or(kDefaultSeconds);
        const std::string model = context.ModelName(args);
        context.LoadProgram(args);
        service::Session& session = context.Session();
        const ModelSettings settings = session.LinkSettings();
        // The preview draws such a picture black, as the main window does;
        // without a word the user would take the black for the picture.
        for (const auto& picture : FindUnloadablePictures(model, settings, session.Program(), false))
            session.reporter().Message(MessageKind::Warning, "slot " + std::to_string(picture.slot + 1) + ": picture " +
                                                                 picture.path + " cannot be loaded; it is shown black");
        if (gifPath) WriteAnimation(session, *gifPath, model, settings, seconds, scale);
        if (pngPath) WriteStill(session, *pngPath, model, settings, scale);
        return ExitCode::Success;
    }

private:
    static void WriteAnimation(service::Session& session, const std::filesystem::path& path,
                               const std::string& model, const ModelSettings& settings, int seconds, int scale)
    {
        SlotWindows windows(&session.Glyphs());
        windows.SetProgramFolder(session.ProgramFolder());
        windows.SetDataFolder(session.DataFolder());
        windows.Load(model, settings, session.Program());
        AnimationOptions options;
        options.length = std::chrono::seconds(seconds);
        options.ledPitch = 3 * scale;
        const GifEncoding gif = ProgramAnimationGif(windows, model, settings, session.Program().Params(), options);
        if (!gif.Ok()) throw BadInput(gif.error);
        WriteOutputFile(path, gif.bytes);
        std::printf("%d s of %d rows playing written to %s\n", seconds, ShownRows(settings), path.c_str());
    }

    static void WriteStill(service::Session& session, const std::filesystem::path& path, const std::string& model,
                           const ModelSettings& settings, int scale)
    {
        const QSize size(kPreviewWidth * scale, kPreviewHeight * scale);
        SlotWindows windows(&session.Glyphs());
        windows.SetProgramFolder(session.ProgramFolder());
        windows.SetDataFolder(session.DataFolder());
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
    }
};

}  // namespace

std::unique_ptr<Command> MakePreviewCommand() { return std::make_unique<PreviewCommand>(); }

}  // namespace lumitag::cli
