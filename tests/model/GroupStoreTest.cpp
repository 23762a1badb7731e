#include "model/GroupStore.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <utility>

#include "TempProgramFolder.h"
#include "model/Reporter.h"

namespace lumitag {
namespace {

using namespace lumitag::testing;

class GroupStoreTest : public ::testing::Test {
protected:
    TempProgramFolder folder_;
    fs::path ListFile() const { return folder_.WorkData() / "IDLIST.id"; }
};

// The file a save writes for the given registry, line by line in key order.
std::string ExpectedText(const IdRegistry& r)
{
    std::string text = "[IDLIST]\r\nGROUP_CHECK=" + std::to_string(static_cast<int>(r.groupChecks)) + "\r\n";
    for (int g = 1; g <= 12; ++g) text += "GROUP" + std::to_string(g) + "NAME=" + r.groupNames[g] + "\r\n";
    for (int id = 1; id <= 255; ++id) {
        const auto n = std::to_string(id);
        const auto& rec = r.records[id];
        text += "LEDID" + n + "=" + rec.name + "\r\n";
        text += "LEDID" + n + "_CHECK=" + std::to_string(static_cast<int>(rec.checks)) + "\r\n";
        text += "LEDID" + n + "_GROUP=" + std::to_string(static_cast<int>(rec.groups)) + "\r\n";
    }
    return text;
}

TEST_F(GroupStoreTest, BoundToIdListInWorkDataAndEmptyAtStart)
{
    GroupStore store;
    EXPECT_EQ(store.Path(), ListFile());
    EXPECT_EQ(store.groupChecks, 0u);
    for (const auto& record : store.records) EXPECT_EQ(record, IdRecord{});
    for (const auto& name : store.groupNames) EXPECT_EQ(name, "");
}

TEST_F(GroupStoreTest, FirstSaveAfterAddingOneIdWritesEveryKey)
{
    GroupStore store;
    EXPECT_FALSE(store.LoadIdList());  // fresh start: no file yet
    store.records[5] = {"LED", 1, 1, 0};
    ASSERT_TRUE(store.SaveIdList());

    const Bytes bytes = ReadBytes(ListFile());
    // FF FE "[IDLIST]" CR LF "GROUP_CHECK=0" CR LF "GROUP1NAME=" ...
    EXPECT_EQ(Hex(bytes, 48),
              "FF FE 5B 00 49 00 44 00 4C 00 49 00 53 00 54 00 5D 00 0D 00 0A 00 47 00 52 00 "
              "4F 00 55 00 50 00 5F 00 43 00 48 00 45 00 43 00 4B 00 3D 00 30 00");
    EXPECT_EQ(bytes.size(), 23698u);  // 2 + 2 × 11848 characters
    IdRegistry expected;
    expected.records[5] = {"LED", 1, 1, 0};
    EXPECT_EQ(bytes, Utf16File(ExpectedText(expected)));
    const std::string text(ExpectedText(expected));
    EXPECT_NE(text.find("LEDID4_GROUP=0\r\nLEDID5=LED\r\nLEDID5_CHECK=1\r\nLEDID5_GROUP=1\r\nLEDID6=\r\n"),
              std::string::npos);
}

TEST_F(GroupStoreTest, EverythingSurvivesASaveAndALoad)
{
    GroupStore saved;
    // Long names everywhere: the file runs far past 25000 characters, and
    // the last IDs must come back as whole as the first.
    for (int id = 1; id <= 255; ++id)
        saved.records[id] = {std::to_string(id) + std::string(200, 'x'), 1, 0, 0};
    saved.groupChecks = 0x1FFE;
    saved.groupNames[1] = "Lobby";
    saved.groupNames[12] = "Ärger \xE2\x82\xAC \xF0\x9D\x84\x9E";  // non-ASCII, one pair
    saved.records[1] = {std::string(255, 'n'), 0x3, 0x2, kScanNotAnswered};
    saved.records[128] = {"= [x] =", 0x80000001u, 0xFFFFFFFFu, 0};  // bit 31 goes through "%d"
    saved.records[255] = {"last", 1u << 12, 1u << 12, 0};
    ASSERT_TRUE(saved.SaveIdList());
    ASSERT_GT(fs::file_size(ListFile()), 2u * 60000);

    GroupStore loaded;
    loaded.records[9] = {"stale", 1, 1, kScanAnswered};  // overwritten by the file
    ASSERT_TRUE(loaded.LoadIdList());
    EXPECT_EQ(loaded.groupChecks, saved.groupChecks);
    EXPECT_EQ(loaded.groupNames, saved.groupNames);
    for (int id = 1; id <= 255; ++id) {
        IdRecord expected = saved.records[id];
        expected.scanState = 0;  // never stored
        EXPECT_EQ(loaded.records[id], expected) << id;
    }
}

TEST_F(GroupStoreTest, LoadTakesOnlyTheKeysItKnows)
{
    WriteUtf16File(ListFile(),
                   "[IDLIST]\r\nGROUP_CHECK=6\r\nGROUP3NAME=Hall\r\nGROUP13NAME=none\r\n"
                   "LEDID7=Seven\r\nLEDID7_CHECK=1\r\n"          // no _GROUP: unregistered
                   "LEDID8=Eight\r\nLEDID8_CHECK=x\r\nLEDID8_GROUP= 3.9kg\r\n"
                   "LEDID0=zero\r\nLEDID0_GROUP=1\r\nLEDID300=far\r\nLEDID300_GROUP=1\r\n"
                   "LEDID9_GROUP=99999999999\r\n"
                   "[OTHER]\r\nLEDID10_GROUP=1\r\n");
    GroupStore store;
    ASSERT_TRUE(store.LoadIdList());
    EXPECT_EQ(store.groupChecks, 6u);
    EXPECT_EQ(store.groupNames[3], "Hall");
    EXPECT_EQ(store.records[7].name, "Seven");
    EXPECT_EQ(store.records[7].checks, 1u);
    EXPECT_EQ(store.records[7].groups, 0u);
    EXPECT_EQ(store.records[8].checks, 0u);
    EXPECT_EQ(store.records[8].groups, 3u);
    EXPECT_EQ(store.records[9].groups, 0x7FFFFFFFu);  // clamped, never wrapped
    EXPECT_EQ(store.records[10].groups, 0u);          // other section
    EXPECT_EQ(store.records[0], IdRecord{});          // record 0 is never read
    EXPECT_EQ(store.FirstIdInGroup(0), 8);
}

TEST_F(GroupStoreTest, LongNamesAreCutOnLoad)
{
    const std::string longName(300, 'L');
    const std::string exact(255, 'E');
    WriteUtf16File(ListFile(), "[IDLIST]\r\nLEDID1=" + longName + "\r\nLEDID2=" + exact + "\r\nGROUP2NAME=" +
                                   std::string(100000, 'G') + "\r\n");
    GroupStore store;
    ASSERT_TRUE(store.LoadIdList());
    EXPECT_EQ(store.records[1].name, std::string(255, 'L'));
    EXPECT_EQ(store.records[2].name, exact);
    EXPECT_EQ(store.groupNames[2], std::string(255, 'G'));

    // The cut names are what the next save writes.
    ASSERT_TRUE(store.SaveIdList());
    GroupStore again;
    ASSERT_TRUE(again.LoadIdList());
    EXPECT_EQ(again.records[1].name, std::string(255, 'L'));
}

TEST_F(GroupStoreTest, UnreadableFileChangesNothing)
{
    enum class Kind { Missing, Directory, Fifo, TooLarge };
    const std::pair<const char*, Kind> cases[] = {
        {"missing", Kind::Missing}, {"directory", Kind::Directory}, {"fifo", Kind::Fifo}, {"too large", Kind::TooLarge}};
    for (const auto& [what, kind] : cases) {
        std::error_code ec;
        fs::remove_all(ListFile(), ec);
        if (kind == Kind::Directory) fs::create_directory(ListFile());
        if (kind == Kind::Fifo) {
            ASSERT_EQ(::mkfifo(ListFile().c_str(), 0600), 0);
        }
        if (kind == Kind::TooLarge) WriteBytes(ListFile(), Bytes(17u * 1024 * 1024, 'a'));
        GroupStore store;
        store.records[3] = {"kept", 1, 1, 0};
        store.groupNames[1] = "kept";
        EXPECT_FALSE(store.LoadIdList()) << what;  // and a FIFO without a writer does not block
        EXPECT_EQ(store.records[3], (IdRecord{"kept", 1, 1, 0})) << what;
        EXPECT_EQ(store.groupNames[1], "kept") << what;
    }
}

TEST_F(GroupStoreTest, HostileContentLoadsAsText)
{
    // Noise, NULs, lone surrogates and odd byte counts read without harm.
    Bytes noise = {0xFF, 0xFE};
    for (char c : std::string("[IDLIST]\r\nLEDID4=a")) noise.insert(noise.end(), {static_cast<std::uint8_t>(c), 0});
    noise.insert(noise.end(), {0x00, 0xD8, 0x00, 0x00, 0x62, 0x00, 0x0D, 0x00, 0x0A, 0x00});
    noise.insert(noise.end(), {0x4C, 0x00, 0x45, 0x00, 0x44});
    WriteBytes(ListFile(), noise);
    GroupStore store;
    ASSERT_TRUE(store.LoadIdList());
    // The damaged characters in the middle become whatever the decoder makes
    // of them; the readable ones around them stay, and the cut-off last line
    // (no CR LF) is not taken.
    const std::string& name = store.records[4].name;
    ASSERT_GE(name.size(), 2u);
    EXPECT_EQ(name.front(), 'a');
    EXPECT_EQ(name.back(), 'b');
    EXPECT_EQ(store.FirstIdInGroup(0), 0);
}

TEST_F(GroupStoreTest, NameWithLineBreakCannotPoseAsKeys)
{
    GroupStore store;
    store.records[2] = {"Gate\r\nLEDID9_GROUP=1", 1, 1, 0};
    ASSERT_TRUE(store.SaveIdList());
    GroupStore loaded;
    ASSERT_TRUE(loaded.LoadIdList());
    EXPECT_EQ(loaded.records[2].name, "GateLEDID9_GROUP=1");
    EXPECT_EQ(loaded.records[9].groups, 0u);
}

TEST_F(GroupStoreTest, SaveKeepsKeysOfTheOlderFile)
{
    WriteUtf16File(ListFile(), "[Extra]\r\nKeep=1\r\n[IDLIST]\r\nOLDKEY=x\r\nLEDID2=B\r\nLEDID2_GROUP=1\r\n");
    GroupStore store;
    ASSERT_TRUE(store.LoadIdList());
    store.records[2].groups = 0;  // Delete
    ASSERT_TRUE(store.SaveIdList());
    const Bytes bytes = ReadBytes(ListFile());
    const Bytes head = Utf16File("[Extra]\r\nKeep=1\r\n[IDLIST]\r\nOLDKEY=x\r\nLEDID2=B\r\nLEDID2_GROUP=0\r\nGROUP_CHECK=0\r\n");
    ASSERT_GE(bytes.size(), head.size());
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(head.size())), head);
}

TEST_F(GroupStoreTest, FailedSaveReportsAndKeepsMemory)
{
    RecordingReporter reporter;
    GroupStore store;
    store.SetReporter(&reporter);
    fs::remove(folder_.WorkData());
    store.records[6] = {"six", 1, 1, 0};
    EXPECT_FALSE(store.SaveIdList());
    EXPECT_EQ(reporter.texts(), std::vector<std::string>{"Open failed"});
    EXPECT_EQ(store.records[6].name, "six");
    fs::create_directory(folder_.WorkData());
    ASSERT_TRUE(store.SaveIdList());
    GroupStore loaded;
    ASSERT_TRUE(loaded.LoadIdList());
    EXPECT_EQ(loaded.records[6].name, "six");
}

}  // namespace
}  // namespace lumitag
