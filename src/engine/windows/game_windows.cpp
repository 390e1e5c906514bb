#include "windows/game_windows.h"

#include <algorithm>

#include "windows/game.h"
#include "windows/network/frm_network.h"
#include "windows/persist/frm_save_load.h"
#include "windows/screens/frm_about.h"
#include "windows/screens/frm_bank.h"
#include "windows/screens/frm_education.h"
#include "windows/screens/frm_family.h"
#include "windows/screens/frm_happy.h"
#include "windows/screens/frm_hard.h"
#include "windows/screens/frm_hospital.h"
#include "windows/screens/frm_shop.h"
#include "windows/screens/frm_soft.h"
#include "windows/screens/frm_virus.h"
#include "windows/screens/frm_work.h"
#include "windows/shell/frm_main.h"
#include "windows/shell/frm_player_name.h"

namespace kalvitor {

GameWindows::GameWindows(Game& game) : game_(game) {
  main_ = std::make_unique<FrmMain>(game);
  playerName_ = std::make_unique<FrmPlayerName>(game);
  about_ = std::make_unique<FrmAbout>(game);
  hard_ = std::make_unique<FrmHard>(game);
  soft_ = std::make_unique<FrmSoft>(game);
  work_ = std::make_unique<FrmWork>(game);
  shop_ = std::make_unique<FrmShop>(game);
  hospital_ = std::make_unique<FrmHospital>(game);
  happy_ = std::make_unique<FrmHappy>(game);
  education_ = std::make_unique<FrmEducation>(game);
  family_ = std::make_unique<FrmFamily>(game);
  virus_ = std::make_unique<FrmVirus>(game);
  bank_ = std::make_unique<FrmBank>(game);
  network_ = std::make_unique<FrmNetwork>(game);
  saveLoad_ = std::make_unique<FrmSaveLoad>(game);
}

GameWindows::~GameWindows() = default;

FrmMain& GameWindows::Main() {
  if (!main_->Loaded()) main_->Load();
  return *main_;
}

std::vector<Form*> GameWindows::AllForms() const {
  return {main_.get(),   playerName_.get(), about_.get(),    hard_.get(),    soft_.get(),
          work_.get(),   shop_.get(),       hospital_.get(), happy_.get(),   education_.get(),
          family_.get(), virus_.get(),      bank_.get(),     network_.get(), saveLoad_.get()};
}

Form* GameWindows::FindForm(const std::string& name) const {
  for (Form* f : AllForms())
    if (f->Name() == name) return f;
  return nullptr;
}

void GameWindows::NoteLoaded(Form& f) {
  if (std::find(loaded_.begin(), loaded_.end(), &f) == loaded_.end()) loaded_.push_back(&f);
}

void GameWindows::NoteUnloaded(Form& f) {
  loaded_.erase(std::remove(loaded_.begin(), loaded_.end(), &f), loaded_.end());
}

Form* GameWindows::ActiveModal() const {
  Form* top = nullptr;
  for (Form* f : loaded_)
    if (f->Shown() && f->Modal()) top = f;
  return top;
}

Form* GameWindows::TopWindow() const {
  if (Form* modal = ActiveModal()) return modal;
  return main_->Shown() ? main_.get() : nullptr;
}

// --- What the life tells its windows.

void GameWindows::Changed(Fact what, int slot) {
  if (what == Fact::BankBalances) {
    bank_->RefreshBalances();
    return;
  }
  Main().Refresh(what, slot);
}

void GameWindows::LoadMainWindow() { Main(); }

void GameWindows::ShowMainWindow() { Main().Show(); }

void GameWindows::HourPassed() { network_->Load(); }

void GameWindows::StudiesOver(Studies which) {
  FrmEducation& school = *education_;
  school.Load();
  (which == Studies::School ? school.Command1 : school.Command2).SetEnabled(false);
}

void GameWindows::SetMusicTimer(bool on) { Main().tmrMusic.SetEnabled(on); }

PlayerNameAnswer GameWindows::AskPlayerName(bool overRunningGame) {
  // Every window but the main one closes, hidden ones included; each is
  // loaded afresh the next time it is opened.
  std::vector<Form*> open = loaded_;
  for (Form* f : open)
    if (f != main_.get()) f->Unload();

  FrmPlayerName& dialog = *playerName_;
  dialog.ResetAnswer(overRunningGame);
  dialog.ShowModal();
  return PlayerNameAnswer{dialog.ChosenName(), dialog.ChosenLevel(), dialog.LeftByLoading(), dialog.BackToGame()};
}

void GameWindows::VirusAttack() {
  FrmVirus& virus = *virus_;
  game_.Note(JournalKind::MsgBox, "«" + virus.Caption() + "» " + virus.Find("Label1")->Text());
  virus.ShowModal();
}

void GameWindows::TypeMessage(const std::string& text) { Main().TypeMessage(text); }

}  // namespace kalvitor
