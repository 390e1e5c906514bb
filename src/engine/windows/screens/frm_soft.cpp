#include "windows/screens/frm_soft.h"

#include "life/computer/software_catalogue.h"
#include "life/rules/offers.h"
#include "util/tr.h"
#include "windows/game.h"
#include "windows/screens/action_tips.h"

namespace kalvitor {
namespace {

const char* const kPrefixes[kSoftwareSlots] = {KV_N("ОС - "),      KV_N("Антивирус - "), KV_N("Прог-е - "),
                                               KV_N("Графика - "), KV_N("Интернет - "),  KV_N("Игра - ")};

// Client area 280 x 280 (the SOFT picture).
constexpr int kW = 280, kH = 280;
constexpr int kButtonX = 12, kButtonW = kW - 24, kTop = 40, kRowStep = 33, kButtonH = 28;
constexpr uint32_t kTitle = 0xA0D0FF;  // light blue
constexpr uint32_t kShadow = 0x000000;
constexpr uint32_t kLine = 0xC8C8C8;
constexpr uint32_t kInk = 0x000000;

}  // namespace

FrmSoft::FrmSoft(Game& game) : Form(game, "frmSoft", Tr("Софт")) {
  SetClientSize(kW, kH);
  // The shadow lies 30 twips (2 pixels) to the right and 15 twips (1 pixel) lower.
  AddShadowedTitle("Label4", "cmdUpgraded", Tr("А Вы удалили MS DOS 1.0?"), 6, 8, kW - 12, 22, 12, kTitle, kShadow, 2,
                   1);
  const int frameTop = kTop - 5, frameBottom = kTop + 5 * kRowStep + kButtonH + 4;
  AddLineFrame(6, frameTop, kW - 7, frameBottom, kLine);
  for (const Offer& row : OffersAt(Counter::Software))
    cmdUpgrade.push_back(&AddIndexed(row.control, row.index, ControlKind::Button, row.caption)
                              .At(kButtonX, kTop + row.index * kRowStep, kButtonW, kButtonH)
                              .Font(9)
                              .Color(kInk));
  Control& back = Add("Command8", ControlKind::Button, Tr("Назад")).At((kW - 120) / 2, kH - 36, 120, 26).Color(kInk);
  // Esc leaves the place as "Назад" does.
  SetKeys(nullptr, &back);

  OnClick("cmdUpgrade", [this](int index) { cmdUpgrade_Click(index); });
  OnClick("Command8", [this](int) { Command8_Click(); });
}

// The captions show no price and no requirement; the tips say what each
// program needs and what of it the computer has.
void FrmSoft::FormLoad() {
  for (int slot = 0; slot < kSoftwareSlots; ++slot) {
    const int model = game_.s.Soft[static_cast<size_t>(slot)];
    Control& button = *cmdUpgrade[static_cast<size_t>(slot)];
    const std::string next = GetSoftwareName(slot, model + 1);
    button.SetTip(SoftwareTip(slot, model + 1, game_.s));
    if (!next.empty()) {
      button.SetText(Tr(kPrefixes[slot]) + next);
    } else {
      button.SetText(Tr(kPrefixes[slot]) + GetSoftwareName(slot, model));
      button.SetEnabled(false);
    }
  }
  SetBackground("SOFT");
}

void FrmSoft::FormActivate() {
  for (int slot = 0; slot < kSoftwareSlots; ++slot)
    if (!GetSoftwareName(slot, game_.s.Soft[static_cast<size_t>(slot)] + 1).empty())
      cmdUpgrade[static_cast<size_t>(slot)]->SetEnabled(true);
  FormLoad();
}

// Installs the model after the slot's current one, whatever the caption says.
void FrmSoft::cmdUpgrade_Click(int index) {
  if (const Offer* row = FindOffer(Counter::Software, "cmdUpgrade", index)) game_.TakeOffer(*row);
  if (Loaded()) FormLoad();
}

void FrmSoft::Command8_Click() {
  game_.PlaySfx("BUTTONS");
  Hide();
}

}  // namespace kalvitor
