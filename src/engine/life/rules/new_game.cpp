// A new game: the name dialog, the starting values, the empty computer.
#include "life/life.h"
#include "util/text_format.h"
#include "util/tr.h"

namespace kalvitor {

void Life::NewGame(bool overRunningGame) {
  // A game in progress stays this game until the dialog's answer is another
  // one: the player may go back to it.
  if (!overRunningGame) BeginGame();
  newGames_.Begin();
  const Guard thisNewGame = newGames_.Watch();
  const PlayerNameAnswer answer = View().AskPlayerName(overRunningGame);
  if (answer.backToGame && !thisNewGame.Over()) return;
  if (overRunningGame && !answer.loadedGame && !thisNewGame.Over()) BeginGame();
  SetDifficulty(static_cast<int16_t>(answer.level));
  // Loaded instead, or a game loaded from the dialog died and another new
  // game already began inside this one's dialog.
  if (answer.loadedGame || thisNewGame.Over()) return;
  if (answer.name.empty()) port.EndProgram();
  SetUpNewGame(answer.name);
}

void Life::SetUpNewGame(const std::string& name) {
  state_.PlayerName = name;
  View().Changed(Fact::PlayerName);

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
  state_.GameTime = static_cast<int>(now.millisOfDay / 60000);
  state_.GameDate = now.date;

  for (int16_t slot = 0; slot < kHardwareSlots; ++slot) BuyHardware(slot, 0, kFalse);
  for (int16_t slot = 0; slot < kSoftwareSlots; ++slot) InstallSoftware(slot, 0);

  AppendGamesLog("CREATED");
  journal.BeginLife(s.GameDate, s.Money);
  static const char* const kLevels[] = {KV_N("Новая игра: %s, сложность сложная, $%s"),
                                        KV_N("Новая игра: %s, сложность нормальная, $%s"),
                                        KV_N("Новая игра: %s, сложность лёгкая, $%s")};
  Note(JournalKind::Game, FormatText(Tr(kLevels[s.DifficultyCode >= 0 && s.DifficultyCode <= 2 ? s.DifficultyCode : 1]),
                                     {s.PlayerName, std::to_string(s.Money)}));
  View().ShowMainWindow();
}

}  // namespace kalvitor
