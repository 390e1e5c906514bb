// The windows of the game: every window as a model, loaded on first use and
// then kept, and what the life's rules tell them. This is the only part of
// the engine that builds screens and composes what their labels say; it
// reads the life's state and calls its rules back.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "life/life_view.h"

namespace kalvitor {

class Game;
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

class GameWindows : public LifeView {
 public:
  explicit GameWindows(Game& game);
  ~GameWindows() override;
  GameWindows(const GameWindows&) = delete;
  GameWindows& operator=(const GameWindows&) = delete;

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
  // The window on top: the active modal window, else the main window.
  Form* TopWindow() const;

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
  Game& game_;
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
