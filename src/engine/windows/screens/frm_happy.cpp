#include "windows/screens/frm_happy.h"

#include "life/rules/offers.h"
#include "windows/game.h"
#include "windows/screens/action_tips.h"

namespace kalvitor {
namespace {

// Client area 228 x 247 (the HAPPY picture).
constexpr int kW = 228, kH = 247;
constexpr int kButtonX = 14, kButtonW = kW - 28, kTop = 62, kRowStep = 30, kButtonH = 26;
constexpr uint32_t kTitle = 0xFFE6A0;
constexpr uint32_t kShadow = 0x000000;
constexpr uint32_t kText = 0xFFFFFF;
constexpr uint32_t kInk = 0x000000;

}  // namespace

FrmHappy::FrmHappy(Game& game) : Form(game, "frmHappy", "Развлечения") {
  SetClientSize(kW, kH);
  AddShadowedTitle("Label4", "Label3", "Безопастный отдых", 4, 6, kW - 8, 24, 12, kTitle, kShadow, 2, 2);
  Add("Label1", ControlKind::Label, "Что желаете?").At(kButtonX, 38, 160, 18).Font(9, true).Color(kText);
  int row = 0;
  for (const Offer& p : OffersAt(Counter::Entertainment)) {
    Add(p.control, ControlKind::Button, p.caption)
        .At(kButtonX, kTop + row * kRowStep, kButtonW, kButtonH)
        .Font(9)
        .Color(kInk)
        .Tip(EffectTip(p));
    OnClick(p.control, [this, &p](int) { game_.TakeOffer(p); });
    ++row;
  }
  Control& back = Add("Command8", ControlKind::Button, "Назад").At((kW - 110) / 2, kH - 32, 110, 26).Color(kInk);
  // Esc leaves the place as "Назад" does.
  SetKeys(nullptr, &back);
  OnClick("Command8", [this](int) { Command8_Click(); });
}

void FrmHappy::FormLoad() { SetBackground("HAPPY"); }

void FrmHappy::Command8_Click() {
  game_.PlaySfx("BUTTONS");
  Hide();
}

}  // namespace kalvitor
