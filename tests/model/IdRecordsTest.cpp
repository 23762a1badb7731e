#include "model/IdRecords.h"

#include <gtest/gtest.h>

#include <string>

namespace lumitag {
namespace {

constexpr std::uint32_t Bit(int g) { return 1u << g; }

TEST(IdRecordsTest, MainListIsBitZeroOfGroups)
{
    IdRegistry registry;
    registry.records[4].groups = Bit(0) | Bit(2);
    registry.records[5].groups = Bit(2);  // in group 2 only
    registry.records[255].groups = Bit(0);
    EXPECT_TRUE(registry.IdInMainList(4));
    EXPECT_FALSE(registry.IdInMainList(5));
    EXPECT_TRUE(registry.IdInMainList(255));
    // Outside the registry there is nothing to look at.
    registry.records[0].groups = Bit(0);
    for (int id : {0, -1, 256, 300}) EXPECT_FALSE(registry.IdInMainList(id)) << id;
}

TEST(IdRecordsTest, SelectedForSendNeedsAnyGroupAndAnyCheck)
{
    struct Case {
        std::uint32_t groups, checks;
        bool selected;
    };
    const Case cases[] = {
        {Bit(3), Bit(3), true},          // only in group 3, checked only there
        {Bit(0), Bit(5), true},          // whole masks, not matching bits
        {Bit(0) | Bit(1), 0, false},     // registered but never checked
        {0, Bit(0), false},              // check mark left on a deleted ID
        {0x80000000u, 0x80000000u, true},  // the top bit counts like any other
    };
    for (const auto& c : cases) {
        IdRegistry registry;
        registry.records[17].groups = c.groups;
        registry.records[17].checks = c.checks;
        EXPECT_EQ(registry.IsSelectedForSend(17), c.selected) << c.groups << "/" << c.checks;
    }
    IdRegistry registry;
    registry.records[0] = {"", Bit(0), Bit(0), 0};
    EXPECT_FALSE(registry.IsSelectedForSend(0));
    EXPECT_FALSE(registry.IsSelectedForSend(256));
}

TEST(IdRecordsTest, FirstIdInGroupIsTheLowestMember)
{
    IdRegistry registry;
    EXPECT_EQ(registry.FirstIdInGroup(0), 0);  // empty main list
    EXPECT_EQ(registry.FirstIdInGroup(7), 7);  // empty group gives the group itself
    registry.records[0].groups = Bit(0) | Bit(7);  // record 0 never counts
    registry.records[200].groups = Bit(0) | Bit(7);
    registry.records[9].groups = Bit(7);
    registry.records[12].groups = Bit(0);
    EXPECT_EQ(registry.FirstIdInGroup(0), 12);
    EXPECT_EQ(registry.FirstIdInGroup(7), 9);
    EXPECT_EQ(registry.FirstIdInGroup(12), 12);
    // Bits beyond the mask are no group at all.
    for (int g : {32, 40, -1}) EXPECT_EQ(registry.FirstIdInGroup(g), g);
}

TEST(IdRecordsTest, StartScanMarksEveryRecordUnanswered)
{
    IdRegistry registry;
    registry.records[3] = {"Hall", Bit(0), Bit(0), kScanAnswered};
    registry.StartScan();
    for (const auto& record : registry.records) EXPECT_EQ(record.scanState, kScanNotAnswered);
    EXPECT_EQ(registry.records[3].checks, Bit(0));  // the marks themselves stay
}

TEST(IdRecordsTest, NamesAreCutToTheLimitWithoutSplittingCharacters)
{
    const std::string a255(255, 'a');
    const std::string euro = "\xE2\x82\xAC";  // one unit, three bytes
    const std::string clef = "\xF0\x9D\x84\x9E";  // two units (a surrogate pair)
    struct Case {
        std::string in, out;
    };
    const Case cases[] = {
        {"", ""},
        {a255, a255},
        {a255 + "b", a255},
        {std::string(1000, 'x'), std::string(255, 'x')},
        {std::string(254, 'a') + euro + "z", std::string(254, 'a') + euro},
        // A pair that would straddle the limit is dropped whole.
        {std::string(254, 'a') + clef, std::string(254, 'a')},
        {std::string(253, 'a') + clef + "z", std::string(253, 'a') + clef},
        // A cut-off sequence at the end is taken byte by byte, never overrun.
        {"ab\xE2\x82", "ab\xE2\x82"},
        {std::string(254, 'a') + "\xE2\x82", std::string(254, 'a') + "\xE2"},
    };
    for (const auto& c : cases) EXPECT_EQ(CutToNameLimit(c.in), c.out) << c.in.size();
}

}  // namespace
}  // namespace lumitag
