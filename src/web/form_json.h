// What the page needs to draw a window, as JSON: the window's own facts
// (title, size, picture, keys, how it blocks) and each control's, by its
// place in the window's order. The page keeps no game state but these
// copies, which the port sends again whenever the model says they changed.
#pragma once

#include <string>

#include "windows/forms/form.h"
#include "windows/forms/menu.h"

namespace kalvitor::web {

// The control's place in its window's order, which is also its id on the page.
int ControlId(const Form& form, const Control& control);
// {"form":..., "id":..., ...} for one control.
std::string ControlJson(const Form& form, const Control& control);
// The whole window with every control.
std::string FormJson(const Form& form, bool isMain);
// The menu bar: menus, items, check marks, separators, shortcuts.
std::string MenusJson(const std::vector<Menu>& menus);

}  // namespace kalvitor::web
