// Every variable of the game state by name, for the scripted driver's
// `set` and `dump state` and for tests: one row per variable, in the order
// the game's state is described.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "life/state.h"

namespace kalvitor {

enum class FieldType { Int16, Int32, Bool, String, Date, Time };

struct StateField {
  std::string name;
  FieldType type;
  bool settable;
  std::function<std::string(const GameState&)> get;  // as `dump state` prints it
  // Stores a value given as text; false when the text does not fit the type.
  std::function<bool(GameState&, const std::string&)> set;
};

const std::vector<StateField>& StateFields();
const StateField* FindStateField(const std::string& name);
// Every variable, a line each: "STATE Money 350" (the driver's `dump state`,
// the desktop game's test dump).
std::string StateDump(const GameState& s);
// A whole number as the driver reads it; nullopt for anything else.
std::optional<long long> ParseWhole(const std::string& text);

}  // namespace kalvitor
