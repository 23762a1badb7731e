// Switching languages and what the windows read afterwards.
#include "l10n/InlineTexts.h"
#include "l10n/Language.h"
#include "l10n/LanguageCatalogue.h"
#include "l10n/MenuKeys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumitag {
namespace {

// Restores English after each test, so that tests do not depend on order.
class LanguageTest : public ::testing::Test {
protected:
    void TearDown() override { ApplyLanguage(kEnglishLanguage, reporter); }
    RecordingReporter reporter;
};

TEST_F(LanguageTest, EachLanguageLabelsTheMenusFromItsOwnPack)
{
    struct Case {
        int index;
        const char* fileMenu;
        const char* previewHeading;
    };
    const Case cases[] = {
        {1, "文件(&F)", "预览"},      {2, "檔案(&F)", "預覽"},   {3, "File(&F)", "Preview"},
        {4, "ファイル(&F)", "プレビュー"}, {6, "&Файл", "Просмотр"}, {11, "&Datei", "Vorschau"},
        {12, "&Fichier", "Aperçu"}, {14, "&فایل", "پیش‌نمایش"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(ApplyLanguage(c.index, reporter));
        EXPECT_EQ(CurrentLanguage(), c.index);
        EXPECT_EQ(GetLangString("IDS_MENU_FILE"), c.fileMenu) << c.index;
        EXPECT_EQ(DialogControlText(*CurrentPack(), 102, 1050), c.previewHeading) << c.index;
    }
    EXPECT_TRUE(reporter.entries().empty());
}

TEST_F(LanguageTest, OutOfRangeStoredLanguageReadsTheEnglishPackAndInlineTexts)
{
    for (int stored : {-5, 15, 999999}) {
        ASSERT_TRUE(ApplyLanguage(stored, reporter)) << stored;
        EXPECT_EQ(CurrentLanguage(), stored);  // kept as stored; only the reading falls back
        EXPECT_EQ(GetLangString("IDS_MENU_FILE"), "File(&F)");
        EXPECT_EQ(PickText(kClockSetOk), "Check Time Ok !");
        EXPECT_EQ(PickText(kModelWord), "Model");
    }
    EXPECT_TRUE(reporter.entries().empty());
}

TEST_F(LanguageTest, MissingPackIsReportedAndLeavesNoTextsToRead)
{
    ASSERT_TRUE(ApplyLanguage(11, reporter));
    EXPECT_FALSE(ApplyLanguage(4, nullptr, reporter));

    EXPECT_EQ(CurrentLanguage(), 4);
    EXPECT_EQ(reporter.texts(), std::vector<std::string>{"Release language file failure!"});
    EXPECT_EQ(GetLangString("IDS_MENU_FILE"), "Not found");
    const int controls[] = {1050, 1079};
    const DialogTexts texts = ApplyDialogTexts(102, controls);
    EXPECT_FALSE(texts.title.has_value());
    EXPECT_TRUE(texts.controls.empty());  // the dialogs keep their own texts

    // The next working switch brings the texts back.
    ASSERT_TRUE(ApplyLanguage(4, reporter));
    EXPECT_EQ(GetLangString("IDS_MENU_FILE"), "ファイル(&F)");
}

TEST_F(LanguageTest, TraditionalChineseLeavesTheModelLabelAsItWas)
{
    ASSERT_TRUE(ApplyLanguage(2, reporter));
    const int controls[] = {1050, 1112, 1100};
    const DialogTexts texts = ApplyDialogTexts(102, controls);
    const std::vector<std::pair<int, std::string>> expected = {{1050, "預覽"}, {1100, "掃描"}};
    EXPECT_EQ(texts.controls, expected);
    EXPECT_EQ(GetLangString("IDD102_1112"), "Not found");
}

TEST_F(LanguageTest, DialogTitlesMatchWhateverCaseThePackSpellsThemIn)
{
    ASSERT_TRUE(ApplyLanguage(kEnglishLanguage, reporter));
    const int none[] = {0};
    struct Case {
        int dialog;
        std::optional<std::string> title;
    };
    const Case cases[] = {
        {140, "Text Editor"},  // "IDD140_Title"
        {201, "ID modify "},   // "IDD201_title", trailing space kept
        {240, "Text Editor"},
        {102, std::nullopt},   // the main window has no title key
        {314, std::nullopt},   // the progress dialog has no keys at all
    };
    for (const Case& c : cases) EXPECT_EQ(ApplyDialogTexts(c.dialog, none).title, c.title) << c.dialog;
}

TEST_F(LanguageTest, MenuLabelsFollowTheTablesOfTheMenuBarAndRowMenus)
{
    ASSERT_TRUE(ApplyLanguage(kEnglishLanguage, reporter));
    auto texts = [](std::span<const MenuKey> keys) {
        std::vector<std::pair<int, std::string>> out;
        for (const MenuLabel& label : MenuLabels(keys)) out.emplace_back(label.id, label.text);
        return out;
    };
    using Labels = std::vector<std::pair<int, std::string>>;
    EXPECT_EQ(texts(kTopMenuKeys), (Labels{{0, "File(&F)"}, {1, "Setting(&S)"}, {2, "Tools(&T)"},
                                           {3, "Language(&L)"}, {4, "Help(&H)"}}));
    EXPECT_EQ(texts(RowMenuItems(136)), (Labels{{20091, "Text"}, {20092, "Image"}}));
    EXPECT_EQ(texts(RowMenuItems(138)), (Labels{{20091, "Text"}, {20092, "Image"}, {20093, "Date"}}));
    EXPECT_EQ(texts(RowMenuItems(137)),
              (Labels{{20090, "Left"}, {20091, "Right"}, {20092, "Up"}, {20093, "Down"},
                      {20094, "Fix"}, {20095, "Animation"}, {20096, "Snow"}, {20097, "Middle"}}));
    EXPECT_EQ(texts(RowMenuItems(139)),
              (Labels{{20090, "Fix"}, {20091, "Left"}, {20092, "Right"}, {20093, "Up"},
                      {20094, "Down"}, {20095, "Snow"}, {20096, "Blink"}}));
    EXPECT_EQ(texts(RowMenuItems(140)),
              (Labels{{20090, "Left"}, {20091, "Right"}, {20092, "Up"}, {20093, "Down"},
                      {20094, "Fix"}, {20095, "Animation"}, {20096, "Snow"}}));
    EXPECT_TRUE(RowMenuItems(141).empty());

    const auto items = MenuLabels(kMenuItemKeys);
    ASSERT_EQ(items.size(), kMenuItemKeys.size());
    EXPECT_EQ(items.front().id, 57600);
    EXPECT_EQ(items.front().text, "New(&N)");
    EXPECT_EQ(items.back().id, 32849);
    EXPECT_EQ(items.back().text, "About(&A)");
}

TEST(LanguageCatalogueTest, MenuCommandsAndPackResourcesPerLanguage)
{
    struct Case {
        int command;
        std::optional<int> index;
        int resource;
    };
    const Case cases[] = {
        {32843, 1, 168}, {32844, 2, 173}, {32842, 3, 169}, {32864, 4, 170}, {32847, 5, 171},
        {32848, 6, 172}, {32870, 7, 237}, {32871, 8, 238}, {32872, 9, 236}, {32873, 10, 239},
        {32877, 11, 319}, {32878, 12, 318}, {32880, 13, 320}, {32882, 14, 321},
        {32849, std::nullopt, 169}, {0, std::nullopt, 169},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LanguageForMenuCommand(c.command), c.index) << c.command;
        if (c.index) {
            EXPECT_EQ(LanguageFor(*c.index).resource, c.resource) << c.command;
        }
    }
    for (int outside : {-5, 0, 15, 999999}) EXPECT_EQ(LanguageFor(outside).resource, 169);
}

}  // namespace
}  // namespace lumitag
