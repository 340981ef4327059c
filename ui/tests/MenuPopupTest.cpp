// Popups built from a menu list: the root's visible children in order, identifiers 20000 +
// list position (hidden children still count), separators, nested popups, flags, shortcuts,
// and roots that show nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "schedule/Texts.h"
#include "ui/Layouts.h"
#include "ui/MenuPopup.h"

namespace {

struct Item {
  std::string caption;
  UINT id;
  UINT state;
  bool popup;
};

std::vector<Item> itemsOf(HMENU menu) {
  std::vector<Item> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char caption[64] = {};
    GetMenuStringA(menu, static_cast<UINT>(i), caption, sizeof caption, MF_BYPOSITION);
    UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
    bool popup = GetSubMenu(menu, i) != nullptr;
    items.push_back({caption, popup ? 0u : GetMenuItemID(menu, i),
                     state & (MF_CHECKED | MF_GRAYED | MF_SEPARATOR), popup});
  }
  return items;
}

std::vector<std::string> summary(HMENU menu) {
  std::vector<std::string> lines;
  for (const Item& item : itemsOf(menu)) {
    lines.push_back(std::to_string(item.id) + " " + item.caption);
  }
  return lines;
}

TEST(MenuPopup, MainWindowMenusHoldTheirItemsWithListPositionIdentifiers) {
  HMENU tray = MenuPopup::build(kMainWindowMenu, kMainWindowMenuCount,
                                menuItemIndex(kMainWindowLayout, texts::kTrayMenu));
  ASSERT_NE(tray, nullptr);
  EXPECT_EQ(summary(tray), (std::vector<std::string>{"20001 启动", "20002 停止", "20003 关闭"}));
  DestroyMenu(tray);

  HMENU time = MenuPopup::build(kMainWindowMenu, kMainWindowMenuCount,
                                menuItemIndex(kMainWindowLayout, texts::kTimeMenu));
  ASSERT_NE(time, nullptr);
  EXPECT_EQ(summary(time), (std::vector<std::string>{"20005 预设时间", "20006 倒计时60分",
                                                     "20007 倒计时120分", "20008 倒计时180分"}));
  DestroyMenu(time);
}

TEST(MenuPopup, HiddenChildrenAreSkippedButCountedAndSettingsAreApplied) {
  const MenuItemLayout list[] = {
      {"root", 0, true, false, false, nullptr},
      {"hidden", 1, true, false, false, nullptr},
      {"checked", 1, false, false, true, nullptr},
      {"-", 1, false, false, false, nullptr},
      {"grayed", 1, false, true, false, "Ctrl+G"},
      {"nested", 1, false, false, false, nullptr},
      {"inner", 2, false, false, false, nullptr},
      {"after", 1, false, false, false, nullptr},
      {"other root", 0, false, false, false, nullptr},
      {"other item", 1, false, false, false, nullptr},
  };
  HMENU menu = MenuPopup::build(list, sizeof list / sizeof list[0], 0);
  ASSERT_NE(menu, nullptr);
  std::vector<Item> items = itemsOf(menu);
  ASSERT_EQ(items.size(), 5u);
  EXPECT_EQ(items[0].caption, "checked");
  EXPECT_EQ(items[0].id, 20002u);
  EXPECT_EQ(items[0].state, static_cast<UINT>(MF_CHECKED));
  EXPECT_TRUE(items[1].state & MF_SEPARATOR);
  EXPECT_EQ(items[2].caption, "grayed\tCtrl+G");
  EXPECT_EQ(items[2].id, 20004u);
  EXPECT_EQ(items[2].state, static_cast<UINT>(MF_GRAYED));
  EXPECT_TRUE(items[3].popup);
  EXPECT_EQ(items[3].caption, "nested");
  EXPECT_EQ(summary(GetSubMenu(menu, 3)), std::vector<std::string>{"20006 inner"});
  EXPECT_EQ(items[4].caption, "after");
  EXPECT_EQ(items[4].id, 20007u);
  DestroyMenu(menu);
}

TEST(MenuPopup, RootsWithoutChildrenShowNothing) {
  const MenuItemLayout list[] = {
      {"lonely", 0, true, false, false, nullptr},
      {"root", 0, true, false, false, nullptr},
      {"item", 1, false, false, false, nullptr},
      {"last", 0, true, false, false, nullptr},
  };
  const size_t count = sizeof list / sizeof list[0];
  for (int32_t root : {0, 2, 3, 4, -1}) {
    SCOPED_TRACE(root);
    EXPECT_EQ(MenuPopup::build(list, count, root), nullptr);
  }
  EXPECT_EQ(MenuPopup::build(nullptr, 0, 0), nullptr);
}

}  // namespace
