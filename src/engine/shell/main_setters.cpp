// The setters of the main window's own values: money, difficulty, speed and
// the downloaded megabytes.
#include "game.h"
#include "shell/frm_main.h"

namespace kalvitor {

void Game::SetMoney(int32_t amount, MoneyCause cause) {
  const int32_t before = s.Money;
  s.Money = amount;
  Main().lblMoney.SetText("$" + std::to_string(amount));
  NoteMoney(before, amount, cause);
}

void Game::SetDifficulty(int16_t level) {
  struct Level {
    int16_t winMoney;
    int16_t code;
    const char* label;
  };
  static const Level kLevels[3] = {
      {5000, 2, "Сложность: Лёгкая"}, {10000, 1, "Сложность: Нормальная"}, {30000, 0, "Сложность: Сложная"}};
  FrmMain& m = Main();
  if (level < 0 || level > 2) return;
  s.WinMoney = kLevels[level].winMoney;
  s.DifficultyCode = kLevels[level].code;
  m.lblGameLevel.SetText(kLevels[level].label);
}

void Game::SetSpeed(int16_t minutes) {
  s.TickMinutes = minutes;
  const char* text = minutes == 15   ? "Скорость игры: Медленная"
                     : minutes == 30 ? "Скорость игры: Нормальная"
                     : minutes == 60 ? "Скорость игры: Быстрая"
                                     : nullptr;
  if (text != nullptr) Main().lblGameSpeed.SetText(text);
}

void Game::SetDownloadedMb(int16_t value) {
  s.DownloadedMb = value;
  Main().lblOther.SetText(std::to_string(value) + " Мб");
}

}  // namespace kalvitor
