// Whole-number helpers of the game: the state keeps 16-bit and 32-bit values,
// and no arithmetic on them may wrap. Amounts of money and every random draw
// are rounded half to even.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace kalvitor {

inline int16_t Sat16(int64_t v) {
  if (v > std::numeric_limits<int16_t>::max()) return std::numeric_limits<int16_t>::max();
  if (v < std::numeric_limits<int16_t>::min()) return std::numeric_limits<int16_t>::min();
  return static_cast<int16_t>(v);
}

inline int32_t Sat32(int64_t v) {
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

// num / den rounded to the nearest whole number, halves to the even neighbour.
// Exact: the game's percentages (15%, 25%, a tenth, a twentieth) are done in
// whole numbers so that 172.5 is really 172.5 and goes to 172.
int64_t DivRoundHalfEven(int64_t num, int64_t den);

// x rounded half to even; values beyond the 64-bit range are clamped first.
int64_t RoundHalfEven(double x);

}  // namespace kalvitor
