// The packs as data: each language has one, each holds every key once, and
// the translations keep what the program relies on (placeholders, menu
// accelerators).
#include "l10n/EmbeddedPacks.h"
#include "l10n/Language.h"
#include "l10n/LanguageCatalogue.h"
#include "l10n/MenuKeys.h"
#include "l10n/PackKeys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace lumitag {
namespace {

LanguagePack PackOf(const LanguageInfo& language)
{
    const auto text = FindEmbeddedPack(language.packFile);
    return text ? LanguagePack::Parse(*text) : LanguagePack();
}

bool Lacks(const LanguageInfo& language, std::string_view key)
{
    // The Traditional Chinese pack has never had the model label.
    return language.index == 2 && key == "IDD102_1112";
}

TEST(PackContentsTest, EachLanguageHasItsOwnPackAndNoPackIsSpare)
{
    std::set<std::string_view> expected;
    std::set<int> resources;
    for (const LanguageInfo& language : kLanguages) {
        EXPECT_TRUE(FindEmbeddedPack(language.packFile)) << language.packFile;
        expected.insert(language.packFile);
        resources.insert(language.resource);
    }
    EXPECT_EQ(expected.size(), kLanguages.size());
    EXPECT_EQ(resources.size(), kLanguages.size());

    std::set<std::string_view> built;
    for (const EmbeddedPack& pack : EmbeddedPacks()) built.insert(pack.name);
    EXPECT_EQ(built, expected);
}

TEST(PackContentsTest, EveryPackParsesCleanlyWithEveryKeyOnce)
{
    const std::set<std::string_view> known(kPackKeys.begin(), kPackKeys.end());
    ASSERT_EQ(known.size(), kPackKeys.size());
    for (const LanguageInfo& language : kLanguages) {
        SCOPED_TRACE(std::string(language.packFile));
        const LanguagePack pack = PackOf(language);
        EXPECT_TRUE(pack.Problems().empty()) << ::testing::PrintToString(pack.Problems());
        EXPECT_TRUE(pack.Find(kSettingSection, "Language").has_value());

        for (std::string_view key : kPackKeys) {
            const auto value = pack.Find(kStringSection, key);
            if (Lacks(language, key)) {
                EXPECT_FALSE(value.has_value()) << key;
            } else {
                ASSERT_TRUE(value.has_value()) << key;
                EXPECT_FALSE(value->empty()) << key;
            }
        }
        // Nothing beyond the key list: a misspelt key would go unread.
        for (const LanguagePack::Entry& entry : pack.Entries()) {
            if (SameName(entry.section, kStringSection)) {
                EXPECT_TRUE(known.contains(entry.key)) << entry.key;
            }
        }
    }
}

TEST(PackContentsTest, EveryOtherPackIsTranslated)
{
    // Words such as "OK", "Format" or "Animation" are the same in several
    // languages, but a pack copied from English and left untranslated, or a
    // block of keys overlooked, shows up as many texts equal to English.
    const LanguagePack english = PackOf(LanguageFor(kEnglishLanguage));
    for (const LanguageInfo& language : kLanguages) {
        if (language.index == kEnglishLanguage) continue;
        const LanguagePack pack = PackOf(language);
        std::vector<std::string_view> same;
        for (std::string_view key : kPackKeys)
            if (pack.Find(kStringSection, key) == english.Find(kStringSection, key)) same.push_back(key);
        EXPECT_LE(same.size(), kPackKeys.size() / 5)
            << language.packFile << ": " << ::testing::PrintToString(same);
    }
}

// The printf conversions of `text`, in order ("%d", "%s", "%%", "%02X" ...).
std::vector<std::string> Conversions(const std::string& text)
{
    static const std::regex conversion("%(%|[-+ #0]*[0-9]*(\\.[0-9]+)?[hlL]*[a-zA-Z])");
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), conversion);
         it != std::sregex_iterator(); ++it)
        found.push_back(it->str());
    return found;
}

TEST(PackContentsTest, ConversionFinderSeesWhatPrintfWouldFormat)
{
    EXPECT_EQ(Conversions("%d of %s, 100%% and %02X or %-5.2f%"),
              (std::vector<std::string>{"%d", "%s", "%%", "%02X", "%-5.2f"}));
}

TEST(PackContentsTest, TranslationsKeepTheEnglishPlaceholdersInOrder)
{
    const LanguagePack english = PackOf(LanguageFor(kEnglishLanguage));
    for (const LanguageInfo& language : kLanguages) {
        const LanguagePack pack = PackOf(language);
        for (std::string_view key : kPackKeys) {
            const auto value = pack.Find(kStringSection, key);
            if (!value) continue;  // a missing key is the test above's concern
            EXPECT_EQ(Conversions(std::string(*value)),
                      Conversions(std::string(*english.Find(kStringSection, key))))
                << language.packFile << " " << key;
        }
    }
}

// The menus of the menu bar as they drop down, each a list of label keys.
const std::vector<std::vector<std::string_view>> kMenus = {
    {"IDS_MENU_FILE", "IDS_MENU_SET", "IDS_MENU_TOOL", "IDS_MENU_LANG", "IDS_MENU_HELP"},
    {"IDS_FILE_NEW", "IDS_FILE_OPEN", "IDS_FILE_SAVE", "IDS_FILE_SAVEAS", "IDS_FILE_EXIT"},
    {"IDS_SET_MODIFYID"},
    {"IDS_TOOL_CHECKTIME", "IDS_TOOL_SEND", "IDS_TOOL_GROUPSEND"},
    {"IDS_HELP_ABOUT"},
};

// The accelerator of a menu label: the UTF-8 character after its single '&'.
std::string Accelerator(std::string_view label)
{
    const auto amp = label.find('&');
    if (amp == std::string_view::npos || amp + 1 >= label.size()
        || label.find('&', amp + 1) != std::string_view::npos)
        return {};
    std::size_t length = 1;
    while (amp + 1 + length < label.size()
           && (static_cast<unsigned char>(label[amp + 1 + length]) & 0xC0) == 0x80)
        ++length;
    std::string key(label.substr(amp + 1, length));
    if (length == 1) key[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(key[0])));
    return key;
}

TEST(PackContentsTest, MenuLabelsHaveOneAcceleratorUniqueWithinTheirMenu)
{
    for (const LanguageInfo& language : kLanguages) {
        const LanguagePack pack = PackOf(language);
        for (const auto& menu : kMenus) {
            std::map<std::string, std::string_view> taken;
            for (std::string_view key : menu) {
                const std::string label = GetLangString(pack, key);
                const std::string accelerator = Accelerator(label);
                EXPECT_FALSE(accelerator.empty()) << language.packFile << " " << key << " " << label;
                const auto [it, fresh] = taken.emplace(accelerator, key);
                EXPECT_TRUE(fresh || accelerator.empty())
                    << language.packFile << ": " << key << " and " << it->second
                    << " share &" << accelerator;
            }
        }
    }
}

TEST(PackContentsTest, EveryKeyTheMenusUseIsAPackKey)
{
    const std::set<std::string_view> known(kPackKeys.begin(), kPackKeys.end());
    std::vector<MenuKey> used(kTopMenuKeys.begin(), kTopMenuKeys.end());
    used.insert(used.end(), kMenuItemKeys.begin(), kMenuItemKeys.end());
    for (const RowMenuKeys& menu : kRowMenuKeys) used.insert(used.end(), menu.items.begin(), menu.items.end());
    for (const auto& menu : kMenus)
        for (std::string_view key : menu) used.push_back({0, key});
    for (const MenuKey& key : used) EXPECT_TRUE(known.contains(key.key)) << key.key;
}

// The English pack word for word; its texts are fixed and other windows
// and their tests expect them.
TEST(PackContentsTest, EnglishPackHoldsTheProgramsOwnTexts)
{
    const std::map<std::string_view, std::string_view> english = {
        {"IDS_MENU_FILE", "File(&F)"}, {"IDS_FILE_NEW", "New(&N)"}, {"IDS_FILE_OPEN", "Open(&O)"},
        {"IDS_FILE_SAVE", "Save(&S)"}, {"IDS_FILE_SAVEAS", "Save As(&A)"},
        {"IDS_FILE_EXIT", "Exit(&E)"}, {"IDS_MENU_SET", "Setting(&S)"},
        {"IDS_SET_MODIFYID", "ID Modify(&I)"}, {"IDS_MENU_TOOL", "Tools(&T)"},
        {"IDS_TOOL_CHECKTIME", "Synchronize Time(&V)"}, {"IDS_TOOL_SEND", "Send(&T)"},
        {"IDS_TOOL_GROUPSEND", "Group Send(&G)"}, {"IDS_MENU_LANG", "Language(&L)"},
        {"IDS_MENU_HELP", "Help(&H)"}, {"IDS_HELP_ABOUT", "About(&A)"},
        {"IDS_EDIT_MENU_ITEM1", "Empty"}, {"IDS_EDIT_MENU_ITEM2", "Text"},
        {"IDS_EDIT_MENU_ITEM3", "Image"}, {"IDS_EDIT_MENU_ITEM4", "Date"},
        {"IDS_DZ_MENU_ITEM1", "Left"}, {"IDS_DZ_MENU_ITEM2", "Right"}, {"IDS_DZ_MENU_ITEM3", "Up"},
        {"IDS_DZ_MENU_ITEM4", "Down"}, {"IDS_DZ_MENU_ITEM5", "Fix"},
        {"IDS_DZ_MENU_ITEM6", "Animation"}, {"IDS_DZ_MENU_ITEM7", "Snow"},
        {"IDS_DZ_MENU_ITEM8", "Middle"}, {"IDS_DZ_MENU_ITEM9", "Blink"},
        {"IDD102_1050", "Preview"}, {"IDD102_1079", "Edit"}, {"IDD102_1080", "Effect"},
        {"IDD102_1081", "Speed"}, {"IDD102_1082", "Time"}, {"IDD102_1083", "Marquee"},
        {"IDD102_1084", "Vertical"}, {"IDD102_1085", "Blink"}, {"IDD102_1093", "Send"},
        {"IDD102_1054", "Add"}, {"IDD102_1094", "Modify"}, {"IDD102_1095", "Del"},
        {"IDD102_1098", "Check time"}, {"IDD102_1096", "Send"}, {"IDD102_1065", "Bmp editor"},
        {"IDD102_1100", "Scan"}, {"IDD102_1112", "Model"},
        {"IDD140_Title", "Text Editor"}, {"IDD140_1050", "Preview"}, {"IDD140_1051", "Edit"},
        {"IDD140_1060", "Bold"}, {"IDD140_1061", "Italic"}, {"IDD140_1062", "Underline"},
        {"IDD140_1", "OK"}, {"IDD140_2", "Cancel"},
        {"IDD163_Title", "ID Editor"}, {"IDD163_1", "OK"}, {"IDD163_2", "Cancel"},
        {"IDD163_1079", "Name"}, {"IDD163_20030", "Auto Add"},
        {"IDD164_Title", "Image Editor"}, {"IDD164_1050", "Preview"}, {"IDD164_1051", "Edit"},
        {"IDD164_1054", "Add"}, {"IDD164_1066", "Del"}, {"IDD164_1067", "Up"},
        {"IDD164_1068", "Down"}, {"IDD164_1069", "Preview"}, {"IDD164_1", "OK"},
        {"IDD164_2", "Cancel"},
        {"IDD165_Title", "Date Editor"}, {"IDD165_1050", "Preview"}, {"IDD165_1051", "Edit"},
        {"IDD165_1060", "Bold"}, {"IDD165_1061", "Italic"}, {"IDD165_1062", "Underline"},
        {"IDD165_1093", "Format"}, {"IDD165_20030", "Y"}, {"IDD165_20031", "M"},
        {"IDD165_20032", "D"}, {"IDD165_20033", "W"}, {"IDD165_20034", "T"},
        {"IDD165_20035", "S"}, {"IDD165_1", "OK"}, {"IDD165_2", "Cancel"},
        {"IDD201_title", "ID modify "}, {"IDD201_1065", "Read"}, {"IDD201_1066", "Set"},
        {"IDD201_1050", "Old ID"}, {"IDD201_1080", "New ID"},
        {"IDD142_2", "Cancel"},
        {"IDD240_title", "Text Editor"}, {"IDD240_1050", "Preview"}, {"IDD240_1051", "Edit"},
        {"IDD240_1", "OK"}, {"IDD240_2", "Cancel"},
        {"IDD310_1108", "Power"}, {"IDD310_1109", "Send"}, {"IDD310_1065", "Power ON"},
        {"IDD310_1068", "Power OFF"}, {"IDD310_1069", "Send All"},
        {"IDD310_1070", "Send Selected"}, {"IDD310_1105", "All"}, {"IDD310_1106", "No All"},
        {"IDD310_1107", "Reverse"},
    };
    ASSERT_EQ(english.size(), kPackKeys.size());
    const LanguagePack pack = PackOf(LanguageFor(kEnglishLanguage));
    for (const auto& [key, text] : english) {
        const auto value = pack.Find(kStringSection, key);
        ASSERT_TRUE(value.has_value()) << key;
        EXPECT_EQ(*value, text) << key;
    }
}

}  // namespace
}  // namespace lumitag
