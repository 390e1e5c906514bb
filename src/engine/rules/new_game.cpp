// A new game: the name dialog, the starting values, the empty computer.
#include "game.h"
#include "shell/frm_main.h"
#include "shell/frm_player_name.h"

namespace kalvitor {

PlayerNameAnswer Game::AskPlayerName() {
  // Every window but the main one closes, hidden ones included; each is
  // loaded afresh the next time it is opened.
  std::vector<Form*> open = loaded_;
  for (Form* f : open)
    if (f != main_.get()) f->Unload();

  FrmPlayerName& dialog = *playerName_;
  dialog.ResetAnswer();
  dialog.ShowModal();
  SetDifficulty(static_cast<int16_t>(dialog.ChosenLevel()));
  return PlayerNameAnswer{dialog.ChosenName(), dialog.LeftByLoading()};
}

void Game::NewGame() {
  ++gameSerial_;
  const uint64_t mine = ++newGames_;
  PlayerNameAnswer answer = AskPlayerName();
  // Loaded instead, or a game loaded from the dialog died and another new
  // game already began inside this one's dialog.
  if (answer.loadedGame || newGames_ != mine) return;
  if (answer.name.empty()) port.EndProgram();

  s.PlayerName = answer.name;
  Main().SetCaption("Brindlex Kalvitor 1.6 -- " + answer.name);

  QuietSetUp quiet(*this);
  SetMoney(450, MoneyCause::NewGame);
  SetMood(25);
  SetJob(0);
  SetSatiety(75);
  SetHealth(40);
  SetSpeed(30);
  SetDownloadedMb(0);
  SetStatus(1);
  SetEducation(20);
  SetDownloadedMb(0);
  RefreshFamilyLabel();

  // A new game begins at the real moment it is started.
  WallClock now = port.Now();
  s.GameTime = static_cast<int>(now.millisOfDay / 60000);
  s.GameDate = now.date;

  for (int16_t slot = 0; slot < kHardwareSlots; ++slot) BuyHardware(slot, 0, kFalse);
  for (int16_t slot = 0; slot < kSoftwareSlots; ++slot) InstallSoftware(slot, 0);

  AppendGamesLog("CREATED");
  journal.BeginLife(s.GameDate, s.Money);
  static const char* const kLevels[] = {"сложная", "нормальная", "лёгкая"};
  Note(JournalKind::Game, "Новая игра: " + s.PlayerName + ", сложность " +
                              kLevels[s.DifficultyCode >= 0 && s.DifficultyCode <= 2 ? s.DifficultyCode : 1] + ", $" +
                              std::to_string(s.Money));
  Main().Show();
}

}  // namespace kalvitor
