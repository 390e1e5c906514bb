#include "windows/screens/frm_shop.h"

#include "life/rules/offers.h"
#include "windows/game.h"
#include "windows/screens/action_tips.h"

namespace kalvitor {
namespace {

// Client area 317 x 247 (the SHOP picture).
constexpr int kW = 317, kH = 247;
constexpr int kButtonX = 24, kButtonW = kW - 48, kTop = 60, kRowStep = 29, kButtonH = 25;
constexpr uint32_t kTitle = 0xFFE6A0;
constexpr uint32_t kShadow = 0x000000;
constexpr uint32_t kText = 0xFFFFFF;
constexpr uint32_t kInk = 0x000000;

}  // namespace

FrmShop::FrmShop(Game& game) : Form(game, "frmShop", "Магазин") {
  SetClientSize(kW, kH);
  AddShadowedTitle("Label4", "Label3", "What are you wating for...", 6, 6, kW - 12, 24, 12, kTitle, kShadow, 2, 2);
  Add("Label1", ControlKind::Label, "Заправка").At(kButtonX, 36, 160, 18).Font(9, true).Color(kText);
  int row = 0;
  for (const Offer& meal : OffersAt(Counter::Shop)) {
    Add(meal.control, ControlKind::Button, meal.caption)
        .At(kButtonX, kTop + row * kRowStep, kButtonW, kButtonH)
        .Font(9)
        .Color(kInk)
        .Tip(EffectTip(meal));
    OnClick(meal.control, [this, &meal](int) { game_.TakeOffer(meal); });
    ++row;
  }
  Control& back = Add("Command8", ControlKind::Button, "Назад").At((kW - 120) / 2, kH - 34, 120, 26).Color(kInk);
  // Esc leaves the place as "Назад" does.
  SetKeys(nullptr, &back);
  OnClick("Command8", [this](int) { Command8_Click(); });
}

void FrmShop::FormLoad() { SetBackground("SHOP"); }

void FrmShop::Command8_Click() {
  game_.PlaySfx("BUTTONS");
  Hide();
}

}  // namespace kalvitor
