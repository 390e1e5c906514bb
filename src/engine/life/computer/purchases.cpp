// The only routines that change the computer's slots. A purchase is the
// hardware screen's row of the slot (rules/offers.cpp), paid at the model's
// price; an install is the software screen's row, tested against the
// program's requirements.
#include "life/computer/hardware_catalogue.h"
#include "life/computer/software_catalogue.h"
#include "life/life.h"
#include "life/rules/offers.h"

namespace kalvitor {

void Life::BuyHardware(int16_t slot, int16_t model, int16_t pay) {
  if (GetHardwareEntry(slot, model).empty()) return;  // no such model: nothing to buy
  if (pay == kTrue) {
    const Offer& row = OffersAt(Counter::Hardware)[static_cast<size_t>(slot)];
    Settle(row, DealFor(row, GetHardwarePrice(slot, model), model));
    return;
  }
  state_.Hw[static_cast<size_t>(slot)] = model;
  state_.HwModels[static_cast<size_t>(slot)] = model;
  View().Changed(Fact::Hardware, slot);
}

bool Life::InstallSoftware(int16_t slot, int16_t model) {
  if (GetSoftwareName(slot, model).empty()) return false;
  const Offer& row = OffersAt(Counter::Software)[static_cast<size_t>(slot)];
  return Settle(row, DealFor(row, 0, model));
}

void Life::PutSoftware(int16_t slot, int16_t model) {
  state_.Soft[static_cast<size_t>(slot)] = model;
  View().Changed(Fact::Software, slot);
}

}  // namespace kalvitor
