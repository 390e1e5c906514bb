// The only routines that change the computer's slots.
#include "life/computer/hardware_catalogue.h"
#include "life/computer/software_catalogue.h"
#include "life/life.h"

namespace kalvitor {

void Life::BuyHardware(int16_t slot, int16_t model, int16_t pay) {
  const std::string entry = GetHardwareEntry(slot, model);
  if (entry.empty()) return;  // no such model: nothing to buy
  const std::string name = GetHardwareName(slot, model);
  const int16_t price = GetHardwarePrice(slot, model);
  if (pay == kTrue) {
    const int64_t remaining = int64_t{s.Money} - price;
    if (remaining < 0) {
      MsgBox("У вас недостаточно денег на покупку " + name + " за $" + std::to_string(price), "Я тоже много хочу!!!",
             MsgIcon::Information);
      return;
    }
    SetMoney(static_cast<int32_t>(remaining), MoneyCause::Purchase);
  }
  s.Hw[static_cast<size_t>(slot)] = model;
  s.HwModels[static_cast<size_t>(slot)] = model;
  View().Changed(Fact::Hardware, slot);
}

bool Life::InstallSoftware(int16_t slot, int16_t model) {
  if (GetSoftwareName(slot, model).empty()) return false;
  if (const RequirementRow* row = GetRequirementRow(slot, model)) {
    for (int i = 0; i < row->count; ++i) {
      const Requirement& c = row->conditions[i];
      const int16_t have = c.hardware ? s.Hw[static_cast<size_t>(c.slot)] : s.Soft[static_cast<size_t>(c.slot)];
      const bool ok = c.exact ? have == c.model : have >= c.model;
      if (!ok) {
        MsgBox(row->refusal, "Ну у Вас и запросы...", MsgIcon::Information);
        return false;
      }
    }
  }
  s.Soft[static_cast<size_t>(slot)] = model;
  View().Changed(Fact::Software, slot);
  return true;
}

}  // namespace kalvitor
