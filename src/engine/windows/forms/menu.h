// The main window's menu bar as data: menus of items with captions, check
// marks, separators and availability, each item with its handler.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kalvitor {

struct MenuItem {
  MenuItem(std::string name_, std::string caption_, bool enabled_, bool checked_, bool separatorBefore_,
           std::function<void()> action_, std::string shortcut_ = {})
      : name(std::move(name_)),
        caption(std::move(caption_)),
        enabled(enabled_),
        checked(checked_),
        separatorBefore(separatorBefore_),
        action(std::move(action_)),
        shortcut(std::move(shortcut_)) {}

  std::string name;     // mnuFileNew ...
  std::string caption;  // "Новая игра"
  bool enabled = true;
  bool checked = false;
  bool separatorBefore = false;
  std::function<void()> action;  // empty: the item does nothing
  std::string shortcut;          // "Ctrl+J"; empty: none
  // The item opens a window that only shows the game and changes nothing in
  // it (the journal, the statistics): it works while the game is paused and
  // while a place is open.
  bool onlyShows = false;
};

struct Menu {
  std::string name;
  std::string caption;
  bool enabled = true;
  std::function<void()> onOpen;  // the menu's own click, as it drops down
  std::vector<MenuItem> items;
  // The help menu, where a frontend may add help of its own.
  bool help = false;
};

}  // namespace kalvitor
