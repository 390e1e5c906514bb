// Health, satiety and mood and their deaths; the victory.
#include "life/life.h"
#include "util/date.h"
#include "util/text_format.h"
#include "util/tr.h"

namespace kalvitor {
namespace {

// By Vital: the value at or below which the player dies, and the title of
// the box that says so.
struct VitalRule {
  Fact fact;
  int deathAtOrBelow;
  const char* title;
};

const VitalRule kVitals[] = {
    {Fact::Health, -50, "Dr. Green"},
    {Fact::Satiety, -20, KV_N("Желаю тебе быть большим и тольстым")},
    {Fact::Mood, -100, KV_N("Критический уровень настроения")},
};

}  // namespace

void Life::RefreshVital(Vital vital) {
  const VitalRule& rule = kVitals[static_cast<int>(vital)];
  const int16_t value = vital == Vital::Health ? s.Health : vital == Vital::Satiety ? s.Satiety : s.Mood;
  View().Changed(rule.fact);
  if (value <= rule.deathAtOrBelow) Death(vital);
}

void Life::SetHealth(int16_t value) {
  state_.Health = value;
  RefreshVital(Vital::Health);
}

void Life::SetSatiety(int16_t value) {
  state_.Satiety = value;
  RefreshVital(Vital::Satiety);
}

void Life::SetMood(int16_t value) {
  state_.Mood = value;
  RefreshVital(Vital::Mood);
}

void Life::Death(Vital vital) {
  static const char* const kCauses[] = {KV_N("Смерть: здоровье %s%%"), KV_N("Смерть: сытость %s%%"),
                                        KV_N("Смерть: настроение %s%%")};
  const int16_t value = vital == Vital::Health ? s.Health : vital == Vital::Satiety ? s.Satiety : s.Mood;
  ++journal.deathsThisRun;
  Note(JournalKind::Death, FormatText(Tr(kCauses[static_cast<int>(vital)]), {std::to_string(value)}));
  PlaySfx("LOSE");
  std::string text;
  switch (vital) {
    case Vital::Health:
      text = FormatText(Tr("Вы скончались от полученных травм. Время смерти -- %s"), {FormatHMMSS(s.GameTime)});
      break;
    case Vital::Satiety:
      text = Tr("Вы умерли голодной смертью!");
      break;
    case Vital::Mood:
      text = Tr("Вы спрыгнули с 15 этажа и разбились насмерть!!!");
      break;
  }
  // The clock runs while the box is up: another death, or a load, may have
  // begun a game meanwhile, and this one is over already.
  const Guard game = ThisGame();
  MsgBox(text, Tr(kVitals[static_cast<int>(vital)].title), MsgIcon::Information);
  if (game.Over()) return;
  NewGame();
}

bool Life::VictoryConditionHolds() const {
  int sum = 0;
  for (int16_t m : s.HwModels) sum += m;
  return s.Money > s.WinMoney && s.JobIndex == 12 && s.Married == kTrue && s.BankLoan == 0 && sum == 59;
}

void Life::Victory() {
  ++journal.victoriesThisRun;
  Note(JournalKind::Victory, FormatText(Tr("Победа! Деньги: $%s"), {std::to_string(s.Money)}));
  PlaySfx("WIN");
  const Guard game = ThisGame();
  MsgBox(Tr("Вы прошли всю игру"), Tr("Наконец-то"), MsgIcon::Exclamation);
  if (game.Over()) return;
  AppendGamesLog("WIN");
  NewGame();
}

}  // namespace kalvitor
