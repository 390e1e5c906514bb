// The software catalogue: six slots of free programs, each model with the
// operating system (and, for operating systems, the hardware) it needs.
#pragma once

#include <cstdint>
#include <string>

namespace kalvitor {

struct GameState;

int SoftwareTopModel(int slot);  // -1 for a slot outside 0..5
// The name as shown, in the player's language ("" past the top model).
std::string GetSoftwareName(int slot, int model);

// One condition: the named slot holds at least `model` (or exactly it).
struct Requirement {
  bool hardware;  // a hardware slot, else a software slot
  int slot;
  int model;
  bool exact = false;
};

struct RequirementRow {
  Requirement conditions[4];
  int count;
  const char* refusal;
};

// The row for slot/model 1..top; nullptr outside the catalogue and for model 0.
const RequirementRow* GetRequirementRow(int slot, int model);
// Whether the computer meets the condition now.
bool Meets(const Requirement& condition, const GameState& s);
// The row of a program whose conditions the computer does not all meet now;
// nullptr when it may be installed.
const RequirementRow* UnmetRequirements(int slot, int model, const GameState& s);

}  // namespace kalvitor
