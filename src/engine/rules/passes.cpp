// What the clock runs as each game hour and each game day ends.
#include "game.h"
#include "network/frm_network.h"
#include "screens/frm_education.h"
#include "screens/frm_virus.h"
#include "util/date.h"
#include "util/int_math.h"

namespace kalvitor {

void Game::HourlyPass() {
  NetworkForm().Load();
  TrafficEvent();
}

void Game::DailyPass() {
  const uint64_t serial = gameSerial_;

  rnd.ReseedWithDraw(50);
  if (rnd.DrawInt(50) == 21 && s.Soft[0] > 0) {
    FrmVirus& virus = VirusForm();
    Note(JournalKind::MsgBox, "«" + virus.Caption() + "» " + virus.Find("Label1")->Text());
    virus.ShowModal();
  }

  if (s.AttendsSchool == kTrue && s.Education < 100 && CivilFromSerial(s.GameDate).day % 2 == 0) {
    SetEducation(Sat16(int64_t{s.Education} + 1));
  } else if (s.Education == 100 && s.AttendsSchool == kTrue) {
    s.AttendsSchool = kFalse;
    MsgBox("Вы имеете два высших образования!", "Поздравляем!", MsgIcon::Information);
    FrmEducation& school = EducationForm();
    school.Load();
    school.Command1.SetEnabled(false);
  }

  DailyEvents(false);
  if (gameSerial_ != serial) return;
  SetMoney(Sat32(int64_t{s.Money} + s.Wage), MoneyCause::Wage);
  TakeDailySample();
}

void Game::TrafficEvent() {
  if (s.InternetConnected == kTrue) s.ConnectedHours = Sat16(int64_t{s.ConnectedHours} + 1);
}

void Game::YearlyPass() {
  struct Tax {
    int rate;
    int mood;
  };
  const Tax tax = s.DifficultyCode == 0 ? Tax{50, 20} : s.DifficultyCode == 1 ? Tax{25, 10} : Tax{10, 5};
  const uint64_t serial = gameSerial_;
  PlaySfx("YEARUP");
  int64_t t = DivRoundHalfEven(int64_t{s.Money} * tax.rate, 100);
  ShowMessage("Сообщение от Налогового Инспектора: Пора платить налоги!!! Вы заплатили " + std::to_string(t) +
              " долларов");
  SetMood(Sat16(int64_t{s.Mood} - tax.mood));
  if (gameSerial_ != serial) return;
  t = DivRoundHalfEven(int64_t{s.Money} * tax.rate, 100);
  SetMoney(Sat32(int64_t{s.Money} - t), MoneyCause::Tax);
}

}  // namespace kalvitor
