#include "windows/screens/frm_hard.h"

#include "life/computer/hardware_catalogue.h"
#include "life/rules/offers.h"
#include "util/tr.h"
#include "windows/game.h"
#include "windows/screens/action_tips.h"

namespace kalvitor {
namespace {

// Client area 239 x 383 (the HARD picture): a tall, narrow column. Captions
// such as "Сканер - ProfScan S450 A0 14000 dpi SCSI - $14500" are wider than
// the window, so the buttons are two text lines tall; so is the title.
constexpr int kW = 239, kH = 383;
constexpr int kButtonX = 8, kButtonW = kW - 16, kTop = 44, kRowStep = 34, kButtonH = 31;
constexpr uint32_t kTitle = 0xFFC080;  // light orange
constexpr uint32_t kShadow = 0x000000;
constexpr uint32_t kLine = 0xC8C8C8;
constexpr uint32_t kInk = 0x000000;

std::string OfferCaption(int slot, int model) {
  return GetHardwareSlotName(slot) + " - " + GetHardwareName(slot, model) + " - $" +
         std::to_string(GetHardwarePrice(slot, model));
}

}  // namespace

FrmHard::FrmHard(Game& game) : Form(game, "frmHard", Tr("Железо")) {
  SetClientSize(kW, kH);
  // The shadow lies 30 twips (2 pixels) lower and to the right.
  AddShadowedTitle("Label4", "Label3", Tr("Железо оно и на Тайване железо"), 4, 3, kW - 8, 34, 10, kTitle, kShadow, 2,
                   2);
  // A frame of four lines around the buttons.
  const int frameTop = kTop - 4, frameBottom = kTop + 8 * kRowStep + kButtonH + 3;
  AddLineFrame(4, frameTop, kW - 5, frameBottom, kLine);
  for (const Offer& row : OffersAt(Counter::Hardware))
    cmdUpggrade.push_back(&AddIndexed(row.control, row.index, ControlKind::Button, row.caption)
                               .At(kButtonX, kTop + row.index * kRowStep, kButtonW, kButtonH)
                               .Font(8)
                               .Color(kInk));
  Control& back = Add("Command8", ControlKind::Button, Tr("Назад")).At((kW - 110) / 2, kH - 29, 110, 25).Color(kInk);
  // Esc leaves the place as "Назад" does.
  SetKeys(nullptr, &back);

  OnClick("cmdUpggrade", [this](int index) { cmdUpggrade_Click(index); });
  OnClick("Command8", [this](int) { Command8_Click(); });
}

// A button is never enabled again here: a purchase only moves a slot up, and
// every opening loads the screen afresh with all buttons enabled.
void FrmHard::FormLoad() {
  for (int slot = 0; slot < kHardwareSlots; ++slot) {
    const int model = game_.s.Hw[static_cast<size_t>(slot)];
    Control& button = *cmdUpggrade[static_cast<size_t>(slot)];
    button.SetTip(HardwareTip(slot, model + 1, game_.s));
    if (!GetHardwareName(slot, model + 1).empty()) {
      button.SetText(OfferCaption(slot, model + 1));
    } else {
      button.SetText(OfferCaption(slot, model));
      button.SetEnabled(false);
    }
  }
  SetBackground("HARD");
}

// Buys the slot's next model at its price.
void FrmHard::cmdUpggrade_Click(int index) {
  if (const Offer* row = FindOffer(Counter::Hardware, "cmdUpggrade", index)) game_.TakeOffer(*row);
  // The refusal's message box lets the clock run; a new game begun meanwhile
  // has closed this screen, and it stays closed.
  if (Loaded()) FormLoad();
}

void FrmHard::Command8_Click() {
  game_.PlaySfx("BUTTONS");
  Unload();
}

}  // namespace kalvitor
