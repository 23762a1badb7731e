#include "model/DeviceCatalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace lumitag {
namespace {

std::string Name(int number)
{
    char text[8];
    std::snprintf(text, sizeof text, "Q%02d", number);
    return text;
}

TEST(DeviceCatalogue, HoldsQ01ToQ36InSelectorOrderWithUniqueNames)
{
    const auto models = Catalogue();
    ASSERT_EQ(models.size(), 36u);
    std::set<std::string_view> names;
    for (int i = 0; i < kModelCount; ++i) {
        EXPECT_EQ(models[static_cast<std::size_t>(i)].name, Name(i + 1));
        EXPECT_EQ(ModelIndex(Name(i + 1)), i);
        names.insert(models[static_cast<std::size_t>(i)].name);
    }
    EXPECT_EQ(names.size(), 36u);
}

TEST(DeviceCatalogue, EveryRowIsInRangeAndConsistent)
{
    for (const DeviceModel& m : Catalogue()) {
        SCOPED_TRACE(std::string(m.name));
        EXPECT_TRUE(m.rows == 7 || m.rows == 12 || m.rows == 16);
        EXPECT_TRUE(m.slotCount >= 8 && m.slotCount <= 10);
        EXPECT_GE(static_cast<int>(m.protocol), 0);
        EXPECT_LE(static_cast<int>(m.protocol), 5);
        EXPECT_TRUE(m.effectMenu >= 0 && m.effectMenu <= 2);
        EXPECT_EQ(m.pageWidth == 0, m.pagePitch == 0) << "pitch without width is never read";
        EXPECT_GE(m.pagePitch, m.pageWidth);
        EXPECT_EQ(m.busModel, m.protocol == LinkProtocol::Bus276);
        EXPECT_TRUE(m.packing.bitsPerPixel == 1 || m.packing.bitsPerPixel == 2);
        EXPECT_EQ(m.packing.width % 16, 0);
        EXPECT_EQ(m.packing.glyphCodes, m.protocol == LinkProtocol::GlyphSlots);
        EXPECT_EQ(m.packing.planeMode == 1, m.protocol == LinkProtocol::HelloTwoPlane);
        EXPECT_EQ(m.bitmapFontEditor, m.group == ModelGroup::TwoPlane);
        // The 16-row models all follow the layout rule.
        if (m.rows == 16) {
            EXPECT_TRUE(m.layoutFlagFromParams);
        }
        // Per-model lookups read the row by its exact name.
        EXPECT_EQ(FindModel(m.name), &m);
    }
}

// Spot checks of whole rows against the published table.
TEST(DeviceCatalogue, RowsMatchTheTable)
{
    struct Case {
        const char* name;
        int rows, slots, protocol;
        bool clock, bus;
        int menu, width, pitch;
        ModelGroup group;
    };
    const Case cases[] = {
        {"Q01", 7, 8, 0, false, false, 0, 0, 0, ModelGroup::SevenRow},
        {"Q03", 7, 9, 3, true, false, 0, 0, 0, ModelGroup::SevenRow},
        {"Q06", 12, 8, 1, false, false, 0, 0, 0, ModelGroup::TwelveRow},
        {"Q07", 7, 8, 4, true, false, 2, 0, 0, ModelGroup::TwoPlane},
        {"Q14", 12, 8, 1, false, false, 0, 33, 40, ModelGroup::TwelveRow},
        {"Q15", 12, 8, 1, false, false, 0, 44, 48, ModelGroup::TwelveRow},
        {"Q21", 12, 8, 1, false, false, 0, 216, 216, ModelGroup::TwelveRow},
        {"Q25", 12, 8, 1, false, false, 0, 0, 0, ModelGroup::TwelveRow},
        {"Q26", 16, 10, 5, true, true, 1, 0, 0, ModelGroup::Bus},
        {"Q29", 16, 10, 2, true, false, 1, 48, 48, ModelGroup::Paged},
        {"Q36", 16, 10, 2, true, false, 1, 256, 256, ModelGroup::Paged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DeviceModel* m = FindModel(c.name);
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(m->rows, c.rows);
        EXPECT_EQ(m->slotCount, c.slots);
        EXPECT_EQ(static_cast<int>(m->protocol), c.protocol);
        EXPECT_EQ(m->hasClock, c.clock);
        EXPECT_EQ(m->busModel, c.bus);
        EXPECT_EQ(m->effectMenu, c.menu);
        EXPECT_EQ(m->pageWidth, c.width);
        EXPECT_EQ(m->pagePitch, c.pitch);
        EXPECT_EQ(m->group, c.group);
    }
}

TEST(DeviceCatalogue, OnlyQ26ToQ36HaveSixteenRowsAndTenSlotsAndOnlyQ03Q05Nine)
{
    for (int n = 1; n <= 36; ++n) {
        const DeviceModel* m = FindModel(Name(n));
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(m->rows == 16, n >= 26) << m->name;
        EXPECT_EQ(m->slotCount == 10, n >= 26) << m->name;
        EXPECT_EQ(m->slotCount == 9, n == 3 || n == 5) << m->name;
    }
}

TEST(DeviceCatalogue, LookupsCompareWholeNamesExactly)
{
    EXPECT_EQ(FindModel("q01"), nullptr);
    EXPECT_EQ(FindModel("Q0"), nullptr);
    EXPECT_EQ(FindModel("Q011"), nullptr);
    EXPECT_EQ(FindModel(" Q01"), nullptr);
    EXPECT_EQ(FindModel(""), nullptr);
    EXPECT_EQ(FindModelIgnoringCase("q36"), FindModel("Q36"));
    EXPECT_EQ(FindModelIgnoringCase("q3"), nullptr);
    EXPECT_EQ(ModelIndex("q01"), -1);
    // A lower-case name gets the "all others" values from the per-use lookups.
    EXPECT_EQ(DefaultProjectResource("q29"), 177);
    EXPECT_EQ(PreviewHeightOverride("q01"), 0);
}

TEST(DeviceCatalogue, StartUpSettings)
{
    const ModelSettings s;
    EXPECT_EQ(s.rows, 12);
    EXPECT_EQ(s.slotCount, 8);
    EXPECT_EQ(s.protocol, LinkProtocol::Hello);
    EXPECT_TRUE(s.hasClock);
    EXPECT_FALSE(s.busModel);
    EXPECT_EQ(s.effectMenu, 0);
    EXPECT_EQ(s.pageWidth, 64);
    EXPECT_EQ(s.pagePitch, 64);
}

TEST(DeviceCatalogue, ApplyModelCopiesTheRowIgnoringCase)
{
    ModelSettings s;
    EXPECT_TRUE(ApplyModel(s, "q29"));
    EXPECT_EQ(s, (ModelSettings{16, 10, LinkProtocol::Paged273, true, false, 1, 48, 48}));
    EXPECT_TRUE(ApplyModel(s, "Q07"));
    EXPECT_EQ(s, (ModelSettings{7, 8, LinkProtocol::HelloTwoPlane, true, false, 2, 0, 48}));
}

TEST(DeviceCatalogue, ApplyModelKeepsPagePitchWhereTheRowHasNoPageWidth)
{
    struct Case {
        const char* from;
        const char* to;
        int width, pitch;
    };
    const Case cases[] = {
        {"Q14", "Q24", 0, 40},
        {"Q29", "Q01", 0, 48},
        {"Q15", "Q26", 0, 48},
        {"Q24", "Q16", 36, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " -> " + c.to);
        ModelSettings s;
        ApplyModel(s, c.from);
        ApplyModel(s, c.to);
        EXPECT_EQ(s.pageWidth, c.width);
        EXPECT_EQ(s.pagePitch, c.pitch);
    }
}

TEST(DeviceCatalogue, ApplyModelWithAnUnknownNameOnlyClearsPageWidth)
{
    for (const char* name : {"", "Q37", "Q1", "LED-X"}) {
        SCOPED_TRACE(name);
        ModelSettings s;
        ApplyModel(s, "Q30");
        ModelSettings expected = s;
        expected.pageWidth = 0;
        EXPECT_FALSE(ApplyModel(s, name));
        EXPECT_EQ(s, expected);
    }
    ModelSettings fresh;
    ApplyModel(fresh, "");
    EXPECT_EQ(fresh, (ModelSettings{12, 8, LinkProtocol::Hello, true, false, 0, 0, 64}));
}

TEST(DeviceCatalogue, SameGroup)
{
    struct Case {
        const char* from;
        const char* to;
        bool same;
    };
    const Case cases[] = {
        {"Q06", "Q14", true},  {"Q14", "Q06", true},  {"Q05", "Q06", false}, {"Q06", "Q05", false},
        {"Q30", "Q36", true},  {"Q01", "Q05", true},  {"Q07", "Q13", true},  {"Q13", "Q14", false},
        {"Q26", "Q28", true},  {"Q28", "Q29", false}, {"Q25", "Q24", true},  {"", "Q01", false},
        {"Q01", "q01", false}, {"X", "X", false},
    };
    for (const Case& c : cases) EXPECT_EQ(SameGroup(c.from, c.to), c.same) << c.from << " -> " << c.to;
}

TEST(DeviceCatalogue, PerModelUseLists)
{
    std::set<int> bitmapEditor, layout, timeOff, wordLimit, preview12;
    std::set<int> res242, res243;
    for (int n = 1; n <= 36; ++n) {
        const std::string name = Name(n);
        if (UsesBitmapFontEditor(name)) bitmapEditor.insert(n);
        if (LayoutFlagFromParams(name)) layout.insert(n);
        if (TimeSelectorDisabled(name)) timeOff.insert(n);
        if (HasWordLimit(name)) wordLimit.insert(n);
        if (PreviewHeightOverride(name) == 12) preview12.insert(n);
        else EXPECT_EQ(PreviewHeightOverride(name), 0);
        const int res = DefaultProjectResource(name);
        if (res == 242) res242.insert(n);
        else if (res == 243) res243.insert(n);
        else EXPECT_EQ(res, 177) << name;
    }
    const auto range = [](int a, int b) {
        std::set<int> s;
        for (int n = a; n <= b; ++n) s.insert(n);
        return s;
    };
    EXPECT_EQ(bitmapEditor, range(7, 13));
    std::set<int> layoutExpected = range(14, 23);
    layoutExpected.merge(range(26, 36));
    EXPECT_EQ(layout, layoutExpected);
    EXPECT_EQ(timeOff, range(14, 25));
    EXPECT_EQ(wordLimit, (std::set<int>{14, 15, 18, 20, 21}));
    EXPECT_EQ(preview12, range(1, 5));
    EXPECT_EQ(res242, range(29, 36));
    EXPECT_EQ(res243, range(7, 13));
    EXPECT_EQ(kWordLimitBytes, 12000);
}

TEST(DeviceCatalogue, PackingTable)
{
    struct Case {
        const char* name;
        int bits, width, plane;
        bool glyphs;
    };
    const Case cases[] = {
        {"Q01", 1, 16, 0, false}, {"Q03", 1, 16, 0, true},   {"Q05", 1, 16, 0, true},  {"Q06", 1, 16, 0, false},
        {"Q07", 1, 32, 1, false}, {"Q10", 1, 128, 1, false}, {"Q13", 1, 224, 1, false}, {"Q14", 1, 16, 0, false},
        {"Q25", 1, 16, 0, false}, {"Q26", 2, 64, 0, false},  {"Q27", 2, 96, 0, false},  {"Q28", 2, 128, 0, false},
        {"Q29", 2, 48, 0, false}, {"Q31", 2, 96, 0, false},  {"Q36", 2, 256, 0, false}, {"nope", 1, 16, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PackingParams p = PackingOf(c.name);
        EXPECT_EQ(p.bitsPerPixel, c.bits);
        EXPECT_EQ(p.width, c.width);
        EXPECT_EQ(p.planeMode, c.plane);
        EXPECT_EQ(p.glyphCodes, c.glyphs);
    }
}

TEST(DeviceCatalogue, EffectMenus)
{
    const auto labels = [](int menu) {
        std::string out;
        for (const EffectItem& item : EffectMenuItems(menu)) out += std::string(item.english) + ",";
        return out;
    };
    EXPECT_EQ(labels(0), "Left,Right,Up,Down,Fix,Animation,Snow,Middle,");
    EXPECT_EQ(labels(1), "Fix,Left,Right,Up,Down,Snow,Blink,");
    EXPECT_EQ(labels(2), "Left,Right,Up,Down,Fix,Animation,Snow,");
    EXPECT_EQ(labels(7), labels(0));
    EXPECT_EQ(EffectMenuItems(1)[6].labelKey, 9);
    EXPECT_EQ(EffectMenuResource(0), 137);
    EXPECT_EQ(EffectMenuResource(1), 139);
    EXPECT_EQ(EffectMenuResource(2), 140);

    // Sideways codes: 0 and 1 for menu 0, 1 and 2 for the 16-row menu.
    for (int code = -1; code <= 9; ++code) {
        EXPECT_EQ(IsSidewaysEffect(0, code), code == 0 || code == 1) << code;
        EXPECT_EQ(IsSidewaysEffect(1, code), code == 1 || code == 2) << code;
    }

    EXPECT_EQ(ContentMenuResource(true), 138);
    EXPECT_EQ(ContentMenuResource(false), 136);
    ASSERT_EQ(ContentKindItems(false).size(), 2u);
    ASSERT_EQ(ContentKindItems(true).size(), 3u);
    EXPECT_EQ(ContentKindItems(true)[2].code, 3);
    EXPECT_EQ(ContentKindItems(true)[2].english, "Date");
}

}  // namespace
}  // namespace lumitag
