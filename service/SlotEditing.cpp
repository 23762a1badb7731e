#include "service/SlotEditing.h"

#include <algorithm>

#include "model/AsciiText.h"
#include "model/SignProgram.h"
#include "render/LayoutFlag.h"
#include "render/content/ContentString.h"
#include "render/content/ContentWriter.h"
#include "render/content/RtfWriter.h"
#include "service/Session.h"

namespace lumitag::service {
namespace {

constexpr EditorColour kColours[] = {
    {"red", 0x000000FF, 155},
    {"green", 0x0000FF00, 156},
    {"yellow", 0x0000FFFF, 154},
    {"green-yellow-red", 0x00FF00FF, 157},
    {"red-green-yellow", 0x00FFFF00, 158},
    {"green-red-yellow", 0x00FF9600, 159},
    {"yellow-red-green", 0x00FF0096, 160},
    {"red-yellow-green", 0x000096FF, 161},
    {"yellow-green-red", 0x0000E9A0, 162},
};

constexpr std::string_view kFonts[] = {"7x6", "7x9", "7x11", "7x17", "Small", "5x6", "5x11"};
constexpr int kPickerFonts = 4;

std::string SlotName(int slot) { return "slot " + std::to_string(slot + 1); }

std::string ModelText(const ModelRules& rules) { return rules.model.empty() ? std::string("(none)") : rules.model; }

Error NotOffered(std::string message) { return MakeError(ErrorCode::NotOffered, std::move(message)); }
Error BadInput(std::string message) { return MakeError(ErrorCode::BadInput, std::move(message)); }

Status CheckPrintableAscii(std::string_view text)
{
    for (const unsigned char c : text)
        if (c >= 127 || (c < 32 && c != '\n' && c != '\r'))
            return BadInput("7-row models take printable ASCII text only");
    return {};
}

// The characters an editor counts against its limit: line ends are free.
std::size_t CountedCharacters(const FormattedText& text)
{
    std::string plain;
    for (const char c : text.PlainText())
        if (c != '\r' && c != '\n') plain.push_back(c);
    return CharacterCount(plain);
}

Status CheckLimit(std::size_t count)
{
    if (count > kTextLimit) return BadInput("the text is over the limit of 255 characters");
    return {};
}

}  // namespace

std::span<const EditorColour> EditorColours() { return kColours; }

std::optional<std::uint32_t> FindEditorColour(std::string_view nameOrIndex)
{
    for (const auto& colour : kColours)
        if (EqualIgnoringAsciiCase(colour.name, nameOrIndex)) return colour.code;
    if (const auto index = ParseWholeNumber(nameOrIndex, 0, static_cast<int>(std::size(kColours)) - 1))
        return kColours[*index].code;
    return std::nullopt;
}

std::optional<int> EditorColourIndex(std::uint32_t code)
{
    for (std::size_t i = 0; i < std::size(kColours); ++i)
        if (kColours[i].code == code) return static_cast<int>(i);
    return std::nullopt;
}

std::span<const std::string_view> BitmapFonts() { return kFonts; }

bool BitmapFontHasPicker(int font) { return font >= 0 && font < kPickerFonts; }

DateFlags DefaultDateFlags()
{
    DateFlags flags{};
    for (std::size_t i = 0; i < flags.size(); ++i) flags[i] = kDefaultDateFlags[i] == '1';
    return flags;
}

ModelRules RulesFor(std::string_view model)
{
    ModelRules rules;
    rules.model = std::string(model);
    rules.row = FindModel(model);
    // A name outside the catalogue keeps the link's initial values, as the
    // send worker does.
    ModelSettings settings;
    ApplyModel(settings, model);
    rules.rows = settings.rows;
    rules.slotCount = settings.slotCount;
    rules.hasClock = settings.hasClock;
    rules.busModel = settings.busModel;
    rules.editMenu = ContentKindItems(settings.hasClock);
    rules.editMenuResource = ContentMenuResource(settings.hasClock);
    rules.effectMenu = EffectMenuItems(settings.effectMenu);
    rules.effectMenuResource = EffectMenuResource(settings.effectMenu);
    rules.fixedTime = TimeSelectorDisabled(model);
    rules.previewHeight = PreviewHeightOverride(model);
    const bool bitmapFont = UsesBitmapFontEditor(model);
    rules.textEditor = bitmapFont ? TextEditorKind::BitmapFont
                       : settings.rows == 7 ? TextEditorKind::GlyphText
                                            : TextEditorKind::RichText;
    // Row A's animations are drawn by the renderer; the glyph-code badges and
    // the bitmap fonts have only the symbol characters of rows B.
    rules.symbolRowA = !bitmapFont && !PackingOf(model).glyphCodes;
    rules.symbolRowB = settings.rows == 7;
    const std::string_view face = rules.row ? rules.row->editorFace : std::string_view("Arial");
    const int twips = rules.row ? rules.row->editorTwips : 0;
    rules.textFormat = CharFormat{std::string(face), twips ? twips : settings.rows * 20, rules.defaultColour};
    const int dateTwips = settings.rows == 7 ? 140 : settings.rows == 16 ? 320 : 240;
    rules.dateFormat = CharFormat{std::string(face), twips ? twips : dateTwips, rules.defaultColour};
    return rules;
}

bool RowShown(const ModelRules& rules, int slot) { return slot >= 0 && slot < std::min(rules.slotCount, kSlotCount); }

std::optional<int> FindEffect(const ModelRules& rules, std::string_view nameOrCode)
{
    for (std::size_t i = 0; i < rules.effectMenu.size(); ++i)
        if (EqualIgnoringAsciiCase(rules.effectMenu[i].english, nameOrCode)) return static_cast<int>(i);
    return ParseWholeNumber(nameOrCode, 0, static_cast<int>(rules.effectMenu.size()) - 1);
}

std::string_view EffectName(const ModelRules& rules, int effect)
{
    if (effect < 0 || effect >= static_cast<int>(rules.effectMenu.size())) return {};
    return rules.effectMenu[static_cast<std::size_t>(effect)].english;
}

std::string_view KindName(const ModelRules& rules, int kind)
{
    for (const auto& item : rules.editMenu)
        if (item.code == kind) return item.english;
    return {};
}

RowControls RowControlsFor(const ModelRules& rules, int kind)
{
    RowControls controls;
    controls.blink = rules.rows != 16;
    if (kind == kKindNone) return controls;
    controls.send = controls.marquee = controls.speed = true;
    if (kind == kKindText || kind == kKindImage || kind == kKindDate) {
        controls.arabic = controls.effect = true;
        controls.time = !rules.fixedTime;
    }
    return controls;
}

int RowLayoutFlag(const ModelRules& rules, int time, int effect) { return LayoutFlagFor(rules.model, time, effect); }

std::string TrimmedLine(std::string_view text)
{
    std::string line;
    for (const char c : text)
        if (c != '\r' && c != '\n') line.push_back(c);
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; };
    const auto first = std::find_if_not(line.begin(), line.end(), isBlank);
    const auto last = std::find_if_not(line.rbegin(), line.rend(), isBlank).base();
    return first < last ? std::string(first, last) : std::string();
}

std::size_t CharacterCount(std::string_view utf8)
{
    return static_cast<std::size_t>(std::count_if(
        utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

Status WriteSlotChange(Session& session, int slot, const std::optional<std::string>& content)
{
    SignProgram& program = session.Program();
    // Content and parameters leave in one atomic write, so a crash never
    // leaves a slot's new content with its old kind or send flag.
    const bool written = content ? program.SaveSlot(slot, *content) : program.SaveSlotParams(slot);
    if (written) return {};
    return MakeError(ErrorCode::FileWrite, "cannot write " + program.ProjectPath().string());
}

SlotEditor::SlotEditor(Session& session) : session_(session) {}

ModelRules SlotEditor::Rules() { return RulesFor(session_.ModelName()); }

Status SlotEditor::CheckShown(int slot, const ModelRules& rules)
{
    if (slot < 0 || slot >= kSlotCount) return BadInput("there is no slot " + std::to_string(slot + 1));
    if (RowShown(rules, slot)) return {};
    return NotOffered(SlotName(slot) + " is not shown by model " + ModelText(rules) + ", which has " +
                      std::to_string(rules.slotCount) + " messages");
}

Status SlotEditor::StoreEditorResult(int slot, const std::string& content, bool empty, int kind, EditOrigin origin)
{
    auto& params = session_.Program().Params();
    if (empty && origin == EditOrigin::Preview) {
        // A double-clicked row that ends up empty is no message at all.
        params.at(SlotField::kind, slot) = kKindNone;
        params.at(SlotField::send, slot) = 0;
    } else {
        params.at(SlotField::kind, slot) = empty ? kKindText : kind;
        params.at(SlotField::send, slot) = 1;
    }
    return WriteSlotChange(session_, slot, empty ? std::string() : content);
}

Result<std::string> SlotEditor::SetFormattedText(int slot, const FormattedText& text, EditOrigin origin)
{
    const ModelRules rules = Rules();
    if (Status shown = CheckShown(slot, rules); !shown) return shown.error();
    if (rules.textEditor != TextEditorKind::RichText)
        return NotOffered("model " + ModelText(rules) + " takes no formatted text");
    if (Status limit = CheckLimit(CountedCharacters(text)); !limit) return limit.error();
    const bool empty = TrimmedLine(text.PlainText()).empty();
    const std::string content = WriteRtf(text);
    if (Status stored = StoreEditorResult(slot, content, empty, kKindText, origin); !stored) return stored.error();
    return empty ? std::string() : content;
}

Result<std::string> SlotEditor::SetGlyphText(int slot, std::string_view text, EditOrigin origin)
{
    const ModelRules rules = Rules();
    if (Status shown = CheckShown(slot, rules); !shown) return shown.error();
    if (rules.textEditor != TextEditorKind::GlyphText)
        return NotOffered("model " + ModelText(rules) + " takes no plain glyph text");
    if (Status ascii = CheckPrintableAscii(text); !ascii) return ascii.error();
    const std::string body = TrimmedLine(text);
    if (Status limit = CheckLimit(body.size()); !limit) return limit.error();
    const std::string content = GlyphTextContent(body);
    if (Status stored = StoreEditorResult(slot, content, body.empty(), kKindText, origin); !stored)
        return stored.error();
    return body.empty() ? std::string() : content;
}

Result<std::string> SlotEditor::SetGlyphCodes(int slot, std::span<const std::uint32_t> codes, EditOrigin origin)
{
    const ModelRules rules = Rules();
    if (Status shown = CheckShown(slot, rules); !shown) return shown.error();
    if (rules.textEditor != TextEditorKind::BitmapFont)
        return NotOffered("model " + ModelText(rules) + " has no bitmap fonts");
    if (codes.size() > kMaxEditorGlyphCodes) return BadInput("over 8000 glyphs");
    for (const auto code : codes)
        if (GlyphFont(code) >= std::size(kFonts) || GlyphColour(code) >= kBitmapFontColours ||
            GlyphCharacter(code) >= 194)
            return BadInput("glyph code " + std::to_string(code) + " names no bitmap-font character");
    const std::string content = GlyphCodesContent(codes);
    if (Status stored = StoreEditorResult(slot, content, codes.empty(), kKindText, origin); !stored)
        return stored.error();
    return codes.empty() ? std::string() : content;
}

Result<std::string> SlotEditor::SetDateItem(int slot, const DateFlags& flags, std::string_view plain,
                                            const FormattedText& formatted, EditOrigin origin)
{
    const ModelRules rules = Rules();
    if (Status shown = CheckShown(slot, rules); !shown) return shown.error();
    if (!rules.hasClock) return NotOffered("model " + ModelText(rules) + " has no clock: date items are not offered");
    std::string textPart;
    if (rules.rows == 7) {
        if (Status ascii = CheckPrintableAscii(plain); !ascii) return ascii.error();
        const std::string line = TrimmedLine(plain);
        if (Status limit = CheckLimit(line.size()); !limit) return limit.error();
        textPart = GlyphTextContent(line);
    } else {
        if (Status limit = CheckLimit(CountedCharacters(formatted)); !limit) return limit.error();
        textPart = WriteRtf(formatted);
    }
    const std::string content = DateItemContent(flags, textPart);
    if (Status stored = StoreEditorResult(slot, content, false, kKindDate, origin); !stored) return stored.error();
    return content;
}

Result<std::string> SlotEditor::SetPictures(int slot, std::span<const std::string> paths, EditOrigin origin)
{
    const ModelRules rules = Rules();
    if (Status shown = CheckShown(slot, rules); !shown) return shown.error();
    for (const auto& path : paths)
        if (path.find(';') != std::string::npos) return BadInput("a picture path may not contain \";\": " + path);
    const std::string content = ImageListContent(paths);
    if (Status stored = StoreEditorResult(slot, content, paths.empty(), kKindImage, origin); !stored)
        return stored.error();
    return content;
}

Status SlotEditor::SetParams(int slot, const SlotParams& change)
{
    const ModelRules rules = Rules();
    if (Status shown = CheckShown(slot, rules); !shown) return shown;
    auto& params = session_.Program().Params();
    const int kind = change.clear ? kKindNone : params.at(SlotField::kind, slot);
    const RowControls controls = RowControlsFor(rules, kind);
    // Values the main window's rows never write are refused, so the file
    // holds nothing the desktop program could not have made.
    const auto refuse = [&](bool enabled, bool given, std::string_view what) -> Status {
        if (!given || enabled) return {};
        std::string why = kind == kKindNone ? "is not offered for an empty slot (give it content first)"
                                            : "is not offered for this slot on model " + ModelText(rules);
        if (what == "time" && rules.fixedTime && kind != kKindNone)
            why = "is not offered: model " + ModelText(rules) + " has a fixed dwell time";
        return NotOffered(SlotName(slot) + ": " + std::string(what) + " " + why);
    };
    for (const Status& check : {refuse(controls.effect, change.effect.has_value(), "effect"),
                                refuse(controls.speed, change.speed.has_value(), "speed"),
                                refuse(controls.time, change.time.has_value(), "time"),
                                refuse(controls.blink, change.blink.has_value(), "blink"),
                                refuse(controls.marquee, change.marquee.has_value(), "marquee"),
                                refuse(controls.send, change.send.has_value(), "send")})
        if (!check) return check;
    const auto inRange = [](const std::optional<int>& value, int low, int high) {
        return !value || (*value >= low && *value <= high);
    };
    if (!inRange(change.effect, 0, static_cast<int>(rules.effectMenu.size()) - 1))
        return BadInput("effect " + std::to_string(*change.effect) + " is not in the menu of model " +
                        ModelText(rules));
    if (!inRange(change.speed, 0, kSpeedCount - 1)) return BadInput("speed must be 1..8");
    if (!inRange(change.time, 0, kTimeCount - 1)) return BadInput("time must be 0s..5s");
    if (!inRange(change.offset, kMinOffset, kMaxOffset)) return BadInput("offset must be -8..8");

    if (change.clear) {
        params.at(SlotField::kind, slot) = kKindNone;
        params.at(SlotField::send, slot) = 0;
    }
    const auto set = [&](SlotField field, const auto& value) {
        if (value) params.at(field, slot) = static_cast<std::int32_t>(*value);
    };
    set(SlotField::effect, change.effect);
    set(SlotField::speed, change.speed);
    set(SlotField::time, change.time);
    set(SlotField::blink, change.blink);
    set(SlotField::marquee, change.marquee);
    set(SlotField::send, change.send);
    set(SlotField::arabic, change.arabic);
    set(SlotField::offset, change.offset);
    return WriteSlotChange(session_, slot, change.clear ? std::optional<std::string>(std::string()) : std::nullopt);
}

Status SlotEditor::Clear(int slot)
{
    SlotParams change;
    change.clear = true;
    return SetParams(slot, change);
}

Result<std::string> SlotEditor::SymbolFor(int number)
{
    if (number < 0 || number >= kSymbolCount) return BadInput("symbols are numbered 0..97");
    const ModelRules rules = Rules();
    const bool offered = number < kFirstRowBSymbol ? rules.symbolRowA : rules.symbolRowB;
    if (!offered) return NotOffered("symbol " + std::to_string(number) + " is not offered for model " + ModelText(rules));
    return SymbolToken(number);
}

}  // namespace lumitag::service
