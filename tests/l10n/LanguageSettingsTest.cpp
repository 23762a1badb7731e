// The Language menu and start-up against a real settings file in a
// temporary program folder.
#include "l10n/Language.h"
#include "l10n/LanguageSettings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace lumitag {
namespace {

namespace fs = std::filesystem;

class LanguageSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path()
                 / ("lumitag_l10n_" + std::to_string(::getpid()) + "_" + test->name());
        fs::remove_all(folder);
        fs::create_directories(folder / "WorkData");
    }
    void TearDown() override
    {
        ApplyLanguage(kEnglishLanguage, reporter);
        fs::remove_all(folder);
    }
    fs::path SettingsFile() const { return folder / "WorkData" / "System.set"; }

    fs::path folder;
    RecordingReporter reporter;
};

EnvironmentLookup Lang(std::string locale)
{
    return [locale](std::string_view name) -> std::optional<std::string> {
        if (name == "LANG") return locale;
        return std::nullopt;
    };
}

std::vector<int> Checked(const std::array<bool, kLanguages.size()>& checks)
{
    std::vector<int> indexes;
    for (std::size_t i = 0; i < checks.size(); ++i)
        if (checks[i]) indexes.push_back(kLanguages[i].index);
    return indexes;
}

TEST_F(LanguageSettingsTest, ChoosingALanguageStoresItAndChecksItsItem)
{
    SettingsStore settings(SettingsFile());
    ASSERT_FALSE(fs::exists(SettingsFile()));
    EXPECT_TRUE(Checked(LanguageMenuChecks(settings)).empty());  // no file, no mark

    EXPECT_TRUE(ChooseLanguage(10, settings, reporter));
    EXPECT_EQ(CurrentLanguage(), 10);
    EXPECT_EQ(GetLangString("IDS_MENU_FILE"), "&Tệp");

    SettingsStore reread(SettingsFile());
    EXPECT_EQ(reread.GetLanguage(), 10);
    EXPECT_EQ(Checked(LanguageMenuChecks(reread)), std::vector<int>{10});
    EXPECT_EQ(StartupLanguage(reread, Lang("ja_JP.UTF-8")), 10);
    EXPECT_TRUE(reporter.entries().empty());
}

TEST_F(LanguageSettingsTest, WithNothingStoredTheDetectedLanguageIsUsedButNotStoredOrChecked)
{
    SettingsStore settings(SettingsFile());
    EXPECT_EQ(StartupLanguage(settings, Lang("ja_JP.UTF-8")), 4);
    EXPECT_FALSE(fs::exists(SettingsFile()));

    // A file that holds other settings but no language behaves the same.
    ASSERT_TRUE(settings.SetLedType("Q07"));
    EXPECT_EQ(StartupLanguage(settings, Lang("zh_TW.UTF-8")), 2);
    EXPECT_TRUE(Checked(LanguageMenuChecks(settings)).empty());
}

TEST_F(LanguageSettingsTest, AHandEditedOutOfRangeLanguageStartsInEnglish)
{
    for (const char* stored : {"-5", "15", "999999"}) {
        {
            std::ofstream out(SettingsFile(), std::ios::binary | std::ios::trunc);
            out << "[Setting]\r\nLanguage=" << stored << "\r\n";
        }
        SettingsStore settings(SettingsFile());
        const int index = StartupLanguage(settings, Lang("ko_KR"));
        EXPECT_EQ(index, std::stoi(stored));
        ASSERT_TRUE(ApplyLanguage(index, reporter));
        EXPECT_EQ(GetLangString("IDS_MENU_HELP"), "Help(&H)") << stored;
        EXPECT_TRUE(Checked(LanguageMenuChecks(settings)).empty()) << stored;
    }
}

TEST_F(LanguageSettingsTest, ALanguageThatCannotBeStoredStillApplies)
{
    fs::remove_all(folder / "WorkData");  // nowhere to write System.set
    SettingsStore settings(SettingsFile());
    settings.SetReporter(&reporter);

    EXPECT_TRUE(ChooseLanguage(12, settings, reporter));
    EXPECT_EQ(GetLangString("IDS_MENU_FILE"), "&Fichier");
    EXPECT_EQ(reporter.texts(), std::vector<std::string>{"Open failed"});
    EXPECT_TRUE(Checked(LanguageMenuChecks(settings)).empty());
}

}  // namespace
}  // namespace lumitag
