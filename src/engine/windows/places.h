// The places the player goes to from the main window: each with its window,
// its label in the menu column and its item in the game menu. The menu
// column, the menu bar and the window registry read this one table, so a new
// place is a row here, its window and its test.
#pragma once

#include <memory>
#include <span>

namespace kalvitor {

class Form;
class Game;

struct Place {
  const char* window;  // the window's name, "frmWork"; null: an item that is never available
  std::unique_ptr<Form> (*make)(Game&);
  const char* label;    // the menu column's clickable label, "cmdWork"; null: not in the column
  const char* caption;  // "Работа"
  const char* tip;      // what the place is for, in our words
  const char* item;     // the game menu's item, "mnuGameWork"
  const char* itemCaption;
  int itemOrder;  // where the item stands in the game menu, from 0
  // The network: it opens only with a modem and a browser.
  bool online = false;
};

// In the menu column's order.
std::span<const Place> Places();
const Place* FindPlace(const char* window);

}  // namespace kalvitor
