#include "ui/MenuPopup.h"

#include <string>

namespace {

bool hasChildren(const MenuItemLayout* items, size_t count, size_t index) {
  return index + 1 < count && items[index + 1].level > items[index].level;
}

void appendChildren(HMENU menu, const MenuItemLayout* items, size_t count, size_t parent) {
  const int32_t childLevel = items[parent].level + 1;
  for (size_t i = parent + 1; i < count && items[i].level > items[parent].level; ++i) {
    const MenuItemLayout& item = items[i];
    if (item.level != childLevel || item.hidden) continue;
    UINT flags = (item.checked ? MF_CHECKED : 0) | (item.disabled ? MF_GRAYED : 0);
    if (std::string(item.caption) == "-") {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    } else if (hasChildren(items, count, i)) {
      HMENU nested = CreatePopupMenu();
      appendChildren(nested, items, count, i);
      // The parent menu owns the nested one from here on.
      AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(nested), item.caption);
    } else {
      std::string caption = item.caption;
      if (item.shortcut) caption += std::string("\t") + item.shortcut;
      AppendMenuA(menu, flags | MF_STRING, kFirstMenuCommandId + i, caption.c_str());
    }
  }
}

// The owner of a popup between its creation and DestroyMenu.
class PopupMenu {
 public:
  PopupMenu(const WindowLayout& layout, int32_t rootIndex)
      : menu_(MenuPopup::build(layout.menu, layout.menuCount, rootIndex)) {}
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;
  ~PopupMenu() {
    if (menu_) DestroyMenu(menu_);
  }
  HMENU get() const { return menu_; }

 private:
  HMENU menu_;
};

}  // namespace

namespace MenuPopup {

HMENU build(const MenuItemLayout* items, size_t count, int32_t rootIndex) {
  if (!items || rootIndex < 0 || static_cast<size_t>(rootIndex) >= count) return nullptr;
  const size_t root = static_cast<size_t>(rootIndex);
  if (!hasChildren(items, count, root)) return nullptr;
  HMENU popup = CreatePopupMenu();
  if (popup) appendChildren(popup, items, count, root);
  return popup;
}

void showAtCursor(HWND window, const WindowLayout& layout, int32_t rootIndex) {
  PopupMenu popup(layout, rootIndex);
  if (!popup.get()) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  TrackPopupMenu(popup.get(), TPM_RIGHTBUTTON, cursor.x + 3, cursor.y + 3, 0, window, nullptr);
}

void showForTray(HWND window, const WindowLayout& layout, int32_t rootIndex) {
  PopupMenu popup(layout, rootIndex);
  if (!popup.get()) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  SetForegroundWindow(window);
  TrackPopupMenu(popup.get(), TPM_RIGHTALIGN, cursor.x - 5, cursor.y - 5, 0, window, nullptr);
  PostMessageA(window, WM_NULL, 0, 0);
}

}  // namespace MenuPopup
