// Whole numbers written in decimal, as the game reads them from the player,
// from its files and from the driver's scripts. Every reader names its rule;
// one routine reads them all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

namespace kalvitor {

struct DecimalRule {
  bool blanksAround = false;  // spaces and tabs before and after are allowed
  bool minus = true;          // a leading '-'
  bool plus = false;          // a leading '+'
  size_t maxLength = 0;       // the most characters, sign included (0: any)
  // A fraction after '.' or ',' is allowed and rounds the number to a whole
  // one, halves to the even neighbour; at least one digit is written, on
  // either side of the point.
  bool fraction = false;
  int64_t lo = std::numeric_limits<int64_t>::min();
  int64_t hi = std::numeric_limits<int64_t>::max();
  // A number beyond the range reads as its nearer end instead of nothing.
  bool saturate = false;
};

// nullopt for anything that is not one number by the rule.
std::optional<int64_t> ParseDecimal(std::string_view text, const DecimalRule& rule);

}  // namespace kalvitor
