// Which folders the program reads from and writes to: one folder in a build
// tree or with --home, the installed data and the user's data folder when
// installed.

#include <gtest/gtest.h>

#include <filesystem>

#include "model/ProgramFolder.h"
#include "tests/model/TempProgramFolder.h"

namespace lumitag {
namespace {

namespace fs = std::filesystem;

class LocateFoldersTest : public ::testing::Test {
protected:
    testing::TempProgramFolder temp{false};
    fs::path root = temp.Folder();
    fs::path bin = root / "usr" / "bin";
    fs::path shared = root / "usr" / "share" / "lumitag";

    void SetUp() override
    {
        fs::create_directories(bin);
        fs::create_directories(shared / "Data");
    }
};

TEST_F(LocateFoldersTest, InstalledReadsTheSharedDataAndWritesTheUsersFolder)
{
    const ProgramFolders folders = LocateFolders(bin, {}, {"/x/data", "/x/home"});
    EXPECT_EQ(folders.program, fs::path("/x/data/lumitag"));
    EXPECT_EQ(folders.data, shared);
    EXPECT_EQ(folders.tools, root / "usr" / "libexec" / "lumitag");
}

TEST_F(LocateFoldersTest, UserFolderFollowsTheXdgRules)
{
    struct Case {
        UserEnvironment environment;
        fs::path program;
    };
    const Case cases[] = {
        {{"", "/x/home"}, "/x/home/.local/share/lumitag"},
        {{"relative/data", "/x/home"}, "/x/home/.local/share/lumitag"},
        {{"/x/data", ""}, "/x/data/lumitag"},
    };
    for (const Case& c : cases) EXPECT_EQ(LocateFolders(bin, {}, c.environment).program, c.program);
}

TEST_F(LocateFoldersTest, DataBesideTheExecutableOrHomeIsOneFolderForEverything)
{
    fs::create_directories(bin / "Data");
    const ProgramFolders beside = LocateFolders(bin, {}, {"/x/data", "/x/home"});
    EXPECT_EQ(beside.program, bin);
    EXPECT_EQ(beside.data, bin);
    EXPECT_EQ(beside.tools, bin / "Tools");

    const ProgramFolders home = LocateFolders(bin, "/x/mine", {"/x/data", "/x/home"});
    EXPECT_EQ(home.program, fs::path("/x/mine"));
    EXPECT_EQ(home.data, fs::path("/x/mine"));
}

TEST_F(LocateFoldersTest, WithoutInstalledDataOrAUserFolderTheExecutablesFolderStays)
{
    fs::remove_all(shared);
    EXPECT_EQ(LocateFolders(bin, {}, {"/x/data", "/x/home"}).program, bin);
    fs::create_directories(shared / "Data");
    EXPECT_EQ(LocateFolders(bin, {}, {"", ""}).program, bin);
}

}  // namespace
}  // namespace lumitag
