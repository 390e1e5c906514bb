#include "windows/screens/frm_education.h"

#include "windows/game.h"
#include "windows/screens/action_tips.h"

namespace kalvitor {
namespace {

// Client area 318 x 303 (the EDUC picture): each programme's explanation
// with its button underneath, the back button at the bottom.
constexpr int kW = 318, kH = 303;
constexpr int kX = 12, kTextW = kW - 24;
constexpr uint32_t kTitle = 0xFFE6A0;
constexpr uint32_t kShadow = 0x000000;
constexpr uint32_t kText = 0xFFFFFF;
constexpr uint32_t kInk = 0x000000;

// True becomes False, anything else becomes True.
int16_t TurnOver(int16_t flag) { return flag == kTrue ? kFalse : kTrue; }

}  // namespace

FrmEducation::FrmEducation(Game& game)
    : Form(game, "frmEducation", "Повышение квалификации"),
      Command2(Add("Command2", ControlKind::Button, "Ходить на комп. курсы - +1 к комп. зн. - $75")),
      Command1(Add("Command1", ControlKind::Button, "Ходить в школу - +10 к обр.  - $50")) {
  SetClientSize(kW, kH);
  AddShadowedTitle("Label4", "Label3", "Школа... Без неё -- никуда...", 6, 6, kW - 12, 24, 11, kTitle, kShadow, 2, 2);
  Add("Label2", ControlKind::Label,
      "Если Вы начнёте ходить на компьютерные курсы, то Ваш статус будет увеличиваться на один уровень каждый "
      "месяц. Оплата за курсы взымается ежемесячно по $75")
      .At(kX, 38, kTextW, 66)
      .Font(8)
      .Color(kText);
  Command2.At(kX, 106, kTextW, 26).Font(9).Color(kInk);
  Add("Label1", ControlKind::Label,
      "Если вы начнёте ходить в школу, то Ваш уровень образования будет увеличиваться на 10% каждый месяц. "
      "Оплата за обучение взымается ежемесячно по $50.")
      .At(kX, 142, kTextW, 66)
      .Font(8)
      .Color(kText);
  Command1.At(kX, 210, kTextW, 26).Font(9).Color(kInk);
  Control& back = Add("Command8", ControlKind::Button, "Назад").At((kW - 120) / 2, kH - 38, 120, 26).Color(kInk);
  // Esc leaves the place as "Назад" does.
  SetKeys(nullptr, &back);

  OnClick("Command2", [this](int) { Command2_Click(); });
  OnClick("Command1", [this](int) { Command1_Click(); });
  OnClick("Command8", [this](int) { Command8_Click(); });
}

void FrmEducation::FormLoad() {
  const bool courses = game_.s.AttendsCourses == kTrue, school = game_.s.AttendsSchool == kTrue;
  Command2.SetText(courses ? "Бросить эти курсы" : "Ходить на курсы");
  Command1.SetText(school ? "Бросить эту школу" : "Ходить в школу");
  // What the studies give by the monthly and daily passes, in our words.
  Command2.SetTip(courses ? "Бросить курсы: статус больше не растёт, платить $75 в месяц больше не надо."
                          : "Статус +1 каждый месяц, пока не станет PROF. Плата $75 в месяц.");
  Command1.SetTip(school ? "Бросить школу: образование больше не растёт, платить $50 в месяц больше не надо."
                         : "Образование +1% в каждый чётный день месяца, до 100%. Плата $50 в месяц.");
  SetBackground("EDUC");
}

// Enrolling costs nothing now and is allowed with any money; the fees come
// monthly.
void FrmEducation::Command2_Click() {
  game_.PlaySfx("BUTTONS");
  game_.s.AttendsCourses = TurnOver(game_.s.AttendsCourses);
  FormLoad();
}

void FrmEducation::Command1_Click() {
  game_.PlaySfx("BUTTONS");
  game_.s.AttendsSchool = TurnOver(game_.s.AttendsSchool);
  FormLoad();
}

void FrmEducation::Command8_Click() {
  game_.PlaySfx("BUTTONS");
  Hide();
}

}  // namespace kalvitor
