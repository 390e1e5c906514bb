#include "windows/game_windows.h"

#include <algorithm>

#include "util/tr.h"
#include "windows/game.h"
#include "windows/network/frm_network.h"
#include "windows/persist/frm_save_load.h"
#include "windows/places.h"
#include "windows/screens/frm_about.h"
#include "windows/screens/frm_bank.h"
#include "windows/screens/frm_education.h"
#include "windows/screens/frm_virus.h"
#include "windows/shell/frm_main.h"
#include "windows/shell/frm_player_name.h"

namespace kalvitor {

namespace {

template <class F>
std::unique_ptr<Form> Make(Game& game) {
  return std::make_unique<F>(game);
}

// Every window, in the registry's order (a change of language makes them
// all again to take their texts from).
std::vector<std::unique_ptr<Form>> MakeWindows(Game& game) {
  std::vector<std::unique_ptr<Form>> forms;
  for (auto make : {&Make<FrmMain>, &Make<FrmPlayerName>, &Make<FrmAbout>}) forms.push_back(make(game));
  for (const Place& place : Places())
    if (place.make != nullptr) forms.push_back(place.make(game));
  for (auto make : {&Make<FrmVirus>, &Make<FrmSaveLoad>}) forms.push_back(make(game));
  return forms;
}

}  // namespace

GameWindows::GameWindows(Game& game)
    : game_(game), forms_(MakeWindows(game)), main_(static_cast<FrmMain*>(forms_.front().get())) {}

GameWindows::~GameWindows() = default;

FrmMain& GameWindows::Main() {
  if (!main_->Loaded()) main_->Load();
  return *main_;
}

std::vector<Form*> GameWindows::AllForms() const {
  std::vector<Form*> all;
  for (const std::unique_ptr<Form>& f : forms_) all.push_back(f.get());
  return all;
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
  return main_->Shown() ? main_ : nullptr;
}

void GameWindows::SpeakLanguage(const std::string& code) {
  const std::string from = Language();
  if (!SetLanguage(code)) {
    SetLanguage(from);
    return;
  }
  game_.RegSetString("Language", code);
  if (code != from) RelabelAll(from);
}

void GameWindows::SpeakChosenLanguage() {
  const std::string from = Language();
  const std::string chosen = game_.RegGetString("Language", from);
  if (chosen == from) return;
  if (SetLanguage(chosen))
    RelabelAll(from);
  else
    SetLanguage(from);
}

void GameWindows::RelabelAll(const std::string& from) {
  const std::vector<std::unique_ptr<Form>> fresh = MakeWindows(game_);
  for (size_t i = 0; i < forms_.size(); ++i) forms_[i]->Relabel(*fresh[i], from);
  game_.port.LanguageChanged();
}

// --- What the life tells its windows.

void GameWindows::Changed(Fact what, int slot) {
  if (what == Fact::BankBalances) {
    Window<FrmBank>().RefreshBalances();
    return;
  }
  Main().Refresh(what, slot);
}

void GameWindows::LoadMainWindow() { Main(); }

void GameWindows::ShowMainWindow() { Main().Show(); }

void GameWindows::HourPassed() { Window<FrmNetwork>().Load(); }

void GameWindows::StudiesOver(Studies which) {
  FrmEducation& school = Window<FrmEducation>();
  school.Load();
  (which == Studies::School ? school.schoolButton : school.coursesButton).SetEnabled(false);
}

void GameWindows::SetMusicTimer(bool on) { Main().tmrMusic.SetEnabled(on); }

PlayerNameAnswer GameWindows::AskPlayerName(bool overRunningGame) {
  // Every window but the main one closes, hidden ones included; each is
  // loaded afresh the next time it is opened.
  std::vector<Form*> open = loaded_;
  for (Form* f : open)
    if (f != main_) f->Unload();

  FrmPlayerName& dialog = Window<FrmPlayerName>();
  dialog.ResetAnswer(overRunningGame);
  dialog.ShowModal();
  return PlayerNameAnswer{dialog.ChosenName(), dialog.ChosenLevel(), dialog.LeftByLoading(), dialog.BackToGame()};
}

void GameWindows::VirusAttack() {
  FrmVirus& virus = Window<FrmVirus>();
  game_.Note(JournalKind::MsgBox, "«" + virus.Caption() + "» " + virus.Find("Label1")->Text());
  virus.ShowModal();
}

void GameWindows::TypeMessage(const std::string& text) { Main().TypeMessage(text); }

}  // namespace kalvitor
