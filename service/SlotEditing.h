#pragma once
// Editing the ten message slots of the current program, and the per-model
// rules the editors and the slot rows follow. Every rule is looked up in the
// model catalogue; nothing here branches on a model's name.
//
// Each user change is ONE call that writes the work file ONCE, content and
// parameters together: an editor's OK, a row control, clearing a slot. The
// GUI shows the result by reading the program again (Program().Params() and
// GetContent), the CLI prints it.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/DeviceCatalogue.h"
#include "model/SlotParamTable.h"
#include "render/content/FormattedText.h"
#include "service/Error.h"

namespace lumitag::service {

class Session;

// --- Per-model rules ---------------------------------------------------------

// The nine colours of the text and date editors' colour list, in list order
// (entries 3..8 draw three horizontal bands).
struct EditorColour {
    std::string_view name;  // "red", "green-yellow-red", ... (the CLI's words)
    std::uint32_t code;     // 0x00BBGGRR, as content strings store it
    int swatchIcon;         // the list entry's icon resource
};
std::span<const EditorColour> EditorColours();
// A colour by its name (letter case ignored) or its list index "0".."8".
std::optional<std::uint32_t> FindEditorColour(std::string_view nameOrIndex);
// Index of `code` in the list, or nullopt (the list keeps its selection).
std::optional<int> EditorColourIndex(std::uint32_t code);

// The bitmap-font editor's seven fonts, by their index in a glyph code, and
// its three colours (the first three editor colours).
std::span<const std::string_view> BitmapFonts();
inline constexpr int kBitmapFontColours = 3;
// Fonts 0..3 ("7x6".."7x17") have the symbol picker.
bool BitmapFontHasPicker(int font);

// Which editor a Text item opens, and so which content form it stores.
enum class TextEditorKind {
    GlyphText,   // 7-row models: "[ASCII]" plain text, no formatting
    BitmapFont,  // Q07..Q13: "[DASCII]" glyph codes
    RichText,    // all others: formatted text as RTF
};

inline constexpr std::size_t kTextLimit = 255;        // characters, CR/LF not counted
inline constexpr std::size_t kMaxEditorGlyphCodes = 8000;
inline constexpr int kSymbolCount = 98;                // "[GIF_000]".."[GIF_097]"
inline constexpr int kFirstRowBSymbol = 32;            // row A: 0..31, rows B: 32..97
// The bitmap-font editor's symbol pictures insert characters 128..193: the
// symbol's number plus this.
inline constexpr int kSymbolCharacterBase = 96;
inline constexpr int kMinOffset = -8;
inline constexpr int kMaxOffset = 8;
inline constexpr int kSpeedCount = 8;                  // "1".."8", stored 0..7
inline constexpr int kTimeCount = 6;                   // "0s".."5s"
inline constexpr std::string_view kDefaultDateFlags = "000011";  // time and seconds

struct ModelRules {
    std::string model;            // "" when none is chosen
    const DeviceModel* row = nullptr;  // null for none/unknown: the defaults below
    int rows = 12;
    int slotCount = 8;            // rows 8 and 9 are shown only with 9 or 10
    bool hasClock = false;
    bool busModel = false;
    std::span<const ContentKindItem> editMenu;   // Text, Image (, Date)
    int editMenuResource = 136;
    std::span<const EffectItem> effectMenu;      // stored code = index
    int effectMenuResource = 137;
    bool fixedTime = false;       // the time control is always disabled
    TextEditorKind textEditor = TextEditorKind::RichText;
    int previewHeight = 0;        // preview height override (0: none)
    bool symbolRowA = true;       // text editor symbols 0..31
    bool symbolRowB = false;      // text editor symbols 32..97 (7-row models)
    CharFormat textFormat;        // the text editor's default character format
    CharFormat dateFormat;        // the date editor's default character format
    std::uint32_t defaultColour = 0x0000FFFF;  // yellow
};
ModelRules RulesFor(std::string_view model);

bool RowShown(const ModelRules& rules, int slot);
// Effect code by its menu name (letter case ignored) or code; nullopt when
// the model's effect menu has no such item.
std::optional<int> FindEffect(const ModelRules& rules, std::string_view nameOrCode);
// The menu label texts in English ("" for a value without an item).
std::string_view EffectName(const ModelRules& rules, int effect);
std::string_view KindName(const ModelRules& rules, int kind);

// Which of a row's controls are enabled, from its kind and the model.
struct RowControls {
    bool edit = true;  // always
    bool effect = false;
    bool speed = false;
    bool time = false;
    bool blink = false;
    bool marquee = false;
    bool send = false;
    bool arabic = false;  // the hidden right-to-left box
};
RowControls RowControlsFor(const ModelRules& rules, int kind);
// The preview's per-character layout flag (0 continuous line, 1 pages).
int RowLayoutFlag(const ModelRules& rules, int time, int effect);

// --- Slot changes ------------------------------------------------------------

// Where an editor was opened from: the edit menu makes empty content an empty
// Text slot that is sent; a preview double-click makes the slot empty and
// not sent.
enum class EditOrigin { EditMenu, Preview };

// A row control's change; fields left empty stay as they are.
struct SlotParams {
    // Empty the slot first (no content, kind 0, not sent); the other fields
    // are then checked against the empty slot's controls.
    bool clear = false;
    std::optional<int> effect;   // code of the model's effect menu
    std::optional<int> speed;    // 0..7
    std::optional<int> time;     // 0..5
    std::optional<bool> blink;
    std::optional<bool> marquee;
    std::optional<bool> send;
    std::optional<bool> arabic;
    std::optional<int> offset;   // -8..8
};

// The six date flags in token order: year, month, day, weekday, time, seconds.
using DateFlags = std::array<bool, 6>;
DateFlags DefaultDateFlags();

class SlotEditor {
public:
    explicit SlotEditor(Session& session);

    ModelRules Rules();

    // Editor results. Each checks the slot is shown by the model and the
    // content fits (BadInput / NotOffered otherwise, nothing written), then
    // stores content, kind and send in one write. Empty content follows
    // `origin`. Returns the content string stored.
    // Rich text (models that are not 7-row and not bitmap-font): the text
    // with its formats; at most kTextLimit characters.
    Result<std::string> SetFormattedText(int slot, const FormattedText& text, EditOrigin origin = EditOrigin::EditMenu);
    // 7-row glyph text: printable ASCII and "[GIF_nnn]" tokens; line breaks
    // dropped and blanks trimmed as the editor does.
    Result<std::string> SetGlyphText(int slot, std::string_view text, EditOrigin origin = EditOrigin::EditMenu);
    // Bitmap-font glyph codes (character + 2048 x colour + 8192 x font).
    Result<std::string> SetGlyphCodes(int slot, std::span<const std::uint32_t> codes,
                                      EditOrigin origin = EditOrigin::EditMenu);
    // A date item: the flags and its text, plain on 7-row models (`plain`),
    // formatted on the others (`formatted`); models without a clock: NotOffered.
    Result<std::string> SetDateItem(int slot, const DateFlags& flags, std::string_view plain,
                                    const FormattedText& formatted, EditOrigin origin = EditOrigin::EditMenu);
    // A picture list, drawn left to right; paths may not contain ";".
    Result<std::string> SetPictures(int slot, std::span<const std::string> paths,
                                    EditOrigin origin = EditOrigin::EditMenu);

    // Row controls: NotOffered for a control the row disables (see
    // RowControlsFor), BadInput for a value out of range; nothing written then.
    Status SetParams(int slot, const SlotParams& params);
    // Empty content, kind 0, not sent.
    Status Clear(int slot);

    // The symbol token of `number` when the model's editor offers it, else
    // NotOffered / BadInput.
    Result<std::string> SymbolFor(int number);

private:
    Status CheckShown(int slot, const ModelRules& rules);
    Status StoreEditorResult(int slot, const std::string& content, bool empty, int kind, EditOrigin origin);

    Session& session_;
};

// The one place where a slot change reaches the disk: `content` (when set)
// and the slot's parameters, written in one atomic save under the folder
// lock. FileWrite when the file cannot be written or was unreadable (it is
// then left alone).
Status WriteSlotChange(Session& session, int slot, const std::optional<std::string>& content);

// `text` with every CR and LF removed and blanks trimmed at both ends.
std::string TrimmedLine(std::string_view text);
// Characters (not bytes) of UTF-8 text.
std::size_t CharacterCount(std::string_view utf8);

}  // namespace lumitag::service
