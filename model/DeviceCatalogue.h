#pragma once
// The 36 sign and badge models and every value that differs between them.
// Models are known only by their whole name; per-model behaviour anywhere in
// the program is a lookup in this table, never a branch on a name.

#include <span>
#include <string_view>

namespace lumitag {

// The send protocol of a model (the numbers are stored and compared).
enum class LinkProtocol : int {
    HelloFixed12 = 0,
    Hello = 1,
    Paged273 = 2,
    GlyphSlots = 3,
    HelloTwoPlane = 4,
    Bus276 = 5,
};

// Models of one group share a project layout: switching inside a group keeps
// the project, switching to another group resets it.
enum class ModelGroup { SevenRow, TwelveRow, TwoPlane, Bus, Paged };

// How the slot image builder turns a slot into bytes.
struct PackingParams {
    int bitsPerPixel = 1;     // 1 or 2
    int width = 16;           // packing width in columns
    int planeMode = 0;        // 1: a red plane (frame 0) and a green plane (frame 1)
    bool glyphCodes = false;  // one-byte glyph codes instead of pixels
};

struct DeviceModel {
    std::string_view name;
    int rows;
    int slotCount;
    LinkProtocol protocol;
    bool hasClock;
    bool busModel;
    int effectMenu;  // 0..2, see EffectMenuItems
    int pageWidth;   // 0: no page width (and pagePitch is kept on apply)
    int pagePitch;   // meaningful only with a nonzero pageWidth
    ModelGroup group;
    PackingParams packing;
    int previewHeight;            // preview height override; 0 = none
    bool bitmapFontEditor;        // text opens the bitmap-font editor
    bool layoutFlagFromParams;    // per-character layout flag follows the slot parameters
    bool timeSelectorDisabled;    // the row's time selector is disabled
    bool wordLimit;               // total send data capped at kWordLimitBytes
    int defaultProjectResource;   // FILES resource of the default project
    std::string_view editorFace;  // the text and date editors' default face
    int editorTwips;              // their default height in twips; 0: the editor's rule by rows
};

inline constexpr int kModelCount = 36;
inline constexpr int kWordLimitBytes = 12000;

// All models in selector order.
std::span<const DeviceModel> Catalogue();

// Exact, whole-name lookup; nullptr when the name is not a model.
const DeviceModel* FindModel(std::string_view name);
// Whole-name lookup ignoring ASCII letter case.
const DeviceModel* FindModelIgnoringCase(std::string_view name);
// Position in selector order, or -1.
int ModelIndex(std::string_view name);

// The link settings a send worker holds for the current model.
struct ModelSettings {
    int rows = 12;
    int slotCount = 8;
    LinkProtocol protocol = LinkProtocol::Hello;
    bool hasClock = true;
    bool busModel = false;
    int effectMenu = 0;
    int pageWidth = 64;
    int pagePitch = 64;

    bool operator==(const ModelSettings&) const = default;
};

// Copies the named model (letter case ignored) into `settings`. An unknown
// name changes nothing but pageWidth, which becomes 0; a model without a page
// width keeps the previous pagePitch. Returns whether the name was found.
bool ApplyModel(ModelSettings& settings, std::string_view name);

// Both names are models of the same group. An unknown name is in no group.
bool SameGroup(std::string_view oldName, std::string_view newName);

// Per-model values by exact name; an unknown name gets the "all others" value.
PackingParams PackingOf(std::string_view name);
int PreviewHeightOverride(std::string_view name);
bool UsesBitmapFontEditor(std::string_view name);
bool LayoutFlagFromParams(std::string_view name);
bool TimeSelectorDisabled(std::string_view name);
bool HasWordLimit(std::string_view name);
int DefaultProjectResource(std::string_view name);

// One entry of an effect menu: the n of the language key IDS_DZ_MENU_ITEMn
// and its English text.
struct EffectItem {
    int labelKey;
    std::string_view english;
};

// The effect menu of an effectMenu kind (0..2), in stored-code order; an
// out-of-range kind gets menu 0, as the main window does.
std::span<const EffectItem> EffectMenuItems(int effectMenu);
// The menu resource of an effectMenu kind: 137, 139 or 140.
int EffectMenuResource(int effectMenu);
// The effect code is the Left or Right item of that menu (scrolls sideways).
bool IsSidewaysEffect(int effectMenu, int effectCode);

// Content kinds offered by a row's edit menu (codes 1 Text, 2 Image, 3 Date).
struct ContentKindItem {
    int code;
    int labelKey;  // the n of IDS_EDIT_MENU_ITEMn
    std::string_view english;
};
std::span<const ContentKindItem> ContentKindItems(bool hasClock);
// The content-kind menu resource: 138 with a clock, else 136.
int ContentMenuResource(bool hasClock);

}  // namespace lumitag
