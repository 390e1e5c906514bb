// The browser frontend: the port of the engine for a page that never
// blocks. Every wait of the game (a message or input box until its answer,
// a modal window until the model hides it, a wait until a time, the program
// itself) runs one event pump: it suspends the program (Asyncify) until the
// page hands over its next event or the next timer falls due, and runs it
// there, inside the wait, as Qt's nested loops do. The page is told about
// windows and controls as JSON (form_json.h) and draws them itself.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "port.h"
#include "tool_news.h"
#include "windows/game.h"

namespace kalvitor::web {

class WebPort : public FrontendPort {
 public:
  void Attach(Game& game);
  // The program's own loop: events and timers for as long as the page lives.
  [[noreturn]] void RunForever();

  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon icon, MsgButtons buttons) override;
  std::optional<std::string> InputBox(const std::string& title, const std::string& prompt,
                                      const std::string& defaultText) override;
  void RunModal(Form& form) override;
  void OnFormEvent(Form& form, FormEvent event) override;
  void OnControlChanged(Form& form, Control& control) override;
  int64_t MonotonicMs() override;
  void WaitUntil(int64_t monotonicMs) override;
  void PlayEffect(const std::string& name, bool audible) override;
  void MusicSetFile(const std::string& path) override;
  void MusicPlay() override;
  void MusicStop() override;
  int MusicState() override;
  std::optional<std::string> SettingGet(const std::string& name) override;
  bool SettingSet(const std::string& name, const std::string& value) override;
  void OnMessageTyping(const std::string& text) override;
  void OnMessageTyped(const std::string& text) override;
  void MinimizeMainWindow() override;
  void ShowToolWindow(ToolWindow which) override;
  void PlayerFilesWritten() override;
  void OpenLink(const std::string& target) override;
  void ShowTextFile(const std::string& path) override;
  bool OffersLanguages() const override { return true; }
  void LanguageChanged() override;
  WallClock Now() override;
  [[noreturn]] void EndProgram() override;

 private:
  using Fields = std::vector<std::string>;
  // Runs the page's events and the timers until `done` says so or the
  // deadline (monotonic ms; negative: none) has passed.
  void Pump(const std::function<bool()>& done, int64_t deadline);
  void FireTimers();
  int64_t NextTimer() const;
  void SyncTimers();
  void TellLanguage();
  void Dispatch(const std::string& event);
  void AfterEvent();
  Form* FormNamed(const std::string& name) const;
  Control* ControlOf(const Fields& f) const;
  int NewBox(const std::string& json);
  std::string AnswerOf(int box);

  void OnClick(const Fields& f);
  void OnText(const Fields& f);
  void OnPick(const Fields& f);
  void OnKey(const Fields& f);
  void OnPress(const Fields& f);
  void OnMenu(const Fields& f);
  void OnMenuOpen(const Fields& f);
  void OnClose(const Fields& f);
  void OnAnswer(const Fields& f);
  void OnPause(const Fields& f);
  void OnMinimized(const Fields& f);
  void OnToolClosed(const Fields& f);
  void OnExport(const Fields& f);
  void OnImport(const Fields& f);

  Game* game_ = nullptr;
  std::unique_ptr<ToolNews> tools_;
  int64_t clockDue_ = -1;  // the clock's next tick; -1 while it is off
  int64_t musicDue_ = -1;
  bool waitedForPlayer_ = false;  // the program has waited for the page once
  int lastBox_ = 0;
  std::map<int, std::string> answers_;  // a box's id: the page's answer
  std::string menusSent_;
  std::string musicFile_;
};

}  // namespace kalvitor::web
