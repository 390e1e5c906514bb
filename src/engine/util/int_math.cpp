#include "util/int_math.h"

#include <cfenv>

namespace kalvitor {

int64_t DivRoundHalfEven(int64_t num, int64_t den) {
  if (den == 0) return 0;
  if (den < 0) {
    num = -num;
    den = -den;
  }
  int64_t q = num / den;  // truncated toward zero
  int64_t r = num % den;  // same sign as num
  if (r < 0) {
    q -= 1;
    r += den;
  }
  // now num = q*den + r with 0 <= r < den
  int64_t twice = 2 * r;
  if (twice > den || (twice == den && (q % 2 != 0))) q += 1;
  return q;
}

int64_t RoundHalfEven(double x) {
  if (std::isnan(x)) return 0;
  if (x >= 9.2e18) return std::numeric_limits<int64_t>::max();
  if (x <= -9.2e18) return std::numeric_limits<int64_t>::min();
  double floor = std::floor(x);
  double diff = x - floor;
  int64_t f = static_cast<int64_t>(floor);
  if (diff > 0.5) return f + 1;
  if (diff < 0.5) return f;
  return (f % 2 == 0) ? f : f + 1;
}

}  // namespace kalvitor
