#include "windows/screens/action_tips.h"

#include <vector>

#include "life/computer/hardware_catalogue.h"
#include "life/computer/software_catalogue.h"
#include "life/life.h"
#include "life/rules/job_offers.h"
#include "life/rules/offers.h"
#include "util/text.h"
#include "util/text_format.h"
#include "util/tr.h"

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
  const std::string what =
      c.hardware ? FormatText(Tr("%s не хуже %s"), {GetHardwareSlotName(c.slot), GetHardwareName(c.slot, c.model)})
      : c.exact  ? FormatText(Tr("ОС только %s"), {GetSoftwareName(c.slot, c.model)})
                 : FormatText(Tr("ОС не ниже %s"), {GetSoftwareName(c.slot, c.model)});
  return FormatText(Meets(c, s) ? Tr("· %s — есть") : Tr("· %s — нет"), {what});
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
      needs.push_back(FormatText(Tr("работы «%s»"), {Tr(Life::JobTitle(job.job))}));
  return needs;
}

}  // namespace

std::string EffectTip(const Offer& row) {
  std::vector<std::string> said;
  for (const Change& c : row.changes) {
    const char* what = c.kind == Change::Satiety  ? Tr("сытость %s%%")
                       : c.kind == Change::Health ? Tr("здоровье %s%%")
                       : c.kind == Change::Mood   ? Tr("настроение %s%%")
                                                  : nullptr;
    const int delta = c.amount.normal;  // a place's changes are the same at every level
    if (what != nullptr && delta != 0) said.push_back(FormatText(what, {Signed(delta)}));
  }
  const std::string changes = said.empty() ? Tr("ничего не меняет") : Joined(said, ", ");
  return FormatText(Tr("%s. Цена $%s."), {Capitalized(changes), std::to_string(row.price)});
}

std::string HardwareTip(int slot, int model, const GameState& s) {
  if (GetHardwareName(slot, model).empty()) return Tr("Лучше уже не бывает.");
  std::string tip = FormatText(Tr("%s за $%s.\nСейчас: %s."),
                               {GetHardwareName(slot, model), std::to_string(GetHardwarePrice(slot, model)),
                                GetHardwareName(slot, s.Hw[static_cast<size_t>(slot)])});
  const std::vector<std::string> needs = NeededBy(slot, model);
  if (!needs.empty()) tip += FormatText(Tr("\nНужен для: %s."), {Joined(needs, ", ")});
  return tip;
}

std::string SoftwareTip(int slot, int model, const GameState& s) {
  if (GetSoftwareName(slot, model).empty()) return Tr("Лучше уже не бывает.");
  std::string tip = FormatText(Tr("%s, бесплатно."), {GetSoftwareName(slot, model)});
  const RequirementRow* row = GetRequirementRow(slot, model);
  if (row == nullptr || row->count == 0) return tip;
  tip += Tr("\nНужно:");
  for (int i = 0; i < row->count; ++i) tip += "\n" + ConditionLine(row->conditions[i], s);
  return tip;
}

std::string JobTip(const JobOffer& offer) {
  const std::string tip = FormatText(Tr("Зарплата $%s в день."), {std::to_string(Life::JobWage(offer.job))});
  std::vector<std::string> needs;
  auto need = [&needs](const char* pattern, const std::string& what) { needs.push_back(FormatText(pattern, {what})); };
  if (offer.education > 0) need(Tr("образование от %s%%"), std::to_string(offer.education));
  if (offer.rank > 0) need(Tr("статус %s или выше"), Tr(Life::StatusName(offer.rank)));
  if (offer.os > 0) need(Tr("ОС не ниже %s"), GetSoftwareName(kSoftOs, offer.os));
  if (offer.graphics > 0) need(Tr("графика не ниже %s"), GetSoftwareName(kSoftGraphics, offer.graphics));
  if (offer.scanner > 0) need(Tr("сканер не хуже %s"), GetHardwareName(kHwScanner, offer.scanner));
  if (offer.modem > 0) need(Tr("модем не хуже %s"), GetHardwareName(kHwModem, offer.modem));
  if (offer.refusal == nullptr || needs.empty()) return tip + Tr(" Берут всех.");
  return tip + FormatText(Tr("\nНужно: %s."), {Joined(needs, ", ")});
}

}  // namespace kalvitor
