// Reading the driver's script: one command a line; arguments separated by
// spaces; a double-quoted argument may hold spaces and \", \\, \n; the text
// after the last expected argument belongs to the last argument.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kalvitor::headless {

// The command word of a line and the rest of it (leading blanks removed);
// nullopt for blank lines and comments.
struct Line {
  std::string command;
  std::string rest;
};
std::optional<Line> SplitLine(const std::string& text);

// Splits `rest` into exactly `count` arguments (fewer when the text runs
// out). The last one takes the remainder of the line; when that remainder is
// one quoted argument it is unquoted.
std::vector<std::string> Arguments(const std::string& rest, size_t count);

}  // namespace kalvitor::headless
