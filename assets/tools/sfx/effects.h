// The game's fifteen sound effects, each built from the synthesiser under
// the name the game plays it by.
#pragma once

#include <string>
#include <vector>

#include "synth.h"

namespace sfx {

struct Effect {
  std::string name;
  double seconds;
  void (*build)(Sound&);
  double fadeOut;  // seconds of closing fade
  double peak;     // loudest sample, as a share of full scale
};

const std::vector<Effect>& allEffects();

}  // namespace sfx
