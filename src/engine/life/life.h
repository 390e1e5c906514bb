// The life: the state of the one current game, chance, the journal, the
// folders and the frontend port, with every rule that changes them (the
// setters, the passes and events, purchases, the bank, saving and loading,
// the music's choice). The routines live in files named after what they hold
// (rules/, computer/, shell/, persist/, media/, network/); none of them
// includes a window. What the player should see changed is told to the
// windows through the LifeView; the windows call the rules back.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "life/journal/journal.h"
#include "life/journal/money_cause.h"
#include "life/life_view.h"
#include "life/persist/game_folders.h"
#include "life/rules/changes.h"
#include "life/state.h"
#include "port.h"
#include "util/generation.h"
#include "util/random.h"

namespace kalvitor {

enum class Vital { Health, Satiety, Mood };
struct Offer;

class Life {
  // When the journal dates its entries otherwise (see StampNotes).
  struct NoteStamp {
    Guard game;
    int32_t date;
    int minutes;
  };
  // The game's state, written by the life's own routines only.
  GameState state_;

 public:
  Life(FrontendPort& port, GameFolders folders, uint64_t seed);
  Life(const Life&) = delete;
  Life& operator=(const Life&) = delete;

  FrontendPort& port;
  // The game as everyone reads it; it changes only through the routines below.
  const GameState& s{state_};
  Random rnd;

  // The state for setting straight from outside the rules: the driver's
  // `set` (through state_fields.h) and the set-up of tests. No window calls
  // it (the test Rooms.NoWindowWritesTheState says so).
  GameState& StateForSetUp() { return state_; }

  // The windows that show this life; set once, before anything runs.
  void AttachView(LifeView& view) { view_ = &view; }
  LifeView& View() { return *view_; }

  // --- Is this still the game I started with?
  //
  // Every game begun in the run (new or loaded) is a new generation. The
  // calls marked "can end the game" below, and the port's calls that let
  // other events run, may end or replace the game before they return; a
  // routine that goes on after one asks its guard first.
  Guard ThisGame() const { return games_.Watch(); }

  // --- System (shell/system.cpp)
  void RunMain();  // the program's entry
  static std::string AddBackslash(const std::string& path);
  const GameFolders& Folders() const { return folders_; }
  // A file of the game's own data (jokes, texts) and one of the player's
  // (Save, games.log): the folder with its separator, then the name.
  std::string DataPath(const std::string& relative) const;
  // One of the game's texts (readme, licence, tips, jokes) in the language
  // being spoken: "readme.en.txt" for "readme.txt" in English when the game
  // has it, the Russian file otherwise.
  std::string TextPath(const std::string& name) const;
  std::string PlayerPath(const std::string& relative) const;
  static bool FileExists(const std::string& path);
  void OpenLink(const std::string& target);
  void ShowTextFile(const std::string& name);
  // Can end the game (other events run while the box is up).
  MsgAnswer MsgBox(const std::string& text, const std::string& title, MsgIcon icon,
                   MsgButtons buttons = MsgButtons::Ok);
  // Waits n real seconds (rounded, halves to even) while events go on. Can
  // end the game.
  void WaitSeconds(int n);
  // Blocks while the effect plays; nothing else runs meanwhile.
  void PlaySfx(const std::string& name);
  void ReseedFromTimer();

  // --- Game state and rules (rules/)
  // Can end the game: a game loaded from the dialog, or a death in it.
  // overRunningGame: asked for by the player ("Новая игра") while a game
  // is in progress, which the player may still go back to.
  void NewGame(bool overRunningGame = false);
  // Every change of money names its cause for the journal, and what it was
  // for when there is a word for it (the meal, the model). Never ends the game.
  void SetMoney(int32_t amount, MoneyCause cause = MoneyCause::Other, const std::string& what = {});
  void SetDifficulty(int16_t level);
  void SetSpeed(int16_t minutes);
  // The three vitals: each can end the game (a death starts a new one).
  void SetHealth(int16_t value);
  void SetSatiety(int16_t value);
  void SetMood(int16_t value);
  void SetJob(int16_t index);
  // The boss raises the daily wage by a quarter (rounded); the job stays.
  void RaiseWage();
  // A button of the employment centre (0..11): the job when all its
  // conditions hold, else the button's refusal. Can end the game (the box).
  void ApplyForJob(int index);
  void SetStatus(int16_t rank);
  // The rank's name as the game keeps it (1..8; "" outside); Tr shows it.
  static std::string StatusName(int rank);
  // The job ladder's title (Russian, as the state keeps it; Tr shows it) and
  // daily wage of job 0..12 ("" and 0 outside).
  static std::string JobTitle(int index);
  static int16_t JobWage(int index);
  void SetEducation(int16_t percent);
  void SetDownloadedMb(int16_t value);
  // Can end the game (its message boxes).
  void FamilyEvent(int16_t code);
  void RefreshFamilyLabel();
  // Can end the game (the vitals).
  void ApplyCheatCode(const std::string& text);
  bool VictoryConditionHolds() const;
  // Ends the game: a new one begins.
  void Victory();
  void AppendGamesLog(const std::string& kind);
  void WriteGamesLogHeaderIfMissing();

  // --- The clock and the passes (shell/clock.cpp, rules/passes.cpp,
  // rules/daily_events.cpp, which also holds the monthly accounts). All can end the game.
  void ClockTick();  // tmrTime_Timer, guarded against overlapping
  bool InTick() const { return inTick_; }
  void HourlyPass();
  void DailyPass();
  void DailyEvents(bool newMonth);
  void YearlyPass();
  // The typed message line; other events run while it types. Can end the game.
  void ShowMessage(const std::string& text);
  // Makes a rule's changes in order (rules/changes.cpp); false as soon as one
  // has ended the game, and the rest is dropped. Can end the game.
  bool MakeChanges(std::span<const Change> changes, const Deal& deal);

  // --- The places' buttons (rules/offers.cpp): the click, the price, the
  // needs and the money's test, the refusal or the changes. Can end the game.
  void TakeOffer(const Offer& row);
  // The virus dialog's two answers (rules/virus.cpp). Both can end the game.
  void FightVirus();
  void LetVirusGo();

  // --- The computer (computer/). Both can end the game (a refusal's box).
  void BuyHardware(int16_t slot, int16_t model, int16_t pay);
  bool InstallSoftware(int16_t slot, int16_t model);

  // --- The bank (rules/bank_operation.cpp). Can end the game (a refusal's box).
  void BankOperation(int16_t operation, int32_t amount);

  // --- Network (network/)
  void TrafficEvent();
  // A connection is up (the internet's hours are counted from 0), or down:
  // the internet's hours are billed at $1 each.
  void Connected(bool internet);
  void HungUp(bool internet);
  // Can end the game (the box about a damaged jokes file).
  std::string GetRandomAnecdote();

  // --- Saved games (persist/). Both can end the game.
  // False only when a chosen name could not be written (the player has been
  // told); a cancelled dialog is not a failure.
  bool SaveGame();
  // True when a game was loaded whole.
  bool LoadGame();
  // What the save/load dialog was left with (empty and False after each use).
  void AnswerSaveLoad(const std::string& fileName, bool cancelled);
  std::string RegGetString(const std::string& name, const std::string& defaultValue);
  bool RegSetString(const std::string& name, const std::string& text);
  void ReadSoundSwitches();
  // A switch of the sound menu, kept in the settings store; music turned on
  // starts a track (which can end the game), turned off stops.
  void SwitchMusic(bool on);
  void SwitchEffects(bool on);

  // --- The journal and the daily samples (journal/record.cpp,
  // persist/journal_file.cpp)
  Journal journal;
  // An entry at the game's date and time.
  void Note(JournalKind kind, const std::string& text);
  // The day's sample, taken at the end of the daily pass.
  void TakeDailySample();
  struct LifeSummary {
    int32_t daysLived = 0;
    int32_t bestMoney = 0;
    int32_t jobsHeld = 0;
    int32_t children = 0;
    int deaths = 0;
    int victories = 0;
  };
  LifeSummary Summary() const;
  // While one lives, job changes are not written down: a new game and a
  // load set the job as part of setting everything up, and say so once.
  class QuietSetUp {
   public:
    explicit QuietSetUp(Life& life) : life_(life) { ++life_.quietSetUp_; }
    ~QuietSetUp() { --life_.quietSetUp_; }
    QuietSetUp(const QuietSetUp&) = delete;
    QuietSetUp& operator=(const QuietSetUp&) = delete;

   private:
    Life& life_;
  };
  // The journal file of a saved game: "first.ksv" -> "first.kjl".
  static std::string JournalFileName(const std::string& savedGameName);
  // Puts the saved game's journal in place of this one, or an empty one
  // when there is none or it cannot be read. False when the journal there
  // was written with another game (and was not taken).
  bool LoadJournalBeside(const std::string& folder, const std::string& savedGameName);

  // The date and time the journal gives its entries while the game's own
  // clock does not hold them yet: at midnight, before the date moves on, and
  // while a saved game loads. It holds only for the game it was set for.
  class StampNotes {
   public:
    StampNotes(Life& life, int32_t date, int minutes) : life_(life), saved_(life.noteStamp_) {
      life.noteStamp_ = NoteStamp{life.ThisGame(), date, minutes};
    }
    ~StampNotes() { life_.noteStamp_ = saved_; }
    StampNotes(const StampNotes&) = delete;
    StampNotes& operator=(const StampNotes&) = delete;

   private:
    Life& life_;
    std::optional<NoteStamp> saved_;
  };

  // --- Music (media/music.cpp)
  void BuildMusicList();
  // Waits a second before the track plays: can end the game.
  void PlayRandomTrack();
  void StopMusic();
  void MusicTimer();  // tmrMusic_Timer
  const std::vector<std::string>& MusicTracks() const { return musicTracks_; }

 private:
  void BeginGame() { games_.Begin(); }
  void Death(Vital vital);
  void RefreshVital(Vital vital);
  void NoteMoney(int32_t before, int32_t after, MoneyCause cause, const std::string& what);
  void Apply(const Change& change, const Deal& deal);
  // A row of a place with its deal: the row's needs and money test, the
  // place's refusal or the changes; true when they were all made.
  bool Settle(const Offer& row, const Deal& deal);
  // Puts a program into its slot (InstallSoftware has tested its needs).
  void PutSoftware(int16_t slot, int16_t model);
  void MonthlyAccounts();
  void NextDay(int32_t dateAtStart);
  void SetUpNewGame(const std::string& name);

  LifeView* view_ = nullptr;
  GameFolders folders_;
  Generation games_;
  Generation newGames_;
  int quietSetUp_ = 0;
  std::optional<NoteStamp> noteStamp_;
  bool inTick_ = false;
  // The music timer runs from a track's start until the music stops.
  bool musicTimerOn_ = false;
  std::vector<std::string> musicTracks_;
  bool musicTracksReady_ = false;
};

}  // namespace kalvitor
