// What protects the program's own files from kills and from other processes:
// one write per change, recovery of an interrupted model change, the folder
// lock against lost updates, and the removal of stale temporary files.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "TempProgramFolder.h"
#include "model/DefaultProjects.h"
#include "model/FileAccess.h"
#include "model/GroupStore.h"
#include "model/ProgramFiles.h"
#include "model/SettingsStore.h"
#include "model/SignProgram.h"

namespace lumitag {
namespace {

using namespace lumitag::testing;

Bytes Project(int resource)
{
    const auto span = DefaultProjectBytes(resource);
    return {span.begin(), span.end()};
}

// Lifts the "killed" state whatever the test did.
struct WritesResume {
    ~WritesResume() { StopWritesAfter(-1); }
};

class FileSafetyTest : public ::testing::Test {
protected:
    fs::path Work(int id) const { return folder_.WorkData() / (std::to_string(id) + ".led"); }

    TempProgramFolder folder_;
    WritesResume resume_;
};

// A slot change (content and parameters) is killed before and after its one
// write: the file then holds the old slot or the new one, nothing between.
TEST_F(FileSafetyTest, SlotChangeIsOneWriteSoAKillLeavesOldOrNew)
{
    constexpr const char* kOld = "[INFO]\r\nPARA_00=10604000000\r\nDATA_00=[ASCII]Old\r\n";
    for (int writes = 0; writes <= 1; ++writes) {
        WriteUtf16File(Work(1), kOld);
        SignProgram program;
        ASSERT_TRUE(program.LoadProgram(Work(1)));
        program.Params().at(SlotField::kind, 0) = 2;
        program.Params().at(SlotField::send, 0) = 0;
        StopWritesAfter(writes);
        EXPECT_EQ(program.SaveSlot(0, "/pics/a.bmp;"), writes == 1);
        StopWritesAfter(-1);

        SignProgram after;
        ASSERT_TRUE(after.LoadProgram(Work(1)));
        const std::string content = after.GetContent(0);
        const int kind = after.Params().at(SlotField::kind, 0);
        const int send = after.Params().at(SlotField::send, 0);
        if (writes == 0) {
            EXPECT_EQ(content, "[ASCII]Old");
            EXPECT_EQ(kind, 1);
        } else {
            EXPECT_EQ(content, "/pics/a.bmp;");
            EXPECT_EQ(kind, 2);
            EXPECT_EQ(send, 0);
        }
    }
}

// The model change touches the work file and the settings. Killed after any
// number of its writes, the start-up recovery leaves the old model with the
// old program, or the new model with its default project.
TEST_F(FileSafetyTest, InterruptedModelChangeIsCompletedAtStartUp)
{
    constexpr const char* kUserText = "[INFO]\r\nPARA_00=20305010-310\r\nDATA_00=/pics/a.bmp;\r\n";
    for (int writes = 0; writes <= 4; ++writes) {
        SCOPED_TRACE("killed after " + std::to_string(writes) + " writes");
        SettingsStore settings;
        ASSERT_TRUE(settings.SetLedType("Q26"));
        ASSERT_TRUE(settings.SetNowSelID(6));
        WriteUtf16File(Work(6), kUserText);
        SignProgram program;
        ASSERT_TRUE(program.LoadProgram(Work(6)));
        ProgramFiles files(program, settings);

        StopWritesAfter(writes);
        files.ChangeModel("Q30");
        StopWritesAfter(-1);
        EXPECT_TRUE(RecoverInterruptedChanges(folder_.Folder()));

        EXPECT_FALSE(fs::exists(ModelChangeJournalPath(folder_.Folder())));
        const std::string model = settings.GetLedType();
        if (writes == 0) {
            EXPECT_EQ(model, "Q26");
            EXPECT_EQ(ReadBytes(Work(6)), Utf16File(kUserText));
        } else {
            EXPECT_EQ(model, "Q30");
            EXPECT_EQ(ReadBytes(Work(6)), Project(242));
        }
    }
}

TEST_F(FileSafetyTest, DamagedJournalIsDroppedAndNothingChanges)
{
    SettingsStore settings;
    ASSERT_TRUE(settings.SetLedType("Q26"));
    const std::string journals[] = {"", "model=Q30\n", "id=6\n", "model=Q30\nid=six\n", "model=Q30\nid=6"};
    for (const auto& text : journals) {
        WriteBytes(ModelChangeJournalPath(folder_.Folder()), Bytes(text.begin(), text.end()));
        EXPECT_TRUE(RecoverInterruptedChanges(folder_.Folder())) << text;
        EXPECT_FALSE(fs::exists(ModelChangeJournalPath(folder_.Folder()))) << text;
        EXPECT_EQ(settings.GetLedType(), "Q26") << text;
    }
}

// Each side changes its own slot over and over from a program it read once
// at the start, and checks before every change that its previous one is
// still in the file. Without the lock and the fresh read, each write would
// put the other side's stale slot back.
int LostSlotUpdates(const fs::path& file, int slot, int rounds)
{
    SignProgram program;
    program.LoadProgram(file);
    int lost = 0;
    for (int i = 1; i <= rounds; ++i) {
        if (i > 1 && program.GetContent(slot) != "[ASCII]" + std::to_string(i - 1)) ++lost;
        program.Params().at(SlotField::speed, slot) = i % 8;
        if (!program.SaveSlot(slot, "[ASCII]" + std::to_string(i))) ++lost;
    }
    return lost;
}

TEST_F(FileSafetyTest, TwoProcessesChangingOneWorkFileLoseNothing)
{
    constexpr int kRounds = 150;
    WriteUtf16File(Work(1), "[INFO]\r\nDATA_00=\r\nDATA_01=\r\n");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(std::min(LostSlotUpdates(Work(1), 1, kRounds), 100));
    const int lostHere = LostSlotUpdates(Work(1), 0, kRounds);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(lostHere, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    SignProgram program;
    ASSERT_TRUE(program.LoadProgram(Work(1)));
    EXPECT_EQ(program.GetContent(0), "[ASCII]" + std::to_string(kRounds));
    EXPECT_EQ(program.GetContent(1), "[ASCII]" + std::to_string(kRounds));
}

// The settings and the ID list, changed from two threads with a store each:
// every change survives.
TEST_F(FileSafetyTest, TwoThreadsChangingSettingsAndIdListLoseNothing)
{
    constexpr int kRounds = 150;
    std::atomic<int> lost{0};
    const auto settingsLoop = [&](bool language) {
        SettingsStore settings;
        for (int i = 1; i <= kRounds; ++i) {
            if (i > 1 && (language ? settings.GetLanguage() : settings.GetMode485()) != i - 1) ++lost;
            language ? settings.SetLanguage(i) : settings.SetMode485(i);
        }
    };
    const auto idListLoop = [&](int id) {
        GroupStore store;
        for (int i = 1; i <= kRounds; ++i) {
            if (!store.Change([&](IdRegistry& registry) {
                    if (i > 1 && registry.records[id].name != std::to_string(i - 1)) ++lost;
                    registry.records[id].name = std::to_string(i);
                }))
                ++lost;
        }
    };
    std::thread a(settingsLoop, true), b(settingsLoop, false), c(idListLoop, 3), d(idListLoop, 4);
    a.join(), b.join(), c.join(), d.join();
    EXPECT_EQ(lost, 0);
    SettingsStore settings;
    EXPECT_EQ(settings.GetLanguage(), kRounds);
    EXPECT_EQ(settings.GetMode485(), kRounds);
    GroupStore store;
    ASSERT_TRUE(store.LoadIdList());
    EXPECT_EQ(store.records[3].name, std::to_string(kRounds));
    EXPECT_EQ(store.records[4].name, std::to_string(kRounds));
}

// A killed save leaves ".NAME.tmp-PID-N" behind; the next write into the
// folder removes those of processes that are gone and nothing else.
TEST_F(FileSafetyTest, StaleTemporaryFilesOfDeadProcessesAreRemoved)
{
    const pid_t dead = fork();
    ASSERT_GE(dead, 0);
    if (dead == 0) _exit(0);
    ASSERT_EQ(waitpid(dead, nullptr, 0), dead);
    const std::string deadPid = std::to_string(dead);
    const std::string livePid = std::to_string(getppid());
    const std::string ownPid = std::to_string(getpid());
    struct Case {
        std::string name;
        bool removed;
    };
    const Case cases[] = {
        {".1.led.tmp-" + deadPid + "-3", true},
        {".System.set.tmp-" + deadPid + "-0", true},
        {".1.led.tmp-" + livePid + "-0", false},
        {".1.led.tmp-" + ownPid + "-7", false},
        {"1.led.tmp-" + deadPid + "-3", false},
        {".1.led.tmp-" + deadPid + "-x", false},
        {".1.led.tmp-" + deadPid, false},
        {".1.led.tmp--3", false},
    };
    for (const auto& c : cases) WriteBytes(folder_.WorkData() / c.name, {1, 2, 3});
    fs::create_directory(folder_.WorkData() / (".dir.tmp-" + deadPid + "-1"));

    SettingsStore settings;
    ASSERT_TRUE(settings.SetLanguage(3));
    for (const auto& c : cases) EXPECT_EQ(fs::exists(folder_.WorkData() / c.name), !c.removed) << c.name;
    EXPECT_TRUE(fs::exists(folder_.WorkData() / (".dir.tmp-" + deadPid + "-1")));
}

}  // namespace
}  // namespace lumitag
