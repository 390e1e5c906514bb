// The windows of the game: every window as a model, loaded on first use and
// then kept, and what the life's rules tell them. This is the only part of
// the engine that builds screens and composes what their labels say; it
// reads the life's state and calls its rules back.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "life/life_view.h"

namespace kalvitor {

class Game;
class Form;
class FrmMain;

class GameWindows : public LifeView {
 public:
  explicit GameWindows(Game& game);
  ~GameWindows() override;
  GameWindows(const GameWindows&) = delete;
  GameWindows& operator=(const GameWindows&) = delete;

  FrmMain& Main();  // loads it when it is not loaded yet
  FrmMain& MainForm() { return *main_; }
  // A window by its model's type: the game has one of each.
  template <class F>
  F& Window() const {
    for (const std::unique_ptr<Form>& f : forms_)
      if (F* w = dynamic_cast<F*>(f.get())) return *w;
    throw std::logic_error("the game has no such window");
  }
  // Every window: the main window, the name dialog, the about box, the
  // places in their table's order, the virus and the save/load dialog.
  std::vector<Form*> AllForms() const;
  Form* FindForm(const std::string& name) const;
  // Loaded windows in the order they were loaded.
  const std::vector<Form*>& LoadedForms() const { return loaded_; }
  void NoteLoaded(Form& f);
  void NoteUnloaded(Form& f);
  // The window the player is looking at: a shown modal window, if any.
  Form* ActiveModal() const;
  // The window on top: the active modal window, else the main window.
  Form* TopWindow() const;

  // The game speaks another language from now on: every window is
  // relabelled at once, the frontend told, and the choice kept in the
  // settings store ("Language") for the next start. An unknown code changes nothing.
  void SpeakLanguage(const std::string& code);
  // At the start: the language the player chose from the menu before, if
  // the game still has it.
  void SpeakChosenLanguage();

  // --- What the life tells the windows (LifeView).
  void Changed(Fact what, int slot) override;
  void LoadMainWindow() override;
  void ShowMainWindow() override;
  void HourPassed() override;
  void StudiesOver(Studies which) override;
  void SetMusicTimer(bool on) override;
  PlayerNameAnswer AskPlayerName(bool overRunningGame) override;
  std::string AskSaveLoadFileName(int16_t mode) override;
  void VirusAttack() override;
  void TypeMessage(const std::string& text) override;

 private:
  void RelabelAll(const std::string& from);

  Game& game_;
  std::vector<Form*> loaded_;
  std::vector<std::unique_ptr<Form>> forms_;
  FrmMain* main_ = nullptr;
};

}  // namespace kalvitor
