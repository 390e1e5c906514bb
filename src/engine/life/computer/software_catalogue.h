// The software catalogue: six slots of free programs, each model with the
// operating system (and, for operating systems, the hardware) it needs.
#pragma once

#include <cstdint>
#include <string>

namespace kalvitor {

int SoftwareTopModel(int slot);  // -1 for a slot outside 0..5
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

}  // namespace kalvitor
