#include "model/SettingsStore.h"

#include <gtest/gtest.h>

#include "TempProgramFolder.h"
#include "model/Reporter.h"

namespace lumitag {
namespace {

using namespace lumitag::testing;

class SettingsStoreTest : public ::testing::Test {
protected:
    TempProgramFolder folder_;
    fs::path SetFile() const { return folder_.WorkData() / "System.set"; }
};

TEST_F(SettingsStoreTest, BoundToSystemSetInWorkData)
{
    SettingsStore store;
    EXPECT_EQ(store.Path(), SetFile());
}

TEST_F(SettingsStoreTest, MissingFileGivesDefaultsAndCreatesNothing)
{
    SettingsStore store;
    EXPECT_EQ(store.GetLanguage(), 0);
    EXPECT_EQ(store.GetLedType(), "");
    EXPECT_EQ(store.GetMode485(), 0);
    EXPECT_EQ(store.GetNowSelID(), 0);
    EXPECT_EQ(store.GetLegacyIdCount(), 0);
    EXPECT_EQ(store.GetLegacyIdList(), "");
    EXPECT_EQ(store.GetLegacyIdName(3), "");
    EXPECT_FALSE(fs::exists(SetFile()));
}

TEST_F(SettingsStoreTest, FirstSetterCreatesTheFileWithOneKey)
{
    SettingsStore store;
    ASSERT_TRUE(store.SetLanguage(3));
    // FF FE "[Setting]" CR LF "Language=3" CR LF
    EXPECT_EQ(Hex(ReadBytes(SetFile())),
              "FF FE 5B 00 53 00 65 00 74 00 74 00 69 00 6E 00 67 00 5D 00 0D 00 0A 00 "
              "4C 00 61 00 6E 00 67 00 75 00 61 00 67 00 65 00 3D 00 33 00 0D 00 0A 00");
}

TEST_F(SettingsStoreTest, EverySetterReachesTheDiskInFirstUseOrder)
{
    SettingsStore store;
    ASSERT_TRUE(store.SetNowSelID(12));
    ASSERT_TRUE(store.SetLedType("Q30"));
    ASSERT_TRUE(store.SetMode485(1));
    ASSERT_TRUE(store.SetLanguage(14));
    ASSERT_TRUE(store.SetNowSelID(-7));
    EXPECT_EQ(ReadBytes(SetFile()), Utf16File("[LEDData]\r\nNowSelID=-7\r\n"
                                              "[Setting]\r\nLedType=Q30\r\nMode485=1\r\nLanguage=14\r\n"));
}

TEST_F(SettingsStoreTest, PlayingPreviewsAreOffUntilSwitchedOn)
{
    SettingsStore store;
    EXPECT_FALSE(store.GetPlayPreviews());
    ASSERT_TRUE(store.SetLedType("Q30"));
    ASSERT_TRUE(store.SetPlayPreviews(true));
    EXPECT_TRUE(SettingsStore().GetPlayPreviews());
    ASSERT_TRUE(store.SetPlayPreviews(false));
    EXPECT_EQ(ReadBytes(SetFile()), Utf16File("[Setting]\r\nLedType=Q30\r\nPlayPreviews=0\r\n"));
    EXPECT_FALSE(store.GetPlayPreviews());
    // Only 1 switches it on: a damaged value leaves the previews still.
    WriteUtf16File(SetFile(), "[Setting]\r\nPlayPreviews=yes\r\n");
    EXPECT_FALSE(store.GetPlayPreviews());
}

TEST_F(SettingsStoreTest, GettersReadTheFileAgainEachTime)
{
    SettingsStore reader;
    SettingsStore writer;
    ASSERT_TRUE(writer.SetLedType("Q14"));
    EXPECT_EQ(reader.GetLedType(), "Q14");
    ASSERT_TRUE(writer.SetLedType("Q29"));
    EXPECT_EQ(reader.GetLedType(), "Q29");

    // A hand edit is seen too, values kept as they stand.
    WriteUtf16File(SetFile(), "[LEDData]\r\nNowSelID=300\r\n[Setting]\r\nLanguage=3.9\r\nMode485=abc\r\n");
    EXPECT_EQ(reader.GetNowSelID(), 300);
    EXPECT_EQ(reader.GetLanguage(), 3);
    EXPECT_EQ(reader.GetMode485(), 0);
}

TEST_F(SettingsStoreTest, UnreadableFileGivesDefaultsWhateverMemoryHolds)
{
    SettingsStore store;
    ASSERT_TRUE(store.SetNowSelID(5));
    ASSERT_TRUE(store.SetLedType("Q07"));
    // The file turns into something that cannot be read.
    fs::remove(SetFile());
    fs::create_directory(SetFile());
    EXPECT_EQ(store.GetNowSelID(), 0);
    EXPECT_EQ(store.GetLedType(), "");
}

TEST_F(SettingsStoreTest, DamagedFilesReadAsDefaultsWithoutHarm)
{
    const Bytes oversized(17u * 1024 * 1024, 'a');
    struct Case {
        const char* what;
        Bytes bytes;
    };
    const Case cases[] = {
        {"empty", {}},
        {"odd UTF-16 byte count", {0xFF, 0xFE, 0x5B}},
        {"binary noise", {0x00, 0xFF, 0xC3, 0x28, 0xA0, 0xA1, 0x0D, 0x0A, 0xE2, 0x28, 0xA1}},
        {"no line end", Utf16File("[LEDData]\r\nNowSelID=9")},
        {"too large", oversized},
    };
    for (const auto& c : cases) {
        WriteBytes(SetFile(), c.bytes);
        SettingsStore store;
        EXPECT_EQ(store.GetNowSelID(), 0) << c.what;
        EXPECT_EQ(store.GetLedType(), "") << c.what;
        EXPECT_EQ(store.GetLanguage(), 0) << c.what;
    }
}

TEST_F(SettingsStoreTest, FailedWriteReportsAndKeepsTheValueInMemory)
{
    RecordingReporter reporter;
    SettingsStore store;
    store.SetReporter(&reporter);
    fs::remove(folder_.WorkData());
    EXPECT_FALSE(store.SetLanguage(11));
    EXPECT_EQ(reporter.texts(), std::vector<std::string>{"Open failed"});
    EXPECT_FALSE(fs::exists(SetFile()));

    // The next read merges the file into memory and keeps the unsaved value.
    fs::create_directory(folder_.WorkData());
    WriteUtf16File(SetFile(), "[Setting]\r\nLedType=Q02\r\n");
    EXPECT_EQ(store.GetLanguage(), 11);
    EXPECT_EQ(store.GetLedType(), "Q02");
}

TEST_F(SettingsStoreTest, LegacyIdListIsReadAsStored)
{
    WriteUtf16File(SetFile(),
                   "[LEDData]\r\nLEDID_Num=3\r\nLEDID_Str=   1  12 255\r\nLEDID12=Hall\r\nLEDID255=Gate\r\n");
    SettingsStore store;
    EXPECT_EQ(store.GetLegacyIdCount(), 3);
    EXPECT_EQ(store.GetLegacyIdList(), "   1  12 255");
    EXPECT_EQ(store.GetLegacyIdName(12), "Hall");
    EXPECT_EQ(store.GetLegacyIdName(255), "Gate");
    EXPECT_EQ(store.GetLegacyIdName(1), "");
}

}  // namespace
}  // namespace lumitag
