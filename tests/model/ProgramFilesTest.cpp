#include "model/ProgramFiles.h"

#include <gtest/gtest.h>

#include "TempProgramFolder.h"
#include "model/DefaultProjects.h"
#include "model/Reporter.h"
#include "model/SettingsStore.h"
#include "model/SignProgram.h"
#include "model/WorkFiles.h"

namespace lumitag {
namespace {

using namespace lumitag::testing;

Bytes Project(int resource)
{
    const auto span = DefaultProjectBytes(resource);
    return {span.begin(), span.end()};
}

// A program a user has made: three slots with content, unusual parameters.
constexpr const char* kUserText =
    "[INFO]\r\nPARA_00=20305010-310\r\nDATA_00=/pics/a.bmp;\r\n"
    "PARA_01=30000010001\r\nDATA_01=[DATE_100000]\r\n"
    "PARA_02=10702111041\r\nDATA_02=[ASCII]Hello\r\n";

// Another one, for the file a user opens or the ID a program is copied from.
constexpr const char* kOtherText = "[INFO]\r\nPARA_00=10604000000\r\nDATA_00=[ASCII]Other\r\n";

class ProgramFilesTest : public ::testing::Test {
protected:
    ProgramFilesTest() { program_.SetReporter(&reporter_); }

    int Field(SlotField field, int slot) const { return program_.Params().at(field, slot); }
    fs::path Work(int id) const { return folder_.WorkData() / (std::to_string(id) + ".led"); }
    // Makes `id` current with the given work file loaded.
    void Current(int id, const char* text)
    {
        WriteUtf16File(Work(id), text);
        ASSERT_TRUE(settings_.SetNowSelID(id));
        ASSERT_TRUE(program_.LoadProgram(Work(id)));
    }

    TempProgramFolder folder_;
    RecordingReporter reporter_;
    SettingsStore settings_;
    SignProgram program_;
    ProgramFiles files_{program_, settings_};
};

TEST_F(ProgramFilesTest, WorkFileIsNamedByTheIdInWorkData)
{
    for (int id : {0, 7, 255, 300, -1})
        EXPECT_EQ(WorkFilePath(id), folder_.WorkData() / (std::to_string(id) + ".led")) << id;
}

TEST_F(ProgramFilesTest, FirstStartCreatesWorkDataAndTheWorkFileOfIdZero)
{
    fs::remove_all(folder_.WorkData());
    ASSERT_TRUE(files_.StartUp());
    EXPECT_EQ(ReadBytes(Work(0)), Project(177));
    EXPECT_EQ(program_.ProjectPath(), Work(0));
    EXPECT_EQ(Field(SlotField::kind, 1), 1);
    EXPECT_EQ(Field(SlotField::effect, 7), 7);
    EXPECT_EQ(Field(SlotField::speed, 9), 1);
}

TEST_F(ProgramFilesTest, StartUpWritesProject177WhateverTheModel)
{
    ASSERT_TRUE(settings_.SetLedType("Q30"));
    ASSERT_TRUE(settings_.SetNowSelID(300));  // outside the registry, still its own file
    ASSERT_TRUE(files_.StartUp());
    EXPECT_EQ(ReadBytes(Work(300)), Project(177));
    EXPECT_FALSE(fs::exists(Work(0)));
}

TEST_F(ProgramFilesTest, StartUpKeepsAnExistingWorkFile)
{
    WriteUtf16File(Work(0), kUserText);
    ASSERT_TRUE(files_.StartUp());
    EXPECT_EQ(ReadBytes(Work(0)), Utf16File(kUserText));
    EXPECT_EQ(Field(SlotField::kind, 0), 2);
    EXPECT_EQ(Field(SlotField::offset, 0), -3);
    EXPECT_EQ(program_.GetContent(2), "[ASCII]Hello");
}

TEST_F(ProgramFilesTest, EnsureWorkFileWritesTheModelsDefaultProject)
{
    struct Case {
        const char* model;
        int resource;
    };
    const Case cases[] = {
        {"", 177},    {"Q01", 177}, {"Q06", 177}, {"Q14", 177}, {"Q26", 177},
        {"Q28", 177}, {"Q07", 243}, {"Q13", 243}, {"Q29", 242}, {"Q36", 242},
        {"q30", 177},  // per-model choices compare the exact name
        {"Q37", 177},
    };
    for (const auto& c : cases) {
        WriteUtf16File(Work(4), kUserText);
        EXPECT_EQ(EnsureWorkFile(4, true, c.model), Work(4));
        EXPECT_EQ(ReadBytes(Work(4)), Project(c.resource)) << c.model;
    }
    // 242 and 243 hold the same bytes; tell them from 177 at all.
    ASSERT_NE(Project(242), Project(177));
}

TEST_F(ProgramFilesTest, EnsureWorkFileLeavesAnExistingFileAndNeverMakesTheFolder)
{
    WriteUtf16File(Work(4), kUserText);
    EnsureWorkFile(4, false, "Q30");
    EXPECT_EQ(ReadBytes(Work(4)), Utf16File(kUserText));
    EnsureWorkFile(5, false, "Q30");
    EXPECT_EQ(ReadBytes(Work(5)), Project(242));

    fs::remove_all(folder_.WorkData());
    EXPECT_EQ(EnsureWorkFile(6, true, "Q01"), Work(6));
    EXPECT_FALSE(fs::exists(folder_.WorkData()));
    EXPECT_FALSE(ExtractResource(Work(6), 177));
    EXPECT_FALSE(ExtractResource(folder_.Folder() / "x.led", 178));
    EXPECT_FALSE(fs::exists(folder_.Folder() / "x.led"));
}

TEST_F(ProgramFilesTest, NewAsksAndResetsOnlyOnYes)
{
    ASSERT_TRUE(settings_.SetLedType("Q10"));
    Current(3, kUserText);

    RecordingReporter no(false);
    EXPECT_FALSE(files_.New(no));
    EXPECT_EQ(no.entries().size(), 1u);
    EXPECT_TRUE(no.entries()[0].question);
    EXPECT_EQ(no.entries()[0].text, "New File\xEF\xBC\x9F");
    EXPECT_EQ(ReadBytes(Work(3)), Utf16File(kUserText));
    EXPECT_EQ(Field(SlotField::kind, 0), 2);

    RecordingReporter yes(true);
    EXPECT_TRUE(files_.New(yes));
    EXPECT_EQ(ReadBytes(Work(3)), Project(243));
    EXPECT_EQ(Field(SlotField::kind, 0), 1);
    EXPECT_EQ(Field(SlotField::effect, 9), 2);  // 243's tenth slot
    EXPECT_EQ(program_.GetContent(0), "");
}

TEST_F(ProgramFilesTest, OpenCopiesTheFileInAndShowsItsParameters)
{
    Current(0, kUserText);
    program_.Params().at(SlotField::speed, 2) = 5;  // an unsaved row change
    const fs::path chosen = folder_.Folder() / "show.led";
    WriteUtf16File(chosen, kOtherText);

    int asked = 0;
    ASSERT_TRUE(files_.Open([&] {
        ++asked;
        // The change was saved before the dialog opened.
        SignProgram check;
        EXPECT_TRUE(check.LoadProgram(Work(0)));
        EXPECT_EQ(check.Params().at(SlotField::speed, 2), 5);
        return std::optional<fs::path>(chosen);
    }));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(ReadBytes(Work(0)), Utf16File(kOtherText));
    EXPECT_EQ(ReadBytes(chosen), Utf16File(kOtherText));
    EXPECT_EQ(Field(SlotField::effect, 0), 6);
    EXPECT_EQ(Field(SlotField::speed, 0), 0);
    EXPECT_EQ(program_.GetContent(0), "[ASCII]Other");

    // The next save writes the opened project's parameters, not the old ones.
    ASSERT_TRUE(program_.SaveParams());
    SignProgram reread;
    ASSERT_TRUE(reread.LoadProgram(Work(0)));
    EXPECT_EQ(reread.Params().at(SlotField::effect, 0), 6);
    EXPECT_EQ(reread.Params().at(SlotField::kind, 0), 1);
}

TEST_F(ProgramFilesTest, OpenedFileLackingKeysKeepsWhatMemoryHeld)
{
    Current(0, kUserText);
    const fs::path chosen = folder_.Folder() / "partial.led";
    WriteUtf16File(chosen, kOtherText);  // slots 1 and 2 missing
    ASSERT_TRUE(files_.Open([&] { return std::optional<fs::path>(chosen); }));
    EXPECT_EQ(Field(SlotField::kind, 1), 3);  // still the old slot 1
    EXPECT_EQ(program_.GetContent(2), "[ASCII]Hello");
    ASSERT_TRUE(program_.SaveParams());
    SignProgram reread;
    ASSERT_TRUE(reread.LoadProgram(Work(0)));
    EXPECT_EQ(reread.GetContent(0), "[ASCII]Other");
    EXPECT_EQ(reread.Params().at(SlotField::kind, 1), 3);
}

TEST_F(ProgramFilesTest, OpenCancelledOrFailedLeavesTheWorkFile)
{
    Current(0, kUserText);
    EXPECT_FALSE(files_.Open([] { return std::optional<fs::path>(); }));
    const Bytes before = ReadBytes(Work(0));
    EXPECT_FALSE(files_.Open([&] { return std::optional<fs::path>(folder_.Folder() / "missing.led"); }));
    EXPECT_FALSE(files_.Open([&] { return std::optional<fs::path>(folder_.Folder()); }));  // a folder
    EXPECT_EQ(ReadBytes(Work(0)), before);
    EXPECT_EQ(Field(SlotField::kind, 0), 2);
    EXPECT_TRUE(reporter_.entries().empty());  // a failed copy shows nothing
}

TEST_F(ProgramFilesTest, SaveCopiesTheWorkFileOutWithCurrentParameters)
{
    Current(0, kUserText);
    program_.Params().at(SlotField::time, 1) = 4;
    const fs::path chosen = folder_.Folder() / "out.led";
    WriteUtf16File(chosen, "old");
    ASSERT_TRUE(files_.Save([&] { return std::optional<fs::path>(chosen); }));
    EXPECT_EQ(ReadBytes(chosen), ReadBytes(Work(0)));
    SignProgram reread;
    ASSERT_TRUE(reread.LoadProgram(chosen));
    EXPECT_EQ(reread.Params().at(SlotField::time, 1), 4);
    EXPECT_EQ(reread.GetContent(1), "[DATE_100000]");

    EXPECT_FALSE(files_.Save([] { return std::optional<fs::path>(); }));
    EXPECT_FALSE(files_.Save([&] { return std::optional<fs::path>(folder_.Folder() / "no" / "x.led"); }));
    EXPECT_TRUE(reporter_.entries().empty());
}

TEST_F(ProgramFilesTest, PasteCopiesOneIdsProgramOverAnother)
{
    Current(1, kUserText);
    WriteUtf16File(Work(2), kOtherText);
    WriteUtf16File(Work(3), kOtherText);

    EXPECT_EQ(files_.Paste(3), ProgramFiles::PasteResult::Nothing);  // before any Copy
    files_.Copy(2);
    EXPECT_EQ(files_.Paste(2), ProgramFiles::PasteResult::Nothing);  // onto itself
    EXPECT_EQ(ReadBytes(Work(2)), Utf16File(kOtherText));

    files_.Copy(1);
    EXPECT_EQ(files_.Paste(3), ProgramFiles::PasteResult::Pasted);
    EXPECT_EQ(ReadBytes(Work(3)), Utf16File(kUserText));
    EXPECT_EQ(program_.ProjectPath(), Work(1));

    // Onto the current ID: the program is reloaded from the pasted file.
    files_.Copy(2);
    EXPECT_EQ(files_.Paste(1), ProgramFiles::PasteResult::PastedOnCurrent);
    EXPECT_EQ(ReadBytes(Work(1)), Utf16File(kOtherText));
    EXPECT_EQ(Field(SlotField::effect, 0), 6);

    // A missing source copies nothing.
    files_.Copy(9);
    EXPECT_EQ(files_.Paste(3), ProgramFiles::PasteResult::Failed);
    EXPECT_EQ(ReadBytes(Work(3)), Utf16File(kUserText));
}

TEST_F(ProgramFilesTest, SelectIdSavesTheOldProgramAndLoadsTheNew)
{
    ASSERT_TRUE(settings_.SetLedType("Q33"));
    Current(0, kUserText);
    program_.Params().at(SlotField::blink, 0) = 1;  // a row change not yet saved
    WriteUtf16File(Work(8), kOtherText);

    ASSERT_TRUE(files_.SelectId(5));
    EXPECT_EQ(settings_.GetNowSelID(), 5);
    EXPECT_EQ(ReadBytes(Work(5)), Project(242));  // created for the model
    EXPECT_EQ(program_.ProjectPath(), Work(5));
    SignProgram old;
    ASSERT_TRUE(old.LoadProgram(Work(0)));
    EXPECT_EQ(old.Params().at(SlotField::blink, 0), 1);
    EXPECT_EQ(old.Params().at(SlotField::kind, 0), 2);

    ASSERT_TRUE(files_.SelectId(8));  // an existing file is kept
    EXPECT_EQ(ReadBytes(Work(8)), Utf16File(kOtherText));
    EXPECT_EQ(Field(SlotField::effect, 0), 6);
}

TEST_F(ProgramFilesTest, ModelChangeResetsOnlyAcrossGroups)
{
    using MC = ProgramFiles::ModelChange;
    struct Case {
        const char* from;
        const char* to;
        MC result;
        int resource;  // 0: the program is kept
    };
    const Case cases[] = {
        {"Q14", "Q25", MC::Kept, 0},    {"Q14", "Q26", MC::Reset, 177}, {"Q26", "Q30", MC::Reset, 242},
        {"Q30", "Q36", MC::Kept, 0},    {"Q06", "Q14", MC::Kept, 0},    {"Q05", "Q06", MC::Reset, 177},
        {"Q01", "Q07", MC::Reset, 243}, {"", "Q29", MC::Reset, 242},    {"Q99", "Q02", MC::Reset, 177},
        {"Q14", "Q14", MC::Unchanged, 0}, {"Q30", "q30", MC::Reset, 177},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(settings_.SetLedType(c.from));
        Current(6, kUserText);
        EXPECT_EQ(files_.ChangeModel(c.to), c.result) << c.from << "->" << c.to;
        EXPECT_EQ(settings_.GetLedType(), c.to);
        if (c.resource == 0) {
            EXPECT_EQ(ReadBytes(Work(6)), Utf16File(kUserText)) << c.from << "->" << c.to;
            EXPECT_EQ(Field(SlotField::kind, 0), 2);
        } else {
            EXPECT_EQ(ReadBytes(Work(6)), Project(c.resource)) << c.from << "->" << c.to;
            EXPECT_EQ(Field(SlotField::kind, 0), 1);
            EXPECT_EQ(program_.ProjectPath(), Work(6));
        }
    }
}

TEST_F(ProgramFilesTest, SendStepsLoadWithoutCreating)
{
    Current(2, kUserText);
    EXPECT_FALSE(files_.LoadIdProgram(40));
    EXPECT_FALSE(fs::exists(Work(40)));
    for (int slot = 0; slot < 10; ++slot) EXPECT_EQ(Field(SlotField::kind, slot), 0);
    ASSERT_TRUE(files_.ReloadCurrent());
    EXPECT_EQ(program_.ProjectPath(), Work(2));
    EXPECT_EQ(Field(SlotField::kind, 0), 2);
}

}  // namespace
}  // namespace lumitag
