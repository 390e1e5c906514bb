#include "windows/screens/action_tips.h"

#include <vector>

#include "life/computer/hardware_catalogue.h"
#include "life/computer/software_catalogue.h"
#include "life/life.h"
#include "life/rules/job_offers.h"
#include "life/rules/offers.h"
#include "util/text.h"

namespace kalvitor {
namespace {

std::string Signed(int v) { return (v > 0 ? "+" : "") + std::to_string(v); }

std::string Joined(const std::vector<std::string>& parts, const char* between) {
  std::string out;
  for (const std::string& p : parts) out += (out.empty() ? "" : between) + p;
  return out;
}

// One condition of a program as a line: what it asks for and whether the
// computer has it now.
std::string ConditionLine(const Requirement& c, const GameState& s) {
  std::string line = "· ";
  if (c.hardware)
    line += GetHardwareSlotName(c.slot) + " не хуже " + GetHardwareName(c.slot, c.model);
  else
    line += std::string("ОС ") + (c.exact ? "только " : "не ниже ") + GetSoftwareName(c.slot, c.model);
  return line + (Meets(c, s) ? " — есть" : " — нет");
}

// Programs and jobs whose least model of this hardware slot is `model`.
std::vector<std::string> NeededBy(int slot, int model) {
  std::vector<std::string> needs;
  for (int soft = 0; soft < kSoftwareSlots; ++soft)
    for (int m = 1; m <= SoftwareTopModel(soft); ++m) {
      const RequirementRow* row = GetRequirementRow(soft, m);
      for (int i = 0; row != nullptr && i < row->count; ++i)
        if (row->conditions[i].hardware && row->conditions[i].slot == slot && row->conditions[i].model == model)
          needs.push_back(GetSoftwareName(soft, m));
    }
  for (const JobOffer& job : JobOffers())
    if ((slot == kHwScanner && job.scanner == model) || (slot == kHwModem && job.modem == model))
      needs.push_back("работы «" + Life::JobTitle(job.job) + "»");
  return needs;
}

}  // namespace

std::string EffectTip(const Offer& row) {
  std::vector<std::string> said;
  for (const Change& c : row.changes) {
    const char* what = c.kind == Change::Satiety  ? "сытость"
                       : c.kind == Change::Health ? "здоровье"
                       : c.kind == Change::Mood   ? "настроение"
                                                  : nullptr;
    const int delta = c.amount.normal;  // a place's changes are the same at every level
    if (what != nullptr && delta != 0) said.push_back(std::string(what) + " " + Signed(delta) + "%");
  }
  const std::string changes = said.empty() ? "ничего не меняет" : Joined(said, ", ");
  return Capitalized(changes) + ". Цена $" + std::to_string(row.price) + ".";
}

std::string HardwareTip(int slot, int model, const GameState& s) {
  if (GetHardwareName(slot, model).empty()) return "Лучше уже не бывает.";
  std::string tip = GetHardwareName(slot, model) + " за $" + std::to_string(GetHardwarePrice(slot, model)) + ".\n";
  tip += "Сейчас: " + GetHardwareName(slot, s.Hw[static_cast<size_t>(slot)]) + ".";
  const std::vector<std::string> needs = NeededBy(slot, model);
  if (!needs.empty()) tip += "\nНужен для: " + Joined(needs, ", ") + ".";
  return tip;
}

std::string SoftwareTip(int slot, int model, const GameState& s) {
  if (GetSoftwareName(slot, model).empty()) return "Лучше уже не бывает.";
  std::string tip = GetSoftwareName(slot, model) + ", бесплатно.";
  const RequirementRow* row = GetRequirementRow(slot, model);
  if (row == nullptr || row->count == 0) return tip;
  tip += "\nНужно:";
  for (int i = 0; i < row->count; ++i) tip += "\n" + ConditionLine(row->conditions[i], s);
  return tip;
}

std::string JobTip(const JobOffer& offer) {
  std::string tip = "Зарплата $" + std::to_string(Life::JobWage(offer.job)) + " в день.";
  std::vector<std::string> needs;
  if (offer.education > 0) needs.push_back("образование от " + std::to_string(offer.education) + "%");
  if (offer.rank > 0) needs.push_back("статус " + Life::StatusName(offer.rank) + " или выше");
  if (offer.os > 0) needs.push_back("ОС не ниже " + GetSoftwareName(kSoftOs, offer.os));
  if (offer.graphics > 0) needs.push_back("графика не ниже " + GetSoftwareName(kSoftGraphics, offer.graphics));
  if (offer.scanner > 0) needs.push_back("сканер не хуже " + GetHardwareName(kHwScanner, offer.scanner));
  if (offer.modem > 0) needs.push_back("модем не хуже " + GetHardwareName(kHwModem, offer.modem));
  if (offer.refusal == nullptr || needs.empty()) return tip + " Берут всех.";
  return tip + "\nНужно: " + Joined(needs, ", ") + ".";
}

}  // namespace kalvitor
