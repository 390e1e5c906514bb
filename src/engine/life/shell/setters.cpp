// The setters of the main window's own values: money, difficulty, speed and
// the downloaded megabytes.
#include "life/life.h"

namespace kalvitor {

void Life::SetMoney(int32_t amount, MoneyCause cause, const std::string& what) {
  const int32_t before = s.Money;
  state_.Money = amount;
  View().Changed(Fact::Money);
  NoteMoney(before, amount, cause, what);
}

void Life::SetDifficulty(int16_t level) {
  struct Level {
    int16_t winMoney;
    int16_t code;
  };
  // By the level list's order: easy, normal, hard.
  static const Level kLevels[3] = {{5000, 2}, {10000, 1}, {30000, 0}};
  View().LoadMainWindow();
  if (level < 0 || level > 2) return;
  state_.WinMoney = kLevels[level].winMoney;
  state_.DifficultyCode = kLevels[level].code;
  View().Changed(Fact::Difficulty);
}

void Life::SetSpeed(int16_t minutes) {
  state_.TickMinutes = minutes;
  View().Changed(Fact::Speed);
}

void Life::SetDownloadedMb(int16_t value) {
  state_.DownloadedMb = value;
  View().Changed(Fact::DownloadedMb);
}

}  // namespace kalvitor
