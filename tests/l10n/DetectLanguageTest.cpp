#include "l10n/DetectLanguage.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace lumitag {
namespace {

EnvironmentLookup Environment(std::map<std::string, std::string> variables)
{
    return [variables = std::move(variables)](std::string_view name) -> std::optional<std::string> {
        const auto it = variables.find(std::string(name));
        if (it == variables.end()) return std::nullopt;
        return it->second;
    };
}

TEST(DetectLanguageTest, LocaleNamesMapToLanguages)
{
    struct Case {
        const char* locale;
        int windowsId;
        int index;
    };
    const Case cases[] = {
        {"zh_CN.UTF-8", 2052, 1}, {"zh_SG", 4100, 1},     {"zh_HK.UTF-8", 3076, 1},
        {"zh_TW.Big5", 1028, 2},  {"zh-TW", 1028, 2},     {"ZH_tw.utf8", 1028, 2},
        {"ja_JP.UTF-8", 1041, 4}, {"ja", 1041, 4},         {"ko_KR.EUC-KR", 1042, 5},
        {"ru_RU.KOI8-R", 1049, 6}, {"ru_UA.UTF-8", 1049, 6}, {"th_TH", 1054, 7},
        {"id_ID.UTF-8", 1057, 8}, {"vi_VN", 1066, 10},
        // No identifier of the table: English.
        {"en_US.UTF-8", 1033, 3}, {"de_DE@euro", 0, 3},   {"ms_MY", 0, 3},
        {"zh", 0, 3},             {"zh_MO", 0, 3},          {"C", 0, 3},
        {"POSIX", 0, 3},          {"", 0, 3},               {"japanese", 0, 3},
        {"_TW", 0, 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WindowsLanguageId(c.locale), c.windowsId) << c.locale;
        EXPECT_EQ(LanguageForWindowsId(WindowsLanguageId(c.locale)), c.index) << c.locale;
        EXPECT_EQ(DetectLanguage(Environment({{"LANG", c.locale}})), c.index) << c.locale;
    }
}

TEST(DetectLanguageTest, WindowsIdentifiersOfTheTable)
{
    const std::map<int, int> table = {{2052, 1}, {3076, 1}, {4100, 1}, {1028, 2}, {1041, 4},
                                      {1042, 5}, {2066, 5}, {1049, 6}, {1054, 7}, {1057, 8},
                                      {1066, 10}};
    for (const auto& [id, index] : table) EXPECT_EQ(LanguageForWindowsId(id), index) << id;
    for (int other : {0, 1033, 1031, 1036, 1025, 1065, 1086, 5124}) EXPECT_EQ(LanguageForWindowsId(other), 3);
}

TEST(DetectLanguageTest, VariablesTakePrecedenceInGettextOrder)
{
    struct Case {
        std::map<std::string, std::string> variables;
        int expected;
    };
    const Case cases[] = {
        {{{"LANGUAGE", "ja:zh_CN"}, {"LC_ALL", "ko_KR"}, {"LC_MESSAGES", "ru_RU"}, {"LANG", "th_TH"}}, 4},
        {{{"LANGUAGE", ""}, {"LC_ALL", "ko_KR"}, {"LC_MESSAGES", "ru_RU"}, {"LANG", "th_TH"}}, 5},
        {{{"LANGUAGE", ":zh_TW"}, {"LC_ALL", "ko_KR"}}, 5},  // only the first entry counts
        {{{"LC_ALL", ""}, {"LC_MESSAGES", "ru_RU"}, {"LANG", "th_TH"}}, 6},
        {{{"LC_MESSAGES", ""}, {"LANG", "th_TH.UTF-8"}}, 7},
        {{{"LANG", "vi_VN"}, {"LC_CTYPE", "zh_CN"}}, 10},    // LC_CTYPE does not choose messages
        {{{"LANGUAGE", "en_GB:zh_CN"}, {"LANG", "zh_CN"}}, 3},
        {{}, 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DetectLanguage(Environment(c.variables)), c.expected)
            << ::testing::PrintToString(c.variables);
}

TEST(DetectLanguageTest, StartupUsesTheStoredLanguageUnlessItIsZeroOrUnreadable)
{
    const EnvironmentLookup korean = Environment({{"LANG", "ko_KR.UTF-8"}});
    EXPECT_EQ(StartupLanguage(12, korean), 12);
    EXPECT_EQ(StartupLanguage(-5, korean), -5);  // out of range is the pack's concern
    EXPECT_EQ(StartupLanguage(0, korean), 5);
    EXPECT_EQ(StartupLanguage(std::nullopt, korean), 5);
}

}  // namespace
}  // namespace lumitag
