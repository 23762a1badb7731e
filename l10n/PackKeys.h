#pragma once
// Every key of the "String" section of a language pack, in the English
// pack's order. "IDS_" keys label menus, "IDD<dialog>_title" a dialog's
// title and "IDD<dialog>_<control>" one control of a dialog.

#include <array>
#include <string_view>

namespace lumitag {

inline constexpr std::string_view kStringSection = "String";
inline constexpr std::string_view kSettingSection = "Setting";

inline constexpr std::array<std::string_view, 103> kPackKeys{
    "IDS_MENU_FILE", "IDS_FILE_NEW", "IDS_FILE_OPEN", "IDS_FILE_SAVE", "IDS_FILE_SAVEAS",
    "IDS_FILE_EXIT", "IDS_MENU_SET", "IDS_SET_MODIFYID", "IDS_MENU_TOOL", "IDS_TOOL_CHECKTIME",
    "IDS_TOOL_SEND", "IDS_TOOL_GROUPSEND", "IDS_MENU_LANG", "IDS_MENU_HELP", "IDS_HELP_ABOUT",
    "IDS_EDIT_MENU_ITEM1", "IDS_EDIT_MENU_ITEM2", "IDS_EDIT_MENU_ITEM3", "IDS_EDIT_MENU_ITEM4",
    "IDS_DZ_MENU_ITEM1", "IDS_DZ_MENU_ITEM2", "IDS_DZ_MENU_ITEM3", "IDS_DZ_MENU_ITEM4",
    "IDS_DZ_MENU_ITEM5", "IDS_DZ_MENU_ITEM6", "IDS_DZ_MENU_ITEM7", "IDS_DZ_MENU_ITEM8",
    "IDS_DZ_MENU_ITEM9",
    "IDD102_1050", "IDD102_1079", "IDD102_1080", "IDD102_1081", "IDD102_1082", "IDD102_1083",
    "IDD102_1084", "IDD102_1085", "IDD102_1093", "IDD102_1054", "IDD102_1094", "IDD102_1095",
    "IDD102_1098", "IDD102_1096", "IDD102_1065", "IDD102_1100", "IDD102_1112",
    "IDD140_Title", "IDD140_1050", "IDD140_1051", "IDD140_1060", "IDD140_1061", "IDD140_1062",
    "IDD140_1", "IDD140_2",
    "IDD163_Title", "IDD163_1", "IDD163_2", "IDD163_1079", "IDD163_20030",
    "IDD164_Title", "IDD164_1050", "IDD164_1051", "IDD164_1054", "IDD164_1066", "IDD164_1067",
    "IDD164_1068", "IDD164_1069", "IDD164_1", "IDD164_2",
    "IDD165_Title", "IDD165_1050", "IDD165_1051", "IDD165_1060", "IDD165_1061", "IDD165_1062",
    "IDD165_1093", "IDD165_20030", "IDD165_20031", "IDD165_20032", "IDD165_20033",
    "IDD165_20034", "IDD165_20035", "IDD165_1", "IDD165_2",
    "IDD201_title", "IDD201_1065", "IDD201_1066", "IDD201_1050", "IDD201_1080",
    "IDD142_2",
    "IDD240_title", "IDD240_1050", "IDD240_1051", "IDD240_1", "IDD240_2",
    "IDD310_1108", "IDD310_1109", "IDD310_1065", "IDD310_1068", "IDD310_1069", "IDD310_1070",
    "IDD310_1105", "IDD310_1106", "IDD310_1107",
};

}  // namespace lumitag
