#include "windows/screens/frm_hospital.h"

#include "util/int_math.h"
#include "windows/game.h"
#include "windows/screens/action_tips.h"

namespace kalvitor {
namespace {

// The letter h in the captions stands for the mood.
constexpr Treatment kTreatments[] = {
    {"Command1", "Полный курс - +50% - $250", 250, 50, false, 0, false},
    {"Command2", "Лекарства - +15% - $100", 100, 15, false, 0, false},
    {"Command3", "Вывих - +2% - $20", 20, 2, false, 0, false},
    {"Command4", "Осмотр - +0% - $2", 2, 0, false, 0, false},
    {"Command5", "Роды - + 75% - 50%h - $250", 250, 75, true, -50, true},
    {"Command6", "Выпить водки  - +10 - $20", 20, 10, false, 0, false},
    {"Command7", "Выпить спирта+10 +10h $25", 25, 10, true, 10, false},
};

// Client area 232 x 248 (the HOSP picture): a narrow column of treatments.
constexpr int kW = 232, kH = 248;
constexpr int kButtonX = 10, kButtonW = kW - 20, kTop = 46, kRowStep = 24, kButtonH = 22;
constexpr uint32_t kTitle = 0xFFE6A0;
constexpr uint32_t kShadow = 0x000000;
constexpr uint32_t kText = 0xFFFFFF;
constexpr uint32_t kInk = 0x000000;

}  // namespace

std::span<const Treatment> Treatments() { return kTreatments; }

FrmHospital::FrmHospital(Game& game) : Form(game, "frmHospital", "Госпиталь") {
  SetClientSize(kW, kH);
  AddShadowedTitle("Label4", "Label3", "Лечиться -- не учиться!", 4, 4, kW - 8, 20, 10, kTitle, kShadow, 2, 2);
  Add("Label1", ControlKind::Label, "Без взяток:").At(kButtonX, 27, 140, 17).Font(9, true).Color(kText);
  int row = 0;
  for (const Treatment& t : kTreatments) {
    Add(t.button, ControlKind::Button, t.caption)
        .At(kButtonX, kTop + row * kRowStep, kButtonW, kButtonH)
        .Font(8)
        .Color(kInk)
        .Tip(EffectTip({{"здоровье", t.health}, {"настроение", t.changesMood ? t.mood : 0}}, t.price));
    OnClick(t.button, [this, &t](int) { Buy(t); });
    ++row;
  }
  Control& back = Add("Command8", ControlKind::Button, "Назад").At((kW - 110) / 2, kH - 29, 110, 24).Color(kInk);
  // Esc leaves the place as "Назад" does.
  SetKeys(nullptr, &back);
  OnClick("Command8", [this](int) { Command8_Click(); });
}

void FrmHospital::FormLoad() { SetBackground("HOSP"); }

void FrmHospital::Buy(const Treatment& t) {
  game_.PlaySfx("BUTTONS");
  if (game_.s.Money < t.price) {
    game_.MsgBox("Доктор Картер: Извините, но мы лечем только за деньги", "Центральная клиническая больница",
                 MsgIcon::Information);
    return;
  }
  // Health, then the mood, then the bill: each vital runs its death check,
  // and a death starts a new game that must not pay for this treatment.
  const Guard game = game_.ThisGame();
  game_.SetHealth(Sat16(int64_t{game_.s.Health} + t.health));
  if (game.Over()) return;
  if (t.changesMood) {
    game_.SetMood(Sat16(int64_t{game_.s.Mood} + t.mood));
    if (game.Over()) return;
  }
  game_.SetMoney(Sat32(int64_t{game_.s.Money} - t.price), MoneyCause::Hospital);
  if (t.nurseNews) game_.MsgBox("Альфред Бурмистер: Поздравляю! У тебя -- Юниор!!!", "Медсестра", MsgIcon::Information);
}

void FrmHospital::Command8_Click() {
  game_.PlaySfx("BUTTONS");
  Hide();
}

}  // namespace kalvitor
