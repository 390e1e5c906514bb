// The hardware catalogue: nine slots, each with its models from the cheapest
// (1) to the top one; model 0 is the empty slot. Entries are "name|price".
#pragma once

#include <cstdint>
#include <string>

namespace kalvitor {

int HardwareTopModel(int slot);  // -1 for a slot outside 0..8
std::string GetHardwareEntry(int slot, int model);
// The names as shown, in the player's language ("" past the top model).
std::string GetHardwareName(int slot, int model);
int16_t GetHardwarePrice(int slot, int model);
std::string GetHardwareSlotName(int slot);
bool IsHardwareAtTop(int slot, int model);

}  // namespace kalvitor
