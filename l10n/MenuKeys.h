#pragma once
// Which pack key labels which menu: the five top-level menus by position,
// the main menu's items by command, and the items of the row menus (the
// edit and effect menus behind each slot row's buttons) by menu resource.
// The GUI walks these tables when a language is applied.

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumitag {

struct MenuKey {
    int id;  // position for top-level menus, otherwise the item's command
    std::string_view key;
};

inline constexpr std::array<MenuKey, 5> kTopMenuKeys{{
    {0, "IDS_MENU_FILE"},
    {1, "IDS_MENU_SET"},
    {2, "IDS_MENU_TOOL"},
    {3, "IDS_MENU_LANG"},
    {4, "IDS_MENU_HELP"},
}};

// 32776 (Save As) has no item in the menu bar, so its label is never seen.
inline constexpr std::array<MenuKey, 10> kMenuItemKeys{{
    {57600, "IDS_FILE_NEW"},
    {57601, "IDS_FILE_OPEN"},
    {57603, "IDS_FILE_SAVE"},
    {32776, "IDS_FILE_SAVEAS"},
    {32786, "IDS_FILE_EXIT"},
    {32832, "IDS_SET_MODIFYID"},
    {32836, "IDS_TOOL_CHECKTIME"},
    {32837, "IDS_TOOL_SEND"},
    {32839, "IDS_TOOL_GROUPSEND"},
    {32849, "IDS_HELP_ABOUT"},
}};

struct RowMenuKeys {
    int resource;  // 136, 138: edit menus; 137, 139, 140: effect menus
    std::span<const MenuKey> items;
};

namespace detail {
inline constexpr std::array<MenuKey, 2> kEditMenu136{{
    {20091, "IDS_EDIT_MENU_ITEM2"}, {20092, "IDS_EDIT_MENU_ITEM3"}}};
inline constexpr std::array<MenuKey, 3> kEditMenu138{{
    {20091, "IDS_EDIT_MENU_ITEM2"}, {20092, "IDS_EDIT_MENU_ITEM3"},
    {20093, "IDS_EDIT_MENU_ITEM4"}}};
inline constexpr std::array<MenuKey, 8> kEffectMenu137{{
    {20090, "IDS_DZ_MENU_ITEM1"}, {20091, "IDS_DZ_MENU_ITEM2"}, {20092, "IDS_DZ_MENU_ITEM3"},
    {20093, "IDS_DZ_MENU_ITEM4"}, {20094, "IDS_DZ_MENU_ITEM5"}, {20095, "IDS_DZ_MENU_ITEM6"},
    {20096, "IDS_DZ_MENU_ITEM7"}, {20097, "IDS_DZ_MENU_ITEM8"}}};
// The sixteen-row models offer Fix first and Blink last.
inline constexpr std::array<MenuKey, 7> kEffectMenu139{{
    {20090, "IDS_DZ_MENU_ITEM5"}, {20091, "IDS_DZ_MENU_ITEM1"}, {20092, "IDS_DZ_MENU_ITEM2"},
    {20093, "IDS_DZ_MENU_ITEM3"}, {20094, "IDS_DZ_MENU_ITEM4"}, {20095, "IDS_DZ_MENU_ITEM7"},
    {20096, "IDS_DZ_MENU_ITEM9"}}};
inline constexpr std::array<MenuKey, 7> kEffectMenu140{{
    {20090, "IDS_DZ_MENU_ITEM1"}, {20091, "IDS_DZ_MENU_ITEM2"}, {20092, "IDS_DZ_MENU_ITEM3"},
    {20093, "IDS_DZ_MENU_ITEM4"}, {20094, "IDS_DZ_MENU_ITEM5"}, {20095, "IDS_DZ_MENU_ITEM6"},
    {20096, "IDS_DZ_MENU_ITEM7"}}};
}  // namespace detail

inline constexpr std::array<RowMenuKeys, 5> kRowMenuKeys{{
    {136, detail::kEditMenu136},
    {137, detail::kEffectMenu137},
    {138, detail::kEditMenu138},
    {139, detail::kEffectMenu139},
    {140, detail::kEffectMenu140},
}};

// The items of row menu `resource`; empty for any other number.
std::span<const MenuKey> RowMenuItems(int resource);

struct MenuLabel {
    int id;
    std::string text;
};

// Each key of `keys` looked up with GetLangString in the current pack, so a
// key the pack lacks gives the label "Not found".
std::vector<MenuLabel> MenuLabels(std::span<const MenuKey> keys);

}  // namespace lumitag
