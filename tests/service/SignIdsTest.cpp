// Sign IDs and the program-file commands: typed ID lists, the registry as
// the ID editor and the ID list change it, and New, Open, Save, select ID
// and model change reporting their failures.

#include "service/SignIds.h"

#include "model/GroupStore.h"
#include "service/ProgramCommands.h"
#include "tests/service/ServiceTestSupport.h"

namespace lumitag::service::test {
namespace {

TEST(IdList, ListsAndRangesOfSignIds)
{
    struct Case {
        const char* text;
        std::vector<int> ids;  // empty: refused
    };
    const Case cases[] = {
        {"1,4,9", {1, 4, 9}},
        {"3-7", {3, 4, 5, 6, 7}},
        {"256,1-2", {256, 1, 2}},
        {"5-5", {5}},
        {"", {}},
        {"0", {}},
        {"257", {}},
        {"7-3", {}},
        {"1,,2", {}},
        {"a", {}},
        {"1-600", {}},  // past 256
    };
    for (const auto& c : cases) {
        const auto parsed = ParseIdList(c.text);
        if (c.ids.empty()) {
            EXPECT_EQ(parsed.code(), ErrorCode::BadInput) << c.text;
        } else {
            ASSERT_TRUE(parsed.ok()) << c.text << ": " << parsed.message();
            EXPECT_EQ(*parsed, c.ids) << c.text;
        }
    }
    std::string many;
    for (int i = 0; i < 3; ++i) many += "1-256,";
    many.pop_back();
    EXPECT_EQ(ParseIdList(many).message(), "more than 512 sign IDs");
}

TEST(IdList, TypedIdsReadTheirLeadingDigits)
{
    EXPECT_EQ(LeadingNumber("12ab"), 12);
    EXPECT_EQ(LeadingNumber("ab"), 0);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("99999999999999"), 1'000'000);
}

class SignIdsTest : public ServiceTest {};

TEST_F(SignIdsTest, AddingRegistersTicksAndResetsTheWorkFile)
{
    Session& session = Open("Q30");
    SignIdRegistry registry(session);
    testing::WriteUtf16File(WorkFilePath(12), "[INFO]\r\nDATA_00=old\r\n");
    ASSERT_TRUE(registry.Add(12, "Hall").ok());
    EXPECT_EQ(IdRowText(registry.Records(), 12), "12.Hall");
    EXPECT_EQ(FileValue("DATA_00", 12), "");
    EXPECT_EQ(FileValue("PARA_07", 12), "10070000000");  // the Paged models' project
    GroupStore stored(folder_.WorkData() / "IDLIST.id");
    ASSERT_TRUE(stored.LoadIdList());
    EXPECT_EQ(stored.records[12].name, "Hall");
    EXPECT_EQ(stored.records[12].checks, 1u);

    EXPECT_EQ(registry.Add(12, "").message(), "Name is empty!");
    EXPECT_EQ(registry.Add(256, "X").code(), ErrorCode::BadInput);
    EXPECT_EQ(registry.Rename(12, "").message(), "Name is emtpy!");
    ASSERT_TRUE(registry.Rename(12, std::string(300, 'n')).ok());
    EXPECT_EQ(registry.Records().records[12].name.size(), 255u);
}

TEST_F(SignIdsTest, AutoAddNamesARangeAndRefusesAnEmptyOne)
{
    Session& session = Open("Q26");
    SignIdRegistry registry(session);
    EXPECT_EQ(registry.AddRange(5, 5).message(), "ID2 > ID1 !");
    EXPECT_TRUE(MainListIds(registry.Records()).empty());
    ASSERT_TRUE(registry.AddRange(5, 7).ok());
    EXPECT_EQ(MainListIds(registry.Records()), (std::vector<int>{5, 6, 7}));
    EXPECT_EQ(registry.Records().records[6].name, "LED");
    EXPECT_TRUE(fs::exists(WorkFilePath(7)));
    ASSERT_TRUE(registry.Remove(6).ok());
    EXPECT_EQ(MainListIds(registry.Records()), (std::vector<int>{5, 7}));
}

TEST_F(SignIdsTest, TicksChooseTheIdsOfTheSeries)
{
    Session& session = Open("Q26");
    SignIdRegistry registry(session);
    ASSERT_TRUE(registry.AddRange(3, 4).ok());
    ASSERT_TRUE(registry.SetChecked(3, false).ok());
    EXPECT_EQ(SelectedIds(registry.Records()), (std::vector<int>{4}));
    // The root's tick reaches every record, registered or not; only IDs in
    // a group are sent.
    ASSERT_TRUE(registry.SetGroupChecked(0, true).ok());
    EXPECT_EQ(registry.Records().records[200].checks, 1u);
    EXPECT_EQ(SelectedIds(registry.Records()), (std::vector<int>{3, 4}));
    EXPECT_EQ(registry.SetChecked(0, true).code(), ErrorCode::BadInput);
    EXPECT_EQ(registry.SetGroupChecked(13, true).code(), ErrorCode::BadInput);
}

TEST_F(SignIdsTest, ProgramCommandsReportWhatTheyDid)
{
    Session& session = Open("Q30");
    ProgramCommands commands(session);
    reporter_.SetAnswer(false);
    EXPECT_EQ(commands.New().value(), false);
    EXPECT_EQ(FileValue("PARA_07"), "10770000000");  // the start-up project stays
    reporter_.SetAnswer(true);
    EXPECT_EQ(commands.New().value(), true);
    EXPECT_EQ(FileValue("PARA_07"), "10070000000");

    const fs::path damaged = folder_.Folder() / "damaged.led";
    testing::WriteBytes(damaged, {0x89, 'P', 'N', 'G'});
    EXPECT_EQ(commands.Open(damaged).code(), ErrorCode::BadInput);
    EXPECT_EQ(commands.SaveAs(folder_.Folder() / "no" / "x.led").code(), ErrorCode::FileWrite);
    ASSERT_TRUE(commands.SaveAs(folder_.Folder() / "x.led").ok());
    ASSERT_TRUE(commands.Open(folder_.Folder() / "x.led").ok());

    EXPECT_EQ(commands.SelectId(0).code(), ErrorCode::BadInput);
    ASSERT_TRUE(commands.SelectId(12).ok());
    EXPECT_EQ(session.CurrentId(), 12);
    EXPECT_EQ(session.Program().ProjectPath(), WorkFilePath(12));

    EXPECT_EQ(commands.SetModel("Q99").code(), ErrorCode::BadInput);
    EXPECT_EQ(commands.SetModel("q31").value(), ProgramFiles::ModelChange::Kept);
    EXPECT_EQ(session.ModelName(), "Q31");
    EXPECT_EQ(commands.SetModel("Q06").value(), ProgramFiles::ModelChange::Reset);
    EXPECT_EQ(FileValue("PARA_07", 12), "10770000000");

    commands.Copy(12);
    EXPECT_EQ(commands.Paste(12).value(), ProgramFiles::PasteResult::Nothing);
    EXPECT_EQ(commands.Paste(13).value(), ProgramFiles::PasteResult::Pasted);
    EXPECT_EQ(FileValue("PARA_07", 13), "10770000000");
}

}  // namespace
}  // namespace lumitag::service::test
