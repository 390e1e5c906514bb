#include "windows/screens/frm_education.h"

#include "life/rules/offers.h"
#include "util/tr.h"
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

const Offer& Courses() { return OffersAt(Counter::School)[0]; }
const Offer& School() { return OffersAt(Counter::School)[1]; }

}  // namespace

FrmEducation::FrmEducation(Game& game)
    : Form(game, "frmEducation", Tr("Повышение квалификации")),
      coursesButton(Add(Courses().control, ControlKind::Button, Tr(Courses().caption))),
      schoolButton(Add(School().control, ControlKind::Button, Tr(School().caption))) {
  SetClientSize(kW, kH);
  AddShadowedTitle("Label4", "Label3", Tr("Школа... Без неё -- никуда..."), 6, 6, kW - 12, 24, 11, kTitle, kShadow, 2,
                   2);
  Add("Label2", ControlKind::Label,
      Tr("Если Вы начнёте ходить на компьютерные курсы, то Ваш статус будет увеличиваться на один уровень каждый "
         "месяц. Оплата за курсы взымается ежемесячно по $75"))
      .At(kX, 38, kTextW, 66)
      .Font(8)
      .Color(kText);
  coursesButton.At(kX, 106, kTextW, 26).Font(9).Color(kInk);
  Add("Label1", ControlKind::Label,
      Tr("Если вы начнёте ходить в школу, то Ваш уровень образования будет увеличиваться на 10% каждый месяц. "
         "Оплата за обучение взымается ежемесячно по $50."))
      .At(kX, 142, kTextW, 66)
      .Font(8)
      .Color(kText);
  schoolButton.At(kX, 210, kTextW, 26).Font(9).Color(kInk);
  Control& back = Add("Command8", ControlKind::Button, Tr("Назад")).At((kW - 120) / 2, kH - 38, 120, 26).Color(kInk);
  // Esc leaves the place as "Назад" does.
  SetKeys(nullptr, &back);

  OnClick(Courses().control, [this](int) { Command2_Click(); });
  OnClick(School().control, [this](int) { Command1_Click(); });
  OnClick("Command8", [this](int) { Command8_Click(); });
}

void FrmEducation::FormLoad() {
  const bool courses = game_.s.AttendsCourses == kTrue, school = game_.s.AttendsSchool == kTrue;
  coursesButton.SetText(courses ? Tr("Бросить эти курсы") : Tr("Ходить на курсы"));
  schoolButton.SetText(school ? Tr("Бросить эту школу") : Tr("Ходить в школу"));
  // What the studies give by the monthly and daily passes, in our words.
  coursesButton.SetTip(courses ? Tr("Бросить курсы: статус больше не растёт, платить $75 в месяц больше не надо.")
                               : Tr("Статус +1 каждый месяц, пока не станет PROF. Плата $75 в месяц."));
  schoolButton.SetTip(school ? Tr("Бросить школу: образование больше не растёт, платить $50 в месяц больше не надо.")
                             : Tr("Образование +1% в каждый чётный день месяца, до 100%. Плата $50 в месяц."));
  SetBackground("EDUC");
}

// Each turns its studies over; the captions follow.
void FrmEducation::Command2_Click() {
  game_.TakeOffer(Courses());
  if (Loaded()) FormLoad();
}

void FrmEducation::Command1_Click() {
  game_.TakeOffer(School());
  if (Loaded()) FormLoad();
}

void FrmEducation::Command8_Click() {
  game_.PlaySfx("BUTTONS");
  Hide();
}

}  // namespace kalvitor
