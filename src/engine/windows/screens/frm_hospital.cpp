#include "windows/screens/frm_hospital.h"

#include "life/rules/offers.h"
#include "windows/game.h"
#include "windows/screens/action_tips.h"

namespace kalvitor {
namespace {

// Client area 232 x 248 (the HOSP picture): a narrow column of treatments.
constexpr int kW = 232, kH = 248;
constexpr int kButtonX = 10, kButtonW = kW - 20, kTop = 46, kRowStep = 24, kButtonH = 22;
constexpr uint32_t kTitle = 0xFFE6A0;
constexpr uint32_t kShadow = 0x000000;
constexpr uint32_t kText = 0xFFFFFF;
constexpr uint32_t kInk = 0x000000;

}  // namespace

FrmHospital::FrmHospital(Game& game) : Form(game, "frmHospital", "Госпиталь") {
  SetClientSize(kW, kH);
  AddShadowedTitle("Label4", "Label3", "Лечиться -- не учиться!", 4, 4, kW - 8, 20, 10, kTitle, kShadow, 2, 2);
  Add("Label1", ControlKind::Label, "Без взяток:").At(kButtonX, 27, 140, 17).Font(9, true).Color(kText);
  int row = 0;
  for (const Offer& t : OffersAt(Counter::Hospital)) {
    Add(t.control, ControlKind::Button, t.caption)
        .At(kButtonX, kTop + row * kRowStep, kButtonW, kButtonH)
        .Font(8)
        .Color(kInk)
        .Tip(EffectTip(t));
    OnClick(t.control, [this, &t](int) { game_.TakeOffer(t); });
    ++row;
  }
  Control& back = Add("Command8", ControlKind::Button, "Назад").At((kW - 110) / 2, kH - 29, 110, 24).Color(kInk);
  // Esc leaves the place as "Назад" does.
  SetKeys(nullptr, &back);
  OnClick("Command8", [this](int) { Command8_Click(); });
}

void FrmHospital::FormLoad() { SetBackground("HOSP"); }

void FrmHospital::Command8_Click() {
  game_.PlaySfx("BUTTONS");
  Hide();
}

}  // namespace kalvitor
