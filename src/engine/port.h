// The frontend port: everything the engine needs from the world outside it.
// The desktop game implements it with Qt and SDL, the scripted driver with
// virtual time and queued answers, the tests with a recording fake. The
// engine never reaches the screen, the speakers, the clock or the settings in
// any other way.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace kalvitor {

class Form;
struct Control;

enum class MsgIcon { None, Information, Exclamation, Critical, Question };
enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

enum class FormEvent { Loaded, Shown, Hidden, Unloaded, Changed };

// The windows beside the game that do not stop the clock.
enum class ToolWindow { Journal, Stats };

// The computer's own date and time.
struct WallClock {
  int32_t date = 0;  // day serial, see util/date.h
  int64_t millisOfDay = 0;
};

// The calls marked "can end the game" let the program's other events run
// before they return (clicks, menu commands, clock ticks): a death, a
// victory or a load may have begun another game meanwhile. A routine of the
// game asks its Guard (util/generation.h) after each of them.
class FrontendPort {
 public:
  virtual ~FrontendPort() = default;

  // A modal message box; returns the button pressed. Can end the game.
  virtual MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon icon, MsgButtons buttons) = 0;
  // An input box; nullopt when cancelled. Can end the game.
  virtual std::optional<std::string> InputBox(const std::string& title, const std::string& prompt,
                                              const std::string& defaultText) = 0;

  // The form has just been shown modally (its state already says so): return
  // when it is hidden or unloaded. A frontend that cannot block (the driver,
  // for screens the player opened) may return at once. Can end the game.
  virtual void RunModal(Form& form) = 0;
  // Lifecycle news and control changes, for views to follow.
  virtual void OnFormEvent(Form& form, FormEvent event) = 0;
  virtual void OnControlChanged(Form& form, Control& control) = 0;

  // Monotonic real time in milliseconds, and a wait until that time while
  // the program's other events (clicks, timers) go on. The wait can end the
  // game, and so can Repeat.
  virtual int64_t MonotonicMs() = 0;
  virtual void WaitUntil(int64_t monotonicMs) = 0;
  // Calls `step` every `intervalMs`, the first time one interval from now,
  // until it returns false. The program's other events go on meanwhile, as
  // in WaitUntil; a step that falls due while a window opened meanwhile is
  // up waits for it to close, and the next interval counts from there.
  virtual void Repeat(int intervalMs, const std::function<bool()>& step) {
    do WaitUntil(MonotonicMs() + intervalMs);
    while (step());
  }

  // Plays an effect by its upper-case name and returns when it has ended.
  // When not audible nothing is heard and it returns at once. Nothing else
  // runs meanwhile: it never ends the game.
  virtual void PlayEffect(const std::string& name, bool audible) = 0;

  // The music player.
  virtual void MusicSetFile(const std::string& path) = 0;
  virtual void MusicPlay() = 0;
  virtual void MusicStop() = 0;
  // 0 when stopped (also after the track has ended).
  virtual int MusicState() = 0;

  // The per-user settings store.
  virtual std::optional<std::string> SettingGet(const std::string& name) = 0;
  virtual bool SettingSet(const std::string& name, const std::string& value) = 0;

  // The message line is about to type this text, letter by letter.
  virtual void OnMessageTyping(const std::string& /*text*/) {}
  // The message line has finished typing its text.
  virtual void OnMessageTyped(const std::string& /*text*/) {}
  // "Свернуть игру".
  virtual void MinimizeMainWindow() {}
  // Opens (or brings forward) the journal or the statistics window.
  virtual void ShowToolWindow(ToolWindow /*which*/) {}

  // The player's files (a saved game with its journal, the games log) have
  // just been written, each of them whole: a frontend that keeps them in a
  // store of its own (the browser's) writes them through now, together.
  // Nothing else runs meanwhile: it never ends the game.
  virtual void PlayerFilesWritten() {}

  virtual void OpenLink(const std::string& target) = 0;
  virtual void ShowTextFile(const std::string& path) = 0;
  // A frontend whose player may choose the game's language gets the menu
  // "Язык" (Language); after a change, the frontend's own texts follow.
  virtual bool OffersLanguages() const { return false; }
  virtual void LanguageChanged() {}

  virtual WallClock Now() = 0;

  // Ends the program at once; never returns.
  [[noreturn]] virtual void EndProgram() = 0;
};

}  // namespace kalvitor
