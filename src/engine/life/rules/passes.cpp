// What the clock runs as each game hour and each game day ends.
#include "life/life.h"
#include "util/date.h"
#include "util/int_math.h"
#include "util/text_format.h"
#include "util/tr.h"

namespace kalvitor {

void Life::HourlyPass() {
  View().HourPassed();
  TrafficEvent();
}

void Life::DailyPass() {
  const Guard game = ThisGame();

  rnd.ReseedWithDraw(50);
  if (rnd.DrawInt(50) == 21 && s.Soft[kSoftOs] > 0) {
    View().VirusAttack();
    if (game.Over()) return;
  }

  if (s.AttendsSchool == kTrue && s.Education < 100 && CivilFromSerial(s.GameDate).day % 2 == 0) {
    SetEducation(Sat16(int64_t{s.Education} + 1));
  } else if (s.Education == 100 && s.AttendsSchool == kTrue) {
    state_.AttendsSchool = kFalse;
    MsgBox(Tr("Вы имеете два высших образования!"), Tr("Поздравляем!"), MsgIcon::Information);
    if (game.Over()) return;
    View().StudiesOver(Studies::School);
  }

  DailyEvents(false);
  if (game.Over()) return;
  SetMoney(Sat32(int64_t{s.Money} + s.Wage), MoneyCause::Wage);
  TakeDailySample();
}

void Life::TrafficEvent() {
  if (s.InternetConnected == kTrue) state_.ConnectedHours = Sat16(int64_t{s.ConnectedHours} + 1);
}

void Life::YearlyPass() {
  struct Tax {
    int rate;
    int mood;
  };
  const Tax tax = s.DifficultyCode == 0 ? Tax{50, 20} : s.DifficultyCode == 1 ? Tax{25, 10} : Tax{10, 5};
  const Guard game = ThisGame();
  PlaySfx("YEARUP");
  int64_t t = DivRoundHalfEven(int64_t{s.Money} * tax.rate, 100);
  ShowMessage(FormatText(Tr("Сообщение от Налогового Инспектора: Пора платить налоги!!! Вы заплатили %s долларов"),
                         {std::to_string(t)}));
  if (game.Over()) return;
  SetMood(Sat16(int64_t{s.Mood} - tax.mood));
  if (game.Over()) return;
  t = DivRoundHalfEven(int64_t{s.Money} * tax.rate, 100);
  SetMoney(Sat32(int64_t{s.Money} - t), MoneyCause::Tax);
}

}  // namespace kalvitor
