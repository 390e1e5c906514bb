// The program's name, as its windows, its settings and its files know it.
#pragma once

namespace kalvitor {

constexpr const char* kMaker = "Brindlex";
constexpr const char* kProduct = "Kalvitor 1.6";
// The main window's title, and the title of every window and box that has
// none of its own.
constexpr const char* kProgramTitle = "Brindlex Kalvitor 1.6";

}  // namespace kalvitor
