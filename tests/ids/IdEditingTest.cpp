#include "service/IdEditing.h"

#include <gtest/gtest.h>

#include <fstream>

#include "../model/TempProgramFolder.h"
#include "model/DefaultProjects.h"
#include "model/DeviceCatalogue.h"
#include "model/GroupStore.h"
#include "model/SettingsStore.h"
#include "model/WorkFiles.h"

namespace lumitag::service {
namespace {

using namespace lumitag::testing;

TEST(ReadIdText, LeadingDigitsAfterBlanks)
{
    const std::pair<std::string_view, int> cases[] = {
        {"12", 12}, {"12ab", 12}, {"  7", 7}, {"0", 0},   {"-3", 0},
        {"abc", 0}, {"", 0},      {"256", 256}, {"007", 7}, {"99999999999999999999", 1'000'000},
    };
    for (const auto& [text, id] : cases) EXPECT_EQ(ReadIdText(text), id) << text;
}

struct AddCase {
    const char* label;
    IdAddRequest request;
    IdEditError error;
    std::vector<int> ids;
};

TEST(PlanIdAdd, ChecksRangeOrderAndName)
{
    IdRegistry registry;
    const AddCase cases[] = {
        {"single", {"5", std::nullopt, "Hall"}, IdEditError::None, {5}},
        {"blank name is a name", {"5", std::nullopt, "  "}, IdEditError::None, {5}},
        {"empty name", {"5", std::nullopt, ""}, IdEditError::EmptyName, {}},
        {"zero", {"0", std::nullopt, "x"}, IdEditError::IdOutOfRange, {}},
        {"256 has no record", {"256", std::nullopt, "x"}, IdEditError::IdOutOfRange, {}},
        {"negative", {"-4", std::nullopt, "x"}, IdEditError::IdOutOfRange, {}},
        {"not a number", {"abc", std::nullopt, "x"}, IdEditError::IdOutOfRange, {}},
        {"range checked before the name", {"0", std::nullopt, ""}, IdEditError::IdOutOfRange, {}},
        {"range", {"5", "7", ""}, IdEditError::None, {5, 6, 7}},
        {"range of one", {"5", "5", ""}, IdEditError::RangeOrder, {}},
        {"range backwards", {"9", "3", ""}, IdEditError::RangeOrder, {}},
        {"range end 256", {"250", "256", ""}, IdEditError::IdOutOfRange, {}},
        {"range end not a number", {"3", "x", ""}, IdEditError::IdOutOfRange, {}},
        {"full range", {"1", "255", ""}, IdEditError::None, {}},
    };
    for (const auto& c : cases) {
        const IdAddPlan plan = PlanIdAdd(registry, c.request);
        EXPECT_EQ(plan.error, c.error) << c.label;
        if (c.error != IdEditError::None) {
            EXPECT_TRUE(plan.ids.empty()) << c.label;
        } else if (!c.ids.empty()) {
            EXPECT_EQ(plan.ids, c.ids) << c.label;
        }
    }
    EXPECT_EQ(PlanIdAdd(registry, {"1", "255", ""}).ids.size(), 255u);
}

TEST(PlanIdAdd, RangeIsNamedLedAndNameIsCut)
{
    IdRegistry registry;
    EXPECT_EQ(PlanIdAdd(registry, {"5", "7", "ignored"}).name, "LED");
    const std::string longName(300, 'n');
    EXPECT_EQ(PlanIdAdd(registry, {"5", std::nullopt, longName}).name, std::string(255, 'n'));
}

TEST(PlanIdAdd, ListsTheRegisteredIdsOfARange)
{
    IdRegistry registry;
    registry.records[6] = {"Door", 1, 1, 0};
    registry.records[9] = {"Hall", 1 << 3, 0, 0};  // in group 3 only: still registered
    registry.records[8].name = "stale";             // no mask: not registered
    EXPECT_EQ(PlanIdAdd(registry, {"5", "10", ""}).registered, (std::vector<int>{6, 9}));
    EXPECT_EQ(PlanIdAdd(registry, {"6", std::nullopt, "x"}).registered, std::vector<int>{6});
    EXPECT_TRUE(PlanIdAdd(registry, {"8", std::nullopt, "x"}).registered.empty());
}

TEST(ReplaceQuestion, OneQuestionNamesAllIds)
{
    EXPECT_EQ(ReplaceQuestion(std::vector<int>{}), "");
    EXPECT_EQ(ReplaceQuestion(std::vector<int>{12}), "ID 12 already exists. Replace its name and program?");
    EXPECT_EQ(ReplaceQuestion(std::vector<int>{5, 6, 7, 9, 20, 21}),
              "IDs 5-7, 9, 20-21 already exist. Replace their names and programs?");
}

class IdRegistryFilesTest : public ::testing::Test {
protected:
    TempProgramFolder folder_;
    RecordingReporter reporter_;
};

TEST_F(IdRegistryFilesTest, AddWritesRecordsListAndFreshWorkFiles)
{
    GroupStore store;
    store.SetReporter(&reporter_);
    store.records[6] = {"Door", 1 | 1 << 4, 1 << 4, 0};
    WriteBytes(WorkFilePath(6), {1, 2, 3});  // the user's program for ID 6

    const IdAddPlan plan = PlanIdAdd(store, {"5", "7", ""});
    ASSERT_TRUE(ApplyIdAdd(store, plan, "Q26"));

    for (int id : {5, 6, 7}) {
        EXPECT_EQ(store.records[id].name, "LED");
        EXPECT_EQ(store.records[id].groups, 1u) << "other group bits are dropped";
        EXPECT_EQ(store.records[id].checks, 1u);
        const auto bytes = ReadBytes(WorkFilePath(id));
        const auto expected = DefaultProjectBytes(DefaultProjectResource("Q26"));
        EXPECT_EQ(bytes, Bytes(expected.begin(), expected.end())) << id;
    }
    EXPECT_FALSE(fs::exists(WorkFilePath(4)));
    EXPECT_FALSE(fs::exists(WorkFilePath(8)));

    GroupStore reloaded;
    ASSERT_TRUE(reloaded.LoadIdList());
    EXPECT_EQ(reloaded.records[6].name, "LED");
    EXPECT_EQ(reloaded.records[7].checks, 1u);
    EXPECT_TRUE(reporter_.entries().empty());
}

TEST_F(IdRegistryFilesTest, FailedListSaveIsReportedAndKeptInMemory)
{
    GroupStore store(folder_.Folder() / "missing" / "IDLIST.id");
    store.SetReporter(&reporter_);
    EXPECT_FALSE(ApplyIdAdd(store, PlanIdAdd(store, {"3", std::nullopt, "A"}), "Q26"));
    EXPECT_EQ(store.records[3].name, "A");
    EXPECT_EQ(reporter_.texts(), std::vector<std::string>{"Open failed"});
}

TEST_F(IdRegistryFilesTest, RefusedPlanChangesNothing)
{
    GroupStore store;
    EXPECT_FALSE(ApplyIdAdd(store, PlanIdAdd(store, {"0", std::nullopt, "A"}), "Q26"));
    EXPECT_FALSE(fs::exists(store.Path()));
    EXPECT_FALSE(fs::exists(WorkFilePath(0)));
}

TEST_F(IdRegistryFilesTest, RenameChangesOnlyTheName)
{
    GroupStore store;
    store.records[12] = {"Old", 1 | 1 << 2, 1 << 2, 0};
    WriteBytes(WorkFilePath(12), {9, 9});
    const IdRenamePlan plan = PlanIdRename(12, "New");
    ASSERT_EQ(plan.error, IdEditError::None);
    ASSERT_TRUE(ApplyIdRename(store, plan));
    EXPECT_EQ(store.records[12], (IdRecord{"New", 1 | 1 << 2, 1 << 2, 0}));
    EXPECT_EQ(ReadBytes(WorkFilePath(12)), (Bytes{9, 9}));
    GroupStore reloaded;
    ASSERT_TRUE(reloaded.LoadIdList());
    EXPECT_EQ(reloaded.records[12].name, "New");
}

TEST(PlanIdRename, RefusesIdsWithoutRecordAndEmptyNames)
{
    EXPECT_EQ(PlanIdRename(0, "x").error, IdEditError::IdOutOfRange);
    EXPECT_EQ(PlanIdRename(256, "x").error, IdEditError::IdOutOfRange);
    EXPECT_EQ(PlanIdRename(300, "x").error, IdEditError::IdOutOfRange);
    EXPECT_EQ(PlanIdRename(12, "").error, IdEditError::EmptyNameModify);
    EXPECT_EQ(PlanIdRename(12, std::string(256, 'a')).name.size(), 255u);
    GroupStore store(fs::path("/nonexistent/IDLIST.id"));
    EXPECT_FALSE(ApplyIdRename(store, PlanIdRename(256, "x")));
}

TEST(IdEditMessage, TextsAndKinds)
{
    EXPECT_EQ(IdEditMessage(IdEditError::IdOutOfRange), "ID >=1 and ID <= 255!");
    EXPECT_EQ(IdEditMessage(IdEditError::RangeOrder), "ID2 > ID1 !");
    EXPECT_EQ(IdEditMessage(IdEditError::EmptyName), "Name is empty!");
    EXPECT_EQ(IdEditMessage(IdEditError::EmptyNameModify), "Name is emtpy!");
    EXPECT_EQ(IdEditMessageKind(IdEditError::RangeOrder), MessageKind::Warning);
    EXPECT_EQ(IdEditMessageKind(IdEditError::EmptyName), MessageKind::Info);
}

TEST(ReadIdChange, RangeOneTo256)
{
    struct Case {
        const char* oldText;
        const char* newText;
        bool valid;
    };
    const Case cases[] = {
        {"3", "7", true}, {"256", "1", true}, {"0", "7", false}, {"3", "300", false},
        {"12ab", "5", true}, {"x", "5", false}, {"3", "257", false},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadIdChange(c.oldText, c.newText).valid, c.valid) << c.oldText << " " << c.newText;
    const auto request = ReadIdChange("12ab", "200");
    EXPECT_EQ(request.oldId, 12);
    EXPECT_EQ(request.newId, 200);
}

TEST(ParseLegacyIds, FourCharacterFieldsInOrder)
{
    const auto name = [](int id) { return id == 12 ? std::string("Hall") : std::string(); };
    const auto entries = ParseLegacyIds(3, "   1  12 200", name);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].id, 1);
    EXPECT_EQ(entries[1].label, "12.Hall");
    EXPECT_EQ(entries[2].label, "200.");
    EXPECT_EQ(ParseLegacyIds(3, "1   12  200 ", name)[2].id, 200);
}

TEST(ParseLegacyIds, DamagedCountsStayBounded)
{
    const auto none = [](int) { return std::string(); };
    EXPECT_EQ(ParseLegacyIds(2'000'000'000, "   1   2", none).size(), 2u);
    EXPECT_TRUE(ParseLegacyIds(-5, "   1", none).empty());
    std::string many;
    for (int i = 0; i < 600; ++i) many += "   7";
    EXPECT_EQ(ParseLegacyIds(600, many, none).size(), 512u);
    // A short last field is still read, as the old list gave it.
    EXPECT_EQ(ParseLegacyIds(2, "   1 9", none).back().id, 9);
}

TEST_F(IdRegistryFilesTest, LegacyEntriesFromTheSettingsFile)
{
    WriteUtf16File(folder_.WorkData() / "System.set",
                   "[LEDData]\r\nLEDID_Num=3\r\nLEDID_Str=   1  12 200\r\nLEDID12=Hall\r\nLEDID200=" +
                       std::string(300, 'z') + "\r\n");
    SettingsStore settings;
    const auto entries = LegacyIdEntries(settings);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].label, "1.");
    EXPECT_EQ(entries[1].label, "12.Hall");
    EXPECT_EQ(entries[2].label, "200." + std::string(255, 'z'));

    SettingsStore missing(folder_.Folder() / "none.set");
    EXPECT_TRUE(LegacyIdEntries(missing).empty());
}

}  // namespace
}  // namespace lumitag::service
