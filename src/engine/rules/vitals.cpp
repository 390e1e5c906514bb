// Health, satiety and mood: their labels, colours and deaths; the victory.
#include "game.h"
#include "shell/frm_main.h"
#include "util/date.h"

namespace kalvitor {
namespace {

struct VitalRule {
  const char* label;
  int redBelow;
  int deathAtOrBelow;
  const char* title;
};

const VitalRule kVitals[] = {
    {"lblHealth", -30, -50, "Dr. Green"},
    {"lblEat", -10, -20, "Желаю тебе быть большим и тольстым"},
    {"lblHappy", -75, -100, "Критический уровень настроения"},
};

}  // namespace

void Game::RefreshVital(Vital vital) {
  const VitalRule& rule = kVitals[static_cast<int>(vital)];
  int16_t value = vital == Vital::Health ? s.Health : vital == Vital::Satiety ? s.Satiety : s.Mood;
  Control* label = Main().Find(rule.label);
  label->SetText(std::to_string(value) + "%");
  label->SetColor(value < rule.redBelow ? kRed : kLightCyan);
  if (value <= rule.deathAtOrBelow) Death(vital);
}

void Game::SetHealth(int16_t value) {
  s.Health = value;
  RefreshVital(Vital::Health);
}

void Game::SetSatiety(int16_t value) {
  s.Satiety = value;
  RefreshVital(Vital::Satiety);
}

void Game::SetMood(int16_t value) {
  s.Mood = value;
  RefreshVital(Vital::Mood);
}

void Game::Death(Vital vital) {
  static const char* const kCauses[] = {"здоровье", "сытость", "настроение"};
  const int16_t value = vital == Vital::Health ? s.Health : vital == Vital::Satiety ? s.Satiety : s.Mood;
  ++journal.deathsThisRun;
  Note(JournalKind::Death,
       std::string("Смерть: ") + kCauses[static_cast<int>(vital)] + " " + std::to_string(value) + "%");
  PlaySfx("LOSE");
  std::string text;
  switch (vital) {
    case Vital::Health:
      text = "Вы скончались от полученных травм. Время смерти -- " + FormatHMMSS(s.GameTime);
      break;
    case Vital::Satiety:
      text = "Вы умерли голодной смертью!";
      break;
    case Vital::Mood:
      text = "Вы спрыгнули с 15 этажа и разбились насмерть!!!";
      break;
  }
  MsgBox(text, kVitals[static_cast<int>(vital)].title, MsgIcon::Information);
  NewGame();
}

bool Game::VictoryConditionHolds() const {
  int sum = 0;
  for (int16_t m : s.HwModels) sum += m;
  return s.Money > s.WinMoney && s.JobIndex == 12 && s.Married == kTrue && s.BankLoan == 0 && sum == 59;
}

void Game::Victory() {
  ++journal.victoriesThisRun;
  Note(JournalKind::Victory, "Победа! Деньги: $" + std::to_string(s.Money));
  PlaySfx("WIN");
  MsgBox("Вы прошли всю игру", "Наконец-то", MsgIcon::Exclamation);
  AppendGamesLog("WIN");
  NewGame();
}

}  // namespace kalvitor
