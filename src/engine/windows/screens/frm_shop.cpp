#include "windows/screens/frm_shop.h"

#include "util/int_math.h"
#include "windows/game.h"
#include "windows/screens/action_tips.h"

namespace kalvitor {
namespace {

// The letter h in the captions stands for the mood.
constexpr Meal kMeals[] = {
    {"Command1", "Биг-Мак с сыром - +10% - $15", 15, 10, 0, false},
    {"Command2", "Хэппи-Мил с детьми +20%-$45- -15%h", 45, 20, -15, true},
    {"Command3", "Альпен Гольд с Нескафе - +50 $120", 120, 50, 0, false},
    {"Command4", "Яичница с чесноком +15%-$10-20%h", 10, 15, -20, false},
    {"Command5", "Просто нормально пожрать +75%-$60", 60, 75, 0, false},
};

// Client area 317 x 247 (the SHOP picture).
constexpr int kW = 317, kH = 247;
constexpr int kButtonX = 24, kButtonW = kW - 48, kTop = 60, kRowStep = 29, kButtonH = 25;
constexpr uint32_t kTitle = 0xFFE6A0;
constexpr uint32_t kShadow = 0x000000;
constexpr uint32_t kText = 0xFFFFFF;
constexpr uint32_t kInk = 0x000000;

}  // namespace

std::span<const Meal> Meals() { return kMeals; }

FrmShop::FrmShop(Game& game) : Form(game, "frmShop", "Магазин") {
  SetClientSize(kW, kH);
  AddShadowedTitle("Label4", "Label3", "What are you wating for...", 6, 6, kW - 12, 24, 12, kTitle, kShadow, 2, 2);
  Add("Label1", ControlKind::Label, "Заправка").At(kButtonX, 36, 160, 18).Font(9, true).Color(kText);
  int row = 0;
  for (const Meal& meal : kMeals) {
    Add(meal.button, ControlKind::Button, meal.caption)
        .At(kButtonX, kTop + row * kRowStep, kButtonW, kButtonH)
        .Font(9)
        .Color(kInk)
        .Tip(EffectTip({{"сытость", meal.satiety}, {"настроение", meal.mood}}, meal.price));
    OnClick(meal.button, [this, &meal](int) { Buy(meal); });
    ++row;
  }
  Control& back = Add("Command8", ControlKind::Button, "Назад").At((kW - 120) / 2, kH - 34, 120, 26).Color(kInk);
  // Esc leaves the place as "Назад" does.
  SetKeys(nullptr, &back);
  OnClick("Command8", [this](int) { Command8_Click(); });
}

void FrmShop::FormLoad() { SetBackground("SHOP"); }

void FrmShop::Buy(const Meal& meal) {
  if (!meal.clickAfterMoneyTest) game_.PlaySfx("BUTTONS");
  if (game_.s.Money < meal.price) {
    game_.MsgBox("Шеф-Повор: А ну убирайся отсюда!!!!!!", "Идиот!", MsgIcon::Information);
    return;
  }
  if (meal.clickAfterMoneyTest) game_.PlaySfx("BUTTONS");
  // Satiety first, then the bill, then the mood; a death on the way starts a
  // new game, which must not pay for this meal.
  const Guard game = game_.ThisGame();
  game_.SetSatiety(Sat16(int64_t{game_.s.Satiety} + meal.satiety));
  if (game.Over()) return;
  game_.SetMoney(Sat32(int64_t{game_.s.Money} - meal.price), MoneyCause::Shop);
  if (meal.mood != 0) game_.SetMood(Sat16(int64_t{game_.s.Mood} + meal.mood));
}

void FrmShop::Command8_Click() {
  game_.PlaySfx("BUTTONS");
  Hide();
}

}  // namespace kalvitor
