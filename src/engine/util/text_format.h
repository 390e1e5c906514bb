// A sentence with places for its pieces, so that a language can put them in
// its own order: "%s" takes the next piece, "%2$s" the second, "%%" is "%".
// The patterns are C's (scripts/po.sh marks FormatText's first argument as a
// C format), so msgfmt --check refuses a translation whose pieces do not match.
#pragma once

#include <initializer_list>
#include <string>

namespace kalvitor {

std::string FormatText(const char* pattern, std::initializer_list<std::string> pieces);

}  // namespace kalvitor
