#include "util/random.h"

#include <bit>
#include <cstring>

#include "util/int_math.h"

namespace kalvitor {
namespace {

uint64_t SplitMix(uint64_t& x) {
  uint64_t z = (x += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

Random::Random(uint64_t seed) : state_(seed) {}

double Random::Generate() { return static_cast<double>(SplitMix(state_) >> 11) * 0x1.0p-53; }

double Random::Rnd() {
  if (!forced_.empty()) {
    double v = forced_.front();
    forced_.pop_front();
    if (!(v >= 0.0) || v >= 1.0) v = 0.0;
    return v;
  }
  return Generate();
}

int Random::DrawInt(int n) { return static_cast<int>(RoundHalfEven(Rnd() * n)); }

void Random::Reseed(uint64_t value) {
  uint64_t mix = state_ ^ std::rotl(value * 0x9E3779B97F4A7C15ull, 17);
  state_ = SplitMix(mix);
}

void Random::ReseedWithDraw(double mult) {
  const double v = Generate() * mult;
  // The draw's bits as they lie in memory (std::bit_cast, which not every
  // standard library the game is built with has yet).
  uint64_t bits = 0;
  static_assert(sizeof bits == sizeof v);
  std::memcpy(&bits, &v, sizeof bits);
  Reseed(bits);
}

}  // namespace kalvitor
