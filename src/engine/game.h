// The engine: the state of the game, its windows as models and every routine
// of the game. One object per run of the program. The routines live in files
// named after what they hold (rules/, computer/, shell/, screens/, network/,
// persist/, media/); they reach the world only through the frontend port.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "journal/journal.h"
#include "journal/money_cause.h"
#include "persist/game_folders.h"
#include "port.h"
#include "state.h"
#include "util/random.h"

namespace kalvitor {

class Form;
class FrmMain;
class FrmPlayerName;
class FrmAbout;
class FrmHard;
class FrmSoft;
class FrmWork;
class FrmShop;
class FrmHospital;
class FrmHappy;
class FrmEducation;
class FrmFamily;
class FrmVirus;
class FrmBank;
class FrmNetwork;
class FrmSaveLoad;

enum class Vital { Health, Satiety, Mood };

struct PlayerNameAnswer {
  std::string name;
  bool loadedGame = false;
};

class Game {
 public:
  // Everything in one folder (the driver's and the tests' way).
  Game(FrontendPort& port, const std::string& programFolder, uint64_t seed = 1);
  Game(FrontendPort& port, GameFolders folders, uint64_t seed = 1);
  ~Game();
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  FrontendPort& port;
  GameState s;
  Random rnd;

  // --- Windows (the main window is loaded on first use and then kept).
  FrmMain& Main();  // loads it when it is not loaded yet
  FrmMain& MainForm() { return *main_; }
  FrmPlayerName& PlayerNameForm() { return *playerName_; }
  FrmAbout& AboutForm() { return *about_; }
  FrmHard& HardForm() { return *hard_; }
  FrmSoft& SoftForm() { return *soft_; }
  FrmWork& WorkForm() { return *work_; }
  FrmShop& ShopForm() { return *shop_; }
  FrmHospital& HospitalForm() { return *hospital_; }
  FrmHappy& HappyForm() { return *happy_; }
  FrmEducation& EducationForm() { return *education_; }
  FrmFamily& FamilyForm() { return *family_; }
  FrmVirus& VirusForm() { return *virus_; }
  FrmBank& BankForm() { return *bank_; }
  FrmNetwork& NetworkForm() { return *network_; }
  FrmSaveLoad& SaveLoadForm() { return *saveLoad_; }
  std::vector<Form*> AllForms() const;
  Form* FindForm(const std::string& name) const;
  // Loaded windows in the order they were loaded.
  const std::vector<Form*>& LoadedForms() const { return loaded_; }
  void NoteLoaded(Form& f);
  void NoteUnloaded(Form& f);
  // The window the player is looking at: a shown modal window, if any.
  Form* ActiveModal() const;

  // --- System (shell/system.cpp)
  void RunMain();  // the program's entry
  static std::string AddBackslash(const std::string& path);
  const GameFolders& Folders() const { return folders_; }
  // A file of the game's own data (jokes, texts) and one of the player's
  // (Save, games.log): the folder with its separator, then the name.
  std::string DataPath(const std::string& relative) const;
  std::string PlayerPath(const std::string& relative) const;
  static bool FileExists(const std::string& path);
  void OpenLink(const std::string& target);
  void ShowTextFile(const std::string& name);
  MsgAnswer MsgBox(const std::string& text, const std::string& title, MsgIcon icon,
                   MsgButtons buttons = MsgButtons::Ok);
  // Waits n real seconds (rounded, halves to even) while events go on.
  void WaitSeconds(int n);
  void PlaySfx(const std::string& name);
  void ReseedFromTimer();

  // --- Game state and rules (rules/)
  void NewGame();
  PlayerNameAnswer AskPlayerName();
  // Every change of money names its cause for the journal.
  void SetMoney(int32_t amount, MoneyCause cause = MoneyCause::Other);
  void SetDifficulty(int16_t level);
  void SetSpeed(int16_t minutes);
  void SetHealth(int16_t value);
  void SetSatiety(int16_t value);
  void SetMood(int16_t value);
  void SetJob(int16_t index);
  void SetStatus(int16_t rank);
  static std::string StatusName(int rank);
  void SetEducation(int16_t percent);
  void SetDownloadedMb(int16_t value);
  void FamilyEvent(int16_t code);
  void RefreshFamilyLabel();
  void ApplyCheatCode(const std::string& text);
  bool VictoryConditionHolds() const;
  void Victory();
  void AppendGamesLog(const std::string& kind);
  void WriteGamesLogHeaderIfMissing();

  // Counts the games begun in this run (new or loaded). A routine whose
  // setter call ended the game compares it to drop the steps that were meant
  // for the game that is over.
  uint64_t GameSerial() const { return gameSerial_; }

  // --- The clock and the passes (shell/clock.cpp, rules/passes.cpp,
  // rules/daily_events.cpp, rules/yearly_pass.cpp)
  void ClockTick();  // tmrTime_Timer, guarded against overlapping
  bool InTick() const { return inTick_; }
  void HourlyPass();
  void DailyPass();
  void DailyEvents(bool newMonth);
  void YearlyPass();
  void ShowMessage(const std::string& text);

  // --- The computer (computer/)
  void BuyHardware(int16_t slot, int16_t model, int16_t pay);
  bool InstallSoftware(int16_t slot, int16_t model);

  // --- Places (screens/)
  void BankOperation(int16_t operation, int32_t amount);

  // --- Network (network/)
  void TrafficEvent();
  std::string GetRandomAnecdote();

  // --- Saved games (persist/)
  // False only when a chosen name could not be written (the player has been
  // told); a cancelled dialog is not a failure.
  bool SaveGame();
  bool LoadGame();
  std::string AskSaveLoadFileName(int16_t mode);
  std::string RegGetString(const std::string& name, const std::string& defaultValue);
  bool RegSetString(const std::string& name, const std::string& text);
  void ReadSoundSwitches();

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
    explicit QuietSetUp(Game& g) : g_(g) { ++g_.quietSetUp_; }
    ~QuietSetUp() { --g_.quietSetUp_; }
    QuietSetUp(const QuietSetUp&) = delete;
    QuietSetUp& operator=(const QuietSetUp&) = delete;

   private:
    Game& g_;
  };
  // The journal file of a saved game: "first.ksv" -> "first.kjl".
  static std::string JournalFileName(const std::string& savedGameName);
  // Puts the saved game's journal in place of this one, or an empty one
  // when there is none or it cannot be read. False when the journal there
  // was written with another game (and was not taken).
  bool LoadJournalBeside(const std::string& folder, const std::string& savedGameName);

  // --- Music (media/music.cpp)
  void BuildMusicList();
  void PlayRandomTrack();
  void StopMusic();
  void NoteGameBegun() { ++gameSerial_; }
  void MusicTimer();  // tmrMusic_Timer
  const std::vector<std::string>& MusicTracks() const { return musicTracks_; }

 private:
  void Death(Vital vital);
  void RefreshVital(Vital vital);

  GameFolders folders_;
  void NoteMoney(int32_t before, int32_t after, MoneyCause cause);

  int quietSetUp_ = 0;
  // The date and time the journal gives its entries while the game's own
  // clock does not hold them yet: at midnight, before the date moves on, and
  // while a saved game loads. It holds only for the game it was set for.
 public:
  struct NoteStamp {
    uint64_t serial;
    int32_t date;
    int minutes;
  };
  class StampNotes {
   public:
    StampNotes(Game& g, int32_t date, int minutes) : g_(g), saved_(g.noteStamp_) {
      g.noteStamp_ = NoteStamp{g.gameSerial_, date, minutes};
    }
    ~StampNotes() { g_.noteStamp_ = saved_; }
    StampNotes(const StampNotes&) = delete;
    StampNotes& operator=(const StampNotes&) = delete;

   private:
    Game& g_;
    std::optional<NoteStamp> saved_;
  };

 private:
  std::optional<NoteStamp> noteStamp_;
  bool inTick_ = false;
  uint64_t gameSerial_ = 0;
  uint64_t newGames_ = 0;
  std::vector<std::string> musicTracks_;
  bool musicTracksReady_ = false;

  std::vector<Form*> loaded_;
  std::unique_ptr<FrmMain> main_;
  std::unique_ptr<FrmPlayerName> playerName_;
  std::unique_ptr<FrmAbout> about_;
  std::unique_ptr<FrmHard> hard_;
  std::unique_ptr<FrmSoft> soft_;
  std::unique_ptr<FrmWork> work_;
  std::unique_ptr<FrmShop> shop_;
  std::unique_ptr<FrmHospital> hospital_;
  std::unique_ptr<FrmHappy> happy_;
  std::unique_ptr<FrmEducation> education_;
  std::unique_ptr<FrmFamily> family_;
  std::unique_ptr<FrmVirus> virus_;
  std::unique_ptr<FrmBank> bank_;
  std::unique_ptr<FrmNetwork> network_;
  std::unique_ptr<FrmSaveLoad> saveLoad_;
};

}  // namespace kalvitor
