#include "windows/screens/frm_happy.h"

#include "util/int_math.h"
#include "windows/game.h"
#include "windows/screens/action_tips.h"

namespace kalvitor {
namespace {

// The casino is a fixed purchase like the others: no chance involved.
constexpr Pastime kPastimes[] = {
    {"Command1", "В казино - +20% - $25", 25, 20}, {"Command2", "В ресторан - +25% - $50", 50, 25},
    {"Command3", "В сауну - +50% - $75", 75, 50},  {"Command4", "5 мин. отдых - +5% - $5", 5, 5},
    {"Command5", "Перерыв - +10% - $15", 15, 10},
};

// Client area 228 x 247 (the HAPPY picture).
constexpr int kW = 228, kH = 247;
constexpr int kButtonX = 14, kButtonW = kW - 28, kTop = 62, kRowStep = 30, kButtonH = 26;
constexpr uint32_t kTitle = 0xFFE6A0;
constexpr uint32_t kShadow = 0x000000;
constexpr uint32_t kText = 0xFFFFFF;
constexpr uint32_t kInk = 0x000000;

}  // namespace

std::span<const Pastime> Pastimes() { return kPastimes; }

FrmHappy::FrmHappy(Game& game) : Form(game, "frmHappy", "Развлечения") {
  SetClientSize(kW, kH);
  AddShadowedTitle("Label4", "Label3", "Безопастный отдых", 4, 6, kW - 8, 24, 12, kTitle, kShadow, 2, 2);
  Add("Label1", ControlKind::Label, "Что желаете?").At(kButtonX, 38, 160, 18).Font(9, true).Color(kText);
  int row = 0;
  for (const Pastime& p : kPastimes) {
    Add(p.button, ControlKind::Button, p.caption)
        .At(kButtonX, kTop + row * kRowStep, kButtonW, kButtonH)
        .Font(9)
        .Color(kInk)
        .Tip(EffectTip({{"настроение", p.mood}}, p.price));
    OnClick(p.button, [this, &p](int) { Buy(p); });
    ++row;
  }
  Control& back = Add("Command8", ControlKind::Button, "Назад").At((kW - 110) / 2, kH - 32, 110, 26).Color(kInk);
  // Esc leaves the place as "Назад" does.
  SetKeys(nullptr, &back);
  OnClick("Command8", [this](int) { Command8_Click(); });
}

void FrmHappy::FormLoad() { SetBackground("HAPPY"); }

void FrmHappy::Buy(const Pastime& p) {
  game_.PlaySfx("BUTTONS");
  const int64_t left = int64_t{game_.s.Money} - p.price;
  if (left <= 0) {
    game_.MsgBox("Вам это не по карману", "Тонкий кошелёк", MsgIcon::Information);
    return;
  }
  game_.SetMoney(Sat32(left), MoneyCause::Entertainment);
  game_.SetMood(Sat16(int64_t{game_.s.Mood} + p.mood));
}

void FrmHappy::Command8_Click() {
  game_.PlaySfx("BUTTONS");
  Hide();
}

}  // namespace kalvitor
