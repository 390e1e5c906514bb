#include "util/text_format.h"

#include <vector>

namespace kalvitor {

std::string FormatText(const char* pattern, std::initializer_list<std::string> pieces) {
  const std::vector<std::string> piece(pieces);
  std::string out;
  size_t next = 0;
  for (const char* p = pattern; *p; ++p) {
    if (*p != '%') {
      out += *p;
      continue;
    }
    if (p[1] == '%') {
      out += '%';
      ++p;
      continue;
    }
    // "%s" or "%N$s"; anything else stays as it is.
    size_t index = next, digits = 0;
    if (p[1] >= '1' && p[1] <= '9' && p[2] == '$') {
      index = static_cast<size_t>(p[1] - '1');
      digits = 2;
    }
    if (p[1 + digits] != 's') {
      out += *p;
      continue;
    }
    if (index < piece.size()) out += piece[index];
    next = index + 1;
    p += 1 + digits;
  }
  return out;
}

}  // namespace kalvitor
