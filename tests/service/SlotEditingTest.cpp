// Slot editing: the per-model rules from the catalogue, and each editor's
// result stored with its kind and send flag in the work file.

#include "service/SlotEditing.h"

#include "render/content/ContentString.h"
#include "render/content/RtfReader.h"
#include "tests/service/ServiceTestSupport.h"

namespace lumitag::service::test {
namespace {

struct RulesCase {
    const char* model;
    int rows;
    int slotCount;
    TextEditorKind editor;
    bool fixedTime;
    int effectMenuResource;
    int editMenuResource;
    bool rowA;
    bool rowB;
    const char* face;
    int textTwips;
    int dateTwips;
};

TEST(ModelRules, FollowTheCatalogue)
{
    const RulesCase cases[] = {
        {"Q01", 7, 8, TextEditorKind::GlyphText, false, 137, 136, true, true, "Arial", 140, 140},
        {"Q03", 7, 9, TextEditorKind::GlyphText, false, 137, 138, false, true, "Arial", 240, 240},
        {"Q07", 7, 8, TextEditorKind::BitmapFont, false, 140, 138, false, true, "Arial", 140, 140},
        {"Q14", 12, 8, TextEditorKind::RichText, true, 137, 136, true, false, "MingLiU", 240, 240},
        {"Q18", 12, 8, TextEditorKind::RichText, true, 137, 136, true, false, "Arial", 240, 240},
        {"Q24", 12, 8, TextEditorKind::RichText, true, 137, 136, true, false, "Arial", 240, 240},
        {"Q26", 16, 10, TextEditorKind::RichText, false, 139, 138, true, false, "Arial", 320, 320},
        {"Q36", 16, 10, TextEditorKind::RichText, false, 139, 138, true, false, "Arial", 320, 320},
        // No model: the link's initial values.
        {"", 12, 8, TextEditorKind::RichText, false, 137, 138, true, false, "Arial", 240, 240},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.model);
        const ModelRules rules = RulesFor(c.model);
        EXPECT_EQ(rules.rows, c.rows);
        EXPECT_EQ(rules.slotCount, c.slotCount);
        EXPECT_EQ(rules.textEditor, c.editor);
        EXPECT_EQ(rules.fixedTime, c.fixedTime);
        EXPECT_EQ(rules.effectMenuResource, c.effectMenuResource);
        EXPECT_EQ(rules.editMenuResource, c.editMenuResource);
        EXPECT_EQ(rules.symbolRowA, c.rowA);
        EXPECT_EQ(rules.symbolRowB, c.rowB);
        EXPECT_EQ(rules.textFormat.face, c.face);
        EXPECT_EQ(rules.textFormat.twips, c.textTwips);
        EXPECT_EQ(rules.dateFormat.twips, c.dateTwips);
        EXPECT_EQ(rules.textFormat.colour, 0x0000FFFFu);
    }
}

TEST(ModelRules, RowsPastTheMessageCountAreHidden)
{
    EXPECT_TRUE(RowShown(RulesFor("Q01"), 7));
    EXPECT_FALSE(RowShown(RulesFor("Q01"), 8));
    EXPECT_TRUE(RowShown(RulesFor("Q03"), 8));
    EXPECT_FALSE(RowShown(RulesFor("Q03"), 9));
    EXPECT_TRUE(RowShown(RulesFor("Q36"), 9));
}

TEST(ModelRules, RowControlsFollowKindAndModel)
{
    struct Case {
        const char* model;
        int kind;
        RowControls expected;
    };
    // edit, effect, speed, time, blink, marquee, send, arabic
    const Case cases[] = {
        {"Q06", 0, {true, false, false, false, true, false, false, false}},
        {"Q06", 1, {true, true, true, true, true, true, true, true}},
        {"Q06", 3, {true, true, true, true, true, true, true, true}},
        {"Q18", 2, {true, true, true, false, true, true, true, true}},  // fixed time
        {"Q06", 7, {true, false, true, false, true, true, true, false}},
        {"Q36", 1, {true, true, true, true, false, true, true, true}},  // no blink on 16 rows
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.model) + " kind " + std::to_string(c.kind));
        const RowControls got = RowControlsFor(RulesFor(c.model), c.kind);
        EXPECT_EQ(got.edit, c.expected.edit);
        EXPECT_EQ(got.effect, c.expected.effect);
        EXPECT_EQ(got.speed, c.expected.speed);
        EXPECT_EQ(got.time, c.expected.time);
        EXPECT_EQ(got.blink, c.expected.blink);
        EXPECT_EQ(got.marquee, c.expected.marquee);
        EXPECT_EQ(got.send, c.expected.send);
        EXPECT_EQ(got.arabic, c.expected.arabic);
    }
}

TEST(ModelRules, LayoutFlagFollowsTimeAndSidewaysEffects)
{
    EXPECT_EQ(RowLayoutFlag(RulesFor("Q18"), 0, 1), 0);  // Right, no dwell time
    EXPECT_EQ(RowLayoutFlag(RulesFor("Q18"), 1, 1), 1);
    EXPECT_EQ(RowLayoutFlag(RulesFor("Q24"), 0, 1), 1);  // not a layout-rule model
    EXPECT_EQ(RowLayoutFlag(RulesFor("Q36"), 0, 1), 0);  // Left of menu 139
    EXPECT_EQ(RowLayoutFlag(RulesFor("Q36"), 0, 0), 1);  // Fix
}

TEST(ModelRules, EffectsAndColoursByName)
{
    EXPECT_EQ(FindEffect(RulesFor("Q26"), "blink"), 6);
    EXPECT_EQ(FindEffect(RulesFor("Q26"), "Middle"), std::nullopt);
    EXPECT_EQ(FindEffect(RulesFor("Q06"), "7"), 7);
    EXPECT_EQ(FindEffect(RulesFor("Q07"), "7"), std::nullopt);
    EXPECT_EQ(EffectName(RulesFor("Q06"), 8), "");
    ASSERT_EQ(EditorColours().size(), 9u);
    EXPECT_EQ(FindEditorColour("Yellow-Green-Red"), 0x0000E9A0u);
    EXPECT_EQ(FindEditorColour("2"), 0x0000FFFFu);
    EXPECT_EQ(FindEditorColour("9"), std::nullopt);
    EXPECT_EQ(EditorColourIndex(0x00FF9600), 5);
    EXPECT_EQ(EditorColourIndex(0x00123456), std::nullopt);
}

class SlotEditingTest : public ServiceTest {};

TEST_F(SlotEditingTest, FormattedTextIsStoredWithItsKindAndSendFlag)
{
    Session& session = Open("Q36");
    SlotEditor editor(session);
    FormattedText text;
    text.Append("Hello", CharFormat{"Arial", 320, 0x000000FF, true});
    const auto stored = editor.SetFormattedText(4, text);
    ASSERT_TRUE(stored.ok()) << stored.message();
    EXPECT_EQ(FileValue("DATA_04"), *stored);
    EXPECT_EQ(ReadRtf(FileValue("DATA_04")).text, text);
    // Kind Text, sent; the other fields as the default project left them.
    EXPECT_EQ(FileValue("PARA_04"), "104400010000");
    EXPECT_EQ(session.Program().Params().at(SlotField::kind, 4), kKindText);
}

TEST_F(SlotEditingTest, EmptyContentFollowsWhereTheEditorWasOpened)
{
    Session& session = Open("Q18");
    SlotEditor editor(session);
    FormattedText blanks;
    blanks.Append("   ", RulesFor("Q18").textFormat);
    ASSERT_TRUE(editor.SetFormattedText(2, blanks, EditOrigin::EditMenu).ok());
    EXPECT_EQ(FileValue("DATA_02"), "");
    EXPECT_EQ(session.Program().Params().at(SlotField::kind, 2), kKindText);
    EXPECT_EQ(session.Program().Params().at(SlotField::send, 2), 1);

    ASSERT_TRUE(editor.SetPictures(3, {}, EditOrigin::Preview).ok());
    EXPECT_EQ(session.Program().Params().at(SlotField::kind, 3), kKindNone);
    EXPECT_EQ(session.Program().Params().at(SlotField::send, 3), 0);
    EXPECT_EQ(FileValue("PARA_03").substr(0, 1), "0");
}

TEST_F(SlotEditingTest, GlyphTextIsTrimmedPlainAsciiWithinTheLimit)
{
    Session& session = Open("Q01");
    SlotEditor editor(session);
    EXPECT_EQ(editor.SetGlyphText(0, "  AB\r\n ").value(), "[ASCII]AB");
    EXPECT_EQ(FileValue("DATA_00"), "[ASCII]AB");
    EXPECT_EQ(editor.SetGlyphText(0, "caf\xC3\xA9").code(), ErrorCode::BadInput);
    EXPECT_EQ(editor.SetGlyphText(0, std::string(256, 'x')).code(), ErrorCode::BadInput);
    EXPECT_TRUE(editor.SetGlyphText(0, std::string(255, 'x')).ok());
    // A model with formatted text takes no plain glyph text, and a row the
    // model hides cannot be edited.
    EXPECT_EQ(editor.SetGlyphText(8, "A").code(), ErrorCode::NotOffered);
    Session& other = Open("Q18");
    EXPECT_EQ(SlotEditor(other).SetGlyphText(0, "A").code(), ErrorCode::NotOffered);
}

TEST_F(SlotEditingTest, GlyphCodesOnTheBitmapFontModelsOnly)
{
    Session& session = Open("Q07");
    SlotEditor editor(session);
    const std::vector<std::uint32_t> codes = {65, 34881};
    EXPECT_EQ(editor.SetGlyphCodes(1, codes).value(), "[DASCII]65,34881,");
    EXPECT_EQ(FileValue("DATA_01"), "[DASCII]65,34881,");
    const std::vector<std::uint32_t> badFont = {MakeGlyphCode(65, 0, 7)};
    EXPECT_EQ(editor.SetGlyphCodes(1, badFont).code(), ErrorCode::BadInput);
    EXPECT_EQ(FileValue("DATA_01"), "[DASCII]65,34881,");
    EXPECT_EQ(editor.SetFormattedText(1, FormattedText()).code(), ErrorCode::NotOffered);
}

TEST_F(SlotEditingTest, DateItemsNeedAClockAndTakeTheTextFormOfTheRows)
{
    Session& session = Open("Q03");
    SlotEditor editor(session);
    const auto stored = editor.SetDateItem(0, DefaultDateFlags(), "  NOW ", FormattedText());
    EXPECT_EQ(stored.value(), "[DATE_000011][ASCII]NOW");
    EXPECT_EQ(session.Program().Params().at(SlotField::kind, 0), kKindDate);

    Session& big = Open("Q36");
    FormattedText text;
    text.Append("Hi", RulesFor("Q36").dateFormat);
    const auto rich = SlotEditor(big).SetDateItem(0, {true, true, true, true, true, true}, "", text);
    ASSERT_TRUE(rich.ok());
    EXPECT_TRUE(rich->starts_with("[DATE_111111]{\\rtf")) << *rich;

    Session& noClock = Open("Q01");
    EXPECT_EQ(SlotEditor(noClock).SetDateItem(0, DefaultDateFlags(), "A", FormattedText()).code(),
              ErrorCode::NotOffered);
}

TEST_F(SlotEditingTest, PicturesKeepOrderAndRefuseSemicolons)
{
    Session& session = Open("Q06");
    SlotEditor editor(session);
    const std::vector<std::string> paths = {"/p/a.bmp", "/p/b.bmp", "/p/a.bmp"};
    EXPECT_EQ(editor.SetPictures(0, paths).value(), "/p/a.bmp;/p/b.bmp;/p/a.bmp;");
    EXPECT_EQ(session.Program().Params().at(SlotField::kind, 0), kKindImage);
    const std::vector<std::string> bad = {"/p/a;b.bmp"};
    EXPECT_EQ(editor.SetPictures(0, bad).code(), ErrorCode::BadInput);
    EXPECT_EQ(FileValue("DATA_00"), "/p/a.bmp;/p/b.bmp;/p/a.bmp;");
}

TEST_F(SlotEditingTest, ParamsRefuseWhatTheRowDisablesAndWriteNothingThen)
{
    Session& session = Open("Q18");
    SlotEditor editor(session);
    const std::string before = FileValue("PARA_01");
    SlotParams time;
    time.time = 2;
    const Status fixed = editor.SetParams(1, time);
    EXPECT_EQ(fixed.code(), ErrorCode::NotOffered);
    EXPECT_NE(fixed.message().find("fixed dwell time"), std::string::npos) << fixed.message();
    SlotParams speed;
    speed.speed = 8;
    EXPECT_EQ(editor.SetParams(1, speed).code(), ErrorCode::BadInput);
    SlotParams clearAndSpeed;
    clearAndSpeed.clear = true;
    clearAndSpeed.speed = 2;
    EXPECT_EQ(editor.SetParams(1, clearAndSpeed).code(), ErrorCode::NotOffered);
    EXPECT_EQ(FileValue("PARA_01"), before);

    SlotParams change;
    change.effect = 1;
    change.speed = 5;
    change.marquee = true;
    change.blink = true;
    change.offset = -3;
    ASSERT_TRUE(editor.SetParams(1, change).ok());
    EXPECT_EQ(FileValue("PARA_01"), "10150100-301");
}

TEST_F(SlotEditingTest, ClearEmptiesContentKindAndSendInOneChange)
{
    Session& session = Open("Q06");
    SlotEditor editor(session);
    ASSERT_TRUE(editor.SetPictures(2, std::vector<std::string>{"/p/a.bmp"}).ok());
    ASSERT_TRUE(editor.Clear(2).ok());
    EXPECT_EQ(FileValue("DATA_02"), "");
    EXPECT_EQ(FileValue("PARA_02").substr(0, 1), "0");
    EXPECT_EQ(session.Program().Params().at(SlotField::send, 2), 0);
    // An empty slot still takes blink (not on 16 rows).
    SlotParams blink;
    blink.blink = true;
    EXPECT_TRUE(editor.SetParams(2, blink).ok());
    Session& big = Open("Q36");
    EXPECT_EQ(SlotEditor(big).SetParams(2, blink).code(), ErrorCode::NotOffered);
}

TEST_F(SlotEditingTest, AWorkFileThatCannotBeReadIsNeverOverwritten)
{
    Session& session = Open("Q06");
    // A folder where the work file should be: it exists but cannot be read.
    const fs::path path = WorkFilePath(5);
    fs::create_directories(path);
    ASSERT_FALSE(session.Program().LoadProgram(path));
    SlotEditor editor(session);
    const auto result = editor.SetPictures(0, std::vector<std::string>{"/p/a.bmp"});
    EXPECT_EQ(result.code(), ErrorCode::FileWrite);
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(session.Program().File().GetString(kProgramSection, "DATA_00"), "");
}

TEST_F(SlotEditingTest, SymbolsFollowTheModelsSymbolRows)
{
    EXPECT_EQ(SlotEditor(Open("Q18")).SymbolFor(3).value(), "[GIF_003]");
    EXPECT_EQ(SlotEditor(Open("Q18")).SymbolFor(40).code(), ErrorCode::NotOffered);
    EXPECT_EQ(SlotEditor(Open("Q03")).SymbolFor(3).code(), ErrorCode::NotOffered);
    EXPECT_EQ(SlotEditor(Open("Q03")).SymbolFor(97).value(), "[GIF_097]");
    EXPECT_EQ(SlotEditor(Open("Q01")).SymbolFor(98).code(), ErrorCode::BadInput);
}

}  // namespace
}  // namespace lumitag::service::test
