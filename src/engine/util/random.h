// The game's one source of chance. Rnd() is uniform in [0, 1); a draw of 0..N
// is Rnd() * N rounded half to even, so the inner values come with 1/N each
// and the two ends with 1/(2N). Reseeding mixes a value into the generator
// (it never consumes a forced value); forced values, queued by tests and the
// scripted driver, are returned by the next draws before the generator runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>

namespace kalvitor {

class Random {
 public:
  explicit Random(uint64_t seed = 1);

  double Rnd();
  int DrawInt(int n);
  void Reseed(uint64_t value);
  // Reseeds with a fresh draw of the generator itself times mult (the daily
  // virus draw and the fight against a virus do this); takes no forced value.
  void ReseedWithDraw(double mult);

  void Force(double value) { forced_.push_back(value); }
  size_t ForcedLeft() const { return forced_.size(); }

 private:
  double Generate();
  uint64_t state_;
  std::deque<double> forced_;
};

}  // namespace kalvitor
