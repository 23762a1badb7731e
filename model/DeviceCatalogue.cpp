#include "model/DeviceCatalogue.h"

#include "model/AsciiText.h"
#include "model/SlotParamTable.h"

#include <array>

namespace lumitag {
namespace {

using P = LinkProtocol;
using G = ModelGroup;

constexpr PackingParams kOneBit16{1, 16, 0, false};
constexpr PackingParams kGlyphCodes{1, 16, 0, true};
constexpr PackingParams TwoPlane(int width) { return {1, width, 1, false}; }
constexpr PackingParams TwoBit(int width) { return {2, width, 0, false}; }

// The per-use columns that most rows share, so that each row only states
// what sets it apart.
struct Extras {
    PackingParams packing = kOneBit16;
    int previewHeight = 0;
    bool bitmapFontEditor = false;
    bool layoutFlagFromParams = false;
    bool timeSelectorDisabled = false;
    bool wordLimit = false;
    int defaultProjectResource = 177;
    std::string_view editorFace = "Arial";
    int editorTwips = 0;
};

constexpr DeviceModel Row(std::string_view name, int rows, int slots, P protocol, bool clock, bool bus,
                          int effectMenu, int pageWidth, int pagePitch, G group, Extras x)
{
    return {name, rows, slots, protocol, clock, bus, effectMenu, pageWidth, pagePitch, group,
            x.packing, x.previewHeight, x.bitmapFontEditor, x.layoutFlagFromParams,
            x.timeSelectorDisabled, x.wordLimit, x.defaultProjectResource, x.editorFace, x.editorTwips};
}

// Seven-row models: small preview of 12 rows.
constexpr Extras kSeven{.previewHeight = 12};
// The glyph-code badges: their editors default to 12 points.
constexpr Extras kSevenGlyph{.packing = kGlyphCodes, .previewHeight = 12, .editorTwips = 240};
// Two-plane models: bitmap-font editor, project resource 243.
constexpr Extras Plane(int width)
{
    return {.packing = TwoPlane(width), .bitmapFontEditor = true, .defaultProjectResource = 243};
}
// Twelve-row models with a page width: layout rule, time selector disabled.
constexpr Extras Twelve(bool wordLimit)
{
    return {.layoutFlagFromParams = true, .timeSelectorDisabled = true, .wordLimit = wordLimit};
}
// The two badges made for Chinese text default to a Chinese face.
constexpr Extras TwelveChinese()
{
    Extras x = Twelve(true);
    x.editorFace = "MingLiU";
    return x;
}
constexpr Extras kTwelvePlain{.timeSelectorDisabled = true};
constexpr Extras Bus(int width) { return {.packing = TwoBit(width), .layoutFlagFromParams = true}; }
constexpr Extras Paged(int width)
{
    return {.packing = TwoBit(width), .layoutFlagFromParams = true, .defaultProjectResource = 242};
}

// Rows without a page width carry pitch 0: ApplyModel keeps the previous pitch.
constexpr std::array<DeviceModel, kModelCount> kModels{{
    Row("Q01", 7, 8, P::HelloFixed12, false, false, 0, 0, 0, G::SevenRow, kSeven),
    Row("Q02", 7, 8, P::HelloFixed12, false, false, 0, 0, 0, G::SevenRow, kSeven),
    Row("Q03", 7, 9, P::GlyphSlots, true, false, 0, 0, 0, G::SevenRow, kSevenGlyph),
    Row("Q04", 7, 8, P::HelloFixed12, false, false, 0, 0, 0, G::SevenRow, kSeven),
    Row("Q05", 7, 9, P::GlyphSlots, true, false, 0, 0, 0, G::SevenRow, kSevenGlyph),
    Row("Q06", 12, 8, P::Hello, false, false, 0, 0, 0, G::TwelveRow, {}),
    Row("Q07", 7, 8, P::HelloTwoPlane, true, false, 2, 0, 0, G::TwoPlane, Plane(32)),
    Row("Q08", 7, 8, P::HelloTwoPlane, true, false, 2, 0, 0, G::TwoPlane, Plane(64)),
    Row("Q09", 7, 8, P::HelloTwoPlane, true, false, 2, 0, 0, G::TwoPlane, Plane(96)),
    Row("Q10", 7, 8, P::HelloTwoPlane, true, false, 2, 0, 0, G::TwoPlane, Plane(128)),
    Row("Q11", 7, 8, P::HelloTwoPlane, true, false, 2, 0, 0, G::TwoPlane, Plane(160)),
    Row("Q12", 7, 8, P::HelloTwoPlane, true, false, 2, 0, 0, G::TwoPlane, Plane(192)),
    Row("Q13", 7, 8, P::HelloTwoPlane, true, false, 2, 0, 0, G::TwoPlane, Plane(224)),
    Row("Q14", 12, 8, P::Hello, false, false, 0, 33, 40, G::TwelveRow, TwelveChinese()),
    Row("Q15", 12, 8, P::Hello, false, false, 0, 44, 48, G::TwelveRow, TwelveChinese()),
    Row("Q16", 12, 8, P::Hello, false, false, 0, 36, 40, G::TwelveRow, Twelve(false)),
    Row("Q17", 12, 8, P::Hello, false, false, 0, 36, 40, G::TwelveRow, Twelve(false)),
    Row("Q18", 12, 8, P::Hello, false, false, 0, 48, 48, G::TwelveRow, Twelve(true)),
    Row("Q19", 12, 8, P::Hello, false, false, 0, 48, 48, G::TwelveRow, Twelve(false)),
    Row("Q20", 12, 8, P::Hello, false, false, 0, 144, 144, G::TwelveRow, Twelve(true)),
    Row("Q21", 12, 8, P::Hello, false, false, 0, 216, 216, G::TwelveRow, Twelve(true)),
    Row("Q22", 12, 8, P::Hello, false, false, 0, 36, 40, G::TwelveRow, Twelve(false)),
    Row("Q23", 12, 8, P::Hello, false, false, 0, 48, 48, G::TwelveRow, Twelve(false)),
    Row("Q24", 12, 8, P::Hello, false, false, 0, 0, 0, G::TwelveRow, kTwelvePlain),
    Row("Q25", 12, 8, P::Hello, false, false, 0, 0, 0, G::TwelveRow, kTwelvePlain),
    Row("Q26", 16, 10, P::Bus276, true, true, 1, 0, 0, G::Bus, Bus(64)),
    Row("Q27", 16, 10, P::Bus276, true, true, 1, 0, 0, G::Bus, Bus(96)),
    Row("Q28", 16, 10, P::Bus276, true, true, 1, 0, 0, G::Bus, Bus(128)),
    Row("Q29", 16, 10, P::Paged273, true, false, 1, 48, 48, G::Paged, Paged(48)),
    Row("Q30", 16, 10, P::Paged273, true, false, 1, 64, 64, G::Paged, Paged(64)),
    Row("Q31", 16, 10, P::Paged273, true, false, 1, 96, 96, G::Paged, Paged(96)),
    Row("Q32", 16, 10, P::Paged273, true, false, 1, 128, 128, G::Paged, Paged(128)),
    Row("Q33", 16, 10, P::Paged273, true, false, 1, 160, 160, G::Paged, Paged(160)),
    Row("Q34", 16, 10, P::Paged273, true, false, 1, 192, 192, G::Paged, Paged(192)),
    Row("Q35", 16, 10, P::Paged273, true, false, 1, 224, 224, G::Paged, Paged(224)),
    Row("Q36", 16, 10, P::Paged273, true, false, 1, 256, 256, G::Paged, Paged(256)),
}};

// What a name outside the catalogue gets from the per-use lookups.
constexpr Extras kOthers{};

// Menu 137: ITEM1..ITEM8.
constexpr std::array<EffectItem, 8> kEffectMenu0{{
    {1, "Left"}, {2, "Right"}, {3, "Up"}, {4, "Down"}, {5, "Fix"}, {6, "Animation"}, {7, "Snow"}, {8, "Middle"},
}};
// Menu 139: the 16-row models start with Fix and end with Blink.
constexpr std::array<EffectItem, 7> kEffectMenu1{{
    {5, "Fix"}, {1, "Left"}, {2, "Right"}, {3, "Up"}, {4, "Down"}, {7, "Snow"}, {9, "Blink"},
}};
// Menu 140: ITEM1..ITEM7.
constexpr std::array<EffectItem, 7> kEffectMenu2{{
    {1, "Left"}, {2, "Right"}, {3, "Up"}, {4, "Down"}, {5, "Fix"}, {6, "Animation"}, {7, "Snow"},
}};
constexpr int kLeftKey = 1;
constexpr int kRightKey = 2;

constexpr std::array<ContentKindItem, 3> kContentKinds{{
    {kKindText, 2, "Text"}, {kKindImage, 3, "Image"}, {kKindDate, 4, "Date"},
}};

template <typename T>
T ValueOf(std::string_view name, T DeviceModel::*field, T other)
{
    const DeviceModel* model = FindModel(name);
    return model ? model->*field : other;
}

}  // namespace

std::span<const DeviceModel> Catalogue() { return kModels; }

const DeviceModel* FindModel(std::string_view name)
{
    for (const auto& model : kModels)
        if (model.name == name) return &model;
    return nullptr;
}

const DeviceModel* FindModelIgnoringCase(std::string_view name)
{
    for (const auto& model : kModels)
        if (EqualIgnoringAsciiCase(model.name, name)) return &model;
    return nullptr;
}

int ModelIndex(std::string_view name)
{
    const DeviceModel* model = FindModel(name);
    return model ? static_cast<int>(model - kModels.data()) : -1;
}

bool ApplyModel(ModelSettings& settings, std::string_view name)
{
    const DeviceModel* model = FindModelIgnoringCase(name);
    if (model) {
        settings.rows = model->rows;
        settings.slotCount = model->slotCount;
        settings.protocol = model->protocol;
        settings.hasClock = model->hasClock;
        settings.busModel = model->busModel;
        settings.effectMenu = model->effectMenu;
    }
    settings.pageWidth = 0;
    if (model && model->pageWidth != 0) {
        settings.pageWidth = model->pageWidth;
        settings.pagePitch = model->pagePitch;
    }
    return model != nullptr;
}

bool SameGroup(std::string_view oldName, std::string_view newName)
{
    const DeviceModel* oldModel = FindModel(oldName);
    const DeviceModel* newModel = FindModel(newName);
    return oldModel && newModel && oldModel->group == newModel->group;
}

PackingParams PackingOf(std::string_view name) { return ValueOf(name, &DeviceModel::packing, kOthers.packing); }
int PreviewHeightOverride(std::string_view name)
{
    return ValueOf(name, &DeviceModel::previewHeight, kOthers.previewHeight);
}
bool UsesBitmapFontEditor(std::string_view name)
{
    return ValueOf(name, &DeviceModel::bitmapFontEditor, kOthers.bitmapFontEditor);
}
bool LayoutFlagFromParams(std::string_view name)
{
    return ValueOf(name, &DeviceModel::layoutFlagFromParams, kOthers.layoutFlagFromParams);
}
bool TimeSelectorDisabled(std::string_view name)
{
    return ValueOf(name, &DeviceModel::timeSelectorDisabled, kOthers.timeSelectorDisabled);
}
bool HasWordLimit(std::string_view name) { return ValueOf(name, &DeviceModel::wordLimit, kOthers.wordLimit); }
int DefaultProjectResource(std::string_view name)
{
    return ValueOf(name, &DeviceModel::defaultProjectResource, kOthers.defaultProjectResource);
}

std::span<const EffectItem> EffectMenuItems(int effectMenu)
{
    switch (effectMenu) {
    case 1: return kEffectMenu1;
    case 2: return kEffectMenu2;
    default: return kEffectMenu0;
    }
}

int EffectMenuResource(int effectMenu)
{
    switch (effectMenu) {
    case 1: return 139;
    case 2: return 140;
    default: return 137;
    }
}

bool IsSidewaysEffect(int effectMenu, int effectCode)
{
    const auto items = EffectMenuItems(effectMenu);
    if (effectCode < 0 || effectCode >= static_cast<int>(items.size())) return false;
    const int key = items[static_cast<std::size_t>(effectCode)].labelKey;
    return key == kLeftKey || key == kRightKey;
}

std::span<const ContentKindItem> ContentKindItems(bool hasClock)
{
    return std::span<const ContentKindItem>(kContentKinds).first(hasClock ? 3 : 2);
}

int ContentMenuResource(bool hasClock) { return hasClock ? 138 : 136; }

}  // namespace lumitag
