// What the life tells its windows, and the few steps where a rule needs a
// window. The window models implement it (game_windows.h); the life calls it
// and knows nothing else of them. Every call is synchronous: when Changed
// returns, the main window already shows the new value, as the setters
// promise.
#pragma once

#include <cstdint>
#include <string>

namespace kalvitor {

// A value of the game the main window shows.
enum class Fact {
  Money,
  Mood,
  Satiety,
  Health,
  Education,
  Status,
  Family,
  Job,  // the title and the daily wage
  Difficulty,
  Speed,
  DownloadedMb,
  Time,        // the game's date and time of day
  PlayerName,  // the window's title
  SoundSwitches,
  Hardware,  // one hardware slot, named by Changed's `slot`
  Software,  // one software slot
  BankBalances,
};

// What the player name dialog was left with.
struct PlayerNameAnswer {
  std::string name;
  int level = 1;  // the level list's index; -1 without a selection
  bool loadedGame = false;
  // Over a game in progress: the player kept it (the exit question's Cancel).
  bool backToGame = false;
};

// The two ways of study of the school screen.
enum class Studies { School, Courses };

class LifeView {
 public:
  virtual ~LifeView() = default;

  virtual void Changed(Fact what, int slot = 0) = 0;
  // The main window is loaded the first time a rule touches it; its load
  // runs a clock tick and starts the music.
  virtual void LoadMainWindow() = 0;
  virtual void ShowMainWindow() = 0;
  // The hourly pass lets the network screen count the connected hours: the
  // screen is loaded (not shown) when it is not yet.
  virtual void HourPassed() = 0;
  // The studies have reached their top: the school screen's button for them
  // is disabled until the screen is opened again.
  virtual void StudiesOver(Studies which) = 0;
  virtual void SetMusicTimer(bool on) = 0;

  // The steps below show a window and let other events run until it is
  // done: each of them can end the game.
  //
  // Every window but the main one closes, and the player name dialog asks;
  // overRunningGame: a game is in progress behind it.
  virtual PlayerNameAnswer AskPlayerName(bool overRunningGame) = 0;
  // The save/load dialog (mode 1 load, 2 save): the chosen file name, empty
  // when cancelled.
  virtual std::string AskSaveLoadFileName(int16_t mode) = 0;
  // The virus dialog, until the player has answered it.
  virtual void VirusAttack() = 0;
  // The main window's message line types the text letter by letter, then
  // keeps it a moment and clears it.
  virtual void TypeMessage(const std::string& text) = 0;
};

}  // namespace kalvitor
