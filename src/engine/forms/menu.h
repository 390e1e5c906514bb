// The main window's menu bar as data: menus of items with captions, check
// marks, separators and availability, each item with its handler.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kalvitor {

struct MenuItem {
  std::string name;     // mnuFileNew ...
  std::string caption;  // "Новая игра"
  bool enabled = true;
  bool checked = false;
  bool separatorBefore = false;
  std::function<void()> action;  // empty: the item does nothing
};

struct Menu {
  std::string name;
  std::string caption;
  bool enabled = true;
  std::function<void()> onOpen;  // the menu's own click, as it drops down
  std::vector<MenuItem> items;
};

}  // namespace kalvitor
