// The frontend port of the scripted driver: virtual time with the main
// window's two timers, answers queued by the script for the dialogs the game
// opens, a fake music player, settings in memory, and one output line for
// everything the player would see or hear.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <ostream>
#include <stdexcept>
#include <string>

#include "port.h"
#include "windows/game.h"

namespace kalvitor::headless {

// A script error: printed as ERROR and the run stops with status 2.
struct ScriptError : std::runtime_error {
  using std::runtime_error::runtime_error;
};
// The program ended (END).
struct ProgramEnded {};

struct PlayerAnswer {
  enum Kind { Ok, Cancel, Load, Close } kind = Ok;
  int level = 1;
  std::string name;
};

struct FileAnswer {
  enum Kind { Name, Pick, Cancel, Close } kind = Name;
  std::string name;
  int index = 0;
};

class HeadlessPort : public FrontendPort {
 public:
  HeadlessPort(std::ostream& out, int32_t startDate, int64_t startMillisOfDay);
  void Attach(Game& game) { game_ = &game; }

  // Script-side controls.
  void RunFor(int64_t ms) { RunUntil(now_ + ms); }
  int64_t NowMs() const { return now_; }
  std::deque<PlayerAnswer> playerAnswers;
  std::deque<FileAnswer> fileAnswers;
  std::deque<MsgAnswer> msgAnswers;
  std::deque<std::optional<std::string>> inputs;
  std::deque<bool> virusFights;
  std::map<std::string, std::string> settings;
  void MusicEnded() { musicState_ = 0; }
  // An action of the player the script queues for later: it runs once
  // virtual time reaches `dueMs`, inside whatever the game is doing then (a
  // wait, a status sequence, a typed message), before a clock tick due at
  // the same moment.
  void RunAt(int64_t dueMs, std::function<void()> action);

  // FrontendPort
  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon icon, MsgButtons buttons) override;
  std::optional<std::string> InputBox(const std::string& title, const std::string& prompt,
                                      const std::string& defaultText) override;
  void RunModal(Form& form) override;
  void OnFormEvent(Form& form, FormEvent event) override;
  void OnControlChanged(Form& form, Control& control) override;
  int64_t MonotonicMs() override { return now_; }
  void WaitUntil(int64_t monotonicMs) override { RunUntil(monotonicMs); }
  void PlayEffect(const std::string& name, bool audible) override;
  void MusicSetFile(const std::string& path) override { musicFile_ = path; }
  void MusicPlay() override;
  void MusicStop() override;
  int MusicState() override { return musicState_; }
  std::optional<std::string> SettingGet(const std::string& name) override;
  bool SettingSet(const std::string& name, const std::string& value) override;
  void OnMessageTyped(const std::string& text) override;
  void ShowToolWindow(ToolWindow which) override;
  void OpenLink(const std::string& target) override;
  void ShowTextFile(const std::string& path) override;
  WallClock Now() override;
  [[noreturn]] void EndProgram() override;

 private:
  struct TimerClock {
    int64_t nextDue = 0;
    bool enabled = false;
  };
  void RunUntil(int64_t target);
  void DropDue(TimerClock& t, int interval);
  void AnswerDialog(Form& form);

  std::ostream& out_;
  Game* game_ = nullptr;
  int32_t startDate_;
  int64_t startMillis_;
  int64_t now_ = 0;
  TimerClock clock_;
  TimerClock music_;
  struct Later {
    int64_t due;
    std::function<void()> action;
  };
  std::deque<Later> later_;  // by due time; queued in order for the same time
  std::string musicFile_;
  int musicState_ = 0;
};

}  // namespace kalvitor::headless
