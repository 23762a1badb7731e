#include "render/SlotImageBuilder.h"

#include <algorithm>

#include "model/SignProgram.h"
#include "render/GlyphCodePacker.h"
#include "render/ImagePacker.h"
#include "render/LayoutFlag.h"
#include "render/PictureLoader.h"

namespace lumitag {
namespace {

constexpr int kPlaneRows = 12;
constexpr int kDateKind = 3;

// The bytes of one rendered frame, as PackImageFile would read them back from
// its file (32-bit BMP keeps every opaque pixel as it is).
void Pack(const QImage& frame, PackedImage& record, const PackSettings& settings)
{
    record.Clear();
    record.data = PackPixels(frame, settings);
    record.size = static_cast<int>(record.data.size());
}

}  // namespace

void ConfigureSlotWindow(CImageWnd& window, std::string_view model, const ModelSettings& settings,
                         const SlotParamTable& params, int slot)
{
    window.SetRows(settings.rows);
    window.SetHeightOverride(PreviewHeightOverride(model));
    window.SetPaging(settings.pageWidth, settings.pagePitch);
    window.SetLayoutFlag(
        LayoutFlagFor(model, params.at(SlotField::time, slot), params.at(SlotField::effect, slot)));
    window.SetArabic(params.at(SlotField::arabic, slot));
    window.SetVerticalOffset(params.at(SlotField::offset, slot));
}

std::string_view GlyphCodePayload(const CImageWnd& window)
{
    const ContentParse& parse = window.Parse();
    switch (parse.form) {
    case ContentForm::GlyphText:
    case ContentForm::GlyphCodes: return parse.payload;
    case ContentForm::DateItem: return parse.dateTextIsRich == 0 ? std::string_view(parse.payload) : "";
    default: return "";
    }
}

void SlotImageBuilder(std::string_view model, const ModelSettings& settings, const SlotParamTable& params,
                      std::span<CImageWnd* const, kSlotCount> windows, PackedTables& tables)
{
    const PackingParams packing = PackingOf(model);
    if (packing.glyphCodes) {
        for (int i = 0; i < kSlotCount; ++i) PackGlyphCodes(GlyphCodePayload(*windows[i]), tables.frame0[i]);
        return;
    }
    for (int i = 0; i < kSlotCount; ++i) {
        CImageWnd& window = *windows[i];
        PackSettings pack;
        pack.protocol = settings.protocol;
        pack.bitsPerPixel = packing.bitsPerPixel;
        pack.pageWidth = packing.width;
        QImage frame;
        if (packing.planeMode == 1) {
            window.SaveFrameImage(0, &frame);
            pack.rows = kPlaneRows;
            pack.plane = Plane::Red;
            Pack(frame, tables.frame0[i], pack);
            pack.plane = Plane::Green;
            Pack(frame, tables.frame1[i], pack);
            continue;
        }
        pack.rows = settings.rows;
        pack.dateFlag = params.at(SlotField::kind, i) == kDateKind;
        window.SaveFrameImage(0, &frame);
        Pack(frame, tables.frame0[i], pack);
        window.SaveFrameImage(1, &frame);
        Pack(frame, tables.frame1[i], pack);
    }
}

SlotWindows::SlotWindows(const GlyphCache* cache)
{
    for (int i = 0; i < kSlotCount; ++i) {
        windows_[i] = CImageWnd(kFirstPreviewId + i);
        windows_[i].SetGlyphCache(cache);
    }
}

void SlotWindows::SetProgramFolder(const std::filesystem::path& folder)
{
    for (auto& window : windows_) window.SetProgramFolder(folder);
}

void SlotWindows::SetDataFolder(const std::filesystem::path& folder)
{
    for (auto& window : windows_) window.SetDataFolder(folder);
}

void SlotWindows::SetClientSize(QSize size)
{
    for (auto& window : windows_) window.SetClientSize(size);
}

void SlotWindows::Load(std::string_view model, const ModelSettings& settings, const SlotParamTable& params,
                       const std::array<std::string, kSlotCount>& contents)
{
    model_ = std::string(model);
    settings_ = settings;
    params_ = params;
    for (int i = 0; i < kSlotCount; ++i) {
        ConfigureSlotWindow(windows_[i], model_, settings_, params_, i);
        windows_[i].SetContent(contents[i]);
    }
}

void SlotWindows::Load(std::string_view model, const ModelSettings& settings, SignProgram& program)
{
    std::array<std::string, kSlotCount> contents;
    for (int i = 0; i < kSlotCount; ++i) contents[i] = program.GetContent(i);
    Load(model, settings, program.Params(), contents);
}

void SlotWindows::Build(PackedTables& tables)
{
    std::array<CImageWnd*, kSlotCount> windows;
    for (int i = 0; i < kSlotCount; ++i) windows[i] = &windows_[i];
    SlotImageBuilder(model_, settings_, params_, windows, tables);
}

std::vector<UnloadablePicture> FindUnloadablePictures(std::string_view model, const ModelSettings& settings,
                                                      SignProgram& program, bool sentOnly)
{
    std::vector<UnloadablePicture> found;
    if (PackingOf(model).glyphCodes) return found;
    const int slotCount = std::clamp(settings.slotCount, 0, kSlotCount);
    for (int slot = 0; slot < slotCount; ++slot) {
        if (sentOnly && program.Params().at(SlotField::send, slot) == 0) continue;
        const std::string content = program.GetContent(slot);
        if (DetectContentForm(content) != ContentForm::ImageList) continue;
        ContentParse parse;
        ParseContent(content, parse);
        for (const auto& path : parse.imagePaths)
            if (!path.empty() && LoadPicture(path).isNull()) found.push_back(UnloadablePicture{slot, path});
    }
    return found;
}

std::optional<UnloadablePicture> FindUnloadablePicture(std::string_view model, const ModelSettings& settings,
                                                       SignProgram& program)
{
    auto found = FindUnloadablePictures(model, settings, program);
    if (found.empty()) return std::nullopt;
    return found.front();
}

}  // namespace lumitag
