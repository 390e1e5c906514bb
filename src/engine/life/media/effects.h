// The game's sound effects by name, with how long each one plays: playing is
// blocking, so the length is how long the game stands still.
#pragma once

#include <cstddef>
#include <string>

namespace kalvitor {

struct EffectInfo {
  const char* name;
  int lengthMs;
};

// The fifteen effects, in a fixed order.
const EffectInfo* Effects(size_t* count);
// nullptr for a name without an effect; the name is upper case.
const EffectInfo* FindEffect(const std::string& upperName);

}  // namespace kalvitor
