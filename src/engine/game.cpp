#include "game.h"

#include <algorithm>

#include "network/frm_network.h"
#include "persist/frm_save_load.h"
#include "screens/frm_about.h"
#include "screens/frm_bank.h"
#include "screens/frm_education.h"
#include "screens/frm_family.h"
#include "screens/frm_happy.h"
#include "screens/frm_hard.h"
#include "screens/frm_hospital.h"
#include "screens/frm_shop.h"
#include "screens/frm_soft.h"
#include "screens/frm_virus.h"
#include "screens/frm_work.h"
#include "shell/frm_main.h"
#include "shell/frm_player_name.h"

namespace kalvitor {

Game::Game(FrontendPort& p, const std::string& programFolder, uint64_t seed)
    : Game(p, GameFolders::Portable(programFolder), seed) {}

Game::Game(FrontendPort& p, GameFolders folders, uint64_t seed) : port(p), rnd(seed), folders_(std::move(folders)) {
  main_ = std::make_unique<FrmMain>(*this);
  playerName_ = std::make_unique<FrmPlayerName>(*this);
  about_ = std::make_unique<FrmAbout>(*this);
  hard_ = std::make_unique<FrmHard>(*this);
  soft_ = std::make_unique<FrmSoft>(*this);
  work_ = std::make_unique<FrmWork>(*this);
  shop_ = std::make_unique<FrmShop>(*this);
  hospital_ = std::make_unique<FrmHospital>(*this);
  happy_ = std::make_unique<FrmHappy>(*this);
  education_ = std::make_unique<FrmEducation>(*this);
  family_ = std::make_unique<FrmFamily>(*this);
  virus_ = std::make_unique<FrmVirus>(*this);
  bank_ = std::make_unique<FrmBank>(*this);
  network_ = std::make_unique<FrmNetwork>(*this);
  saveLoad_ = std::make_unique<FrmSaveLoad>(*this);
}

Game::~Game() = default;

FrmMain& Game::Main() {
  if (!main_->Loaded()) main_->Load();
  return *main_;
}

std::vector<Form*> Game::AllForms() const {
  return {main_.get(),   playerName_.get(), about_.get(),    hard_.get(),    soft_.get(),
          work_.get(),   shop_.get(),       hospital_.get(), happy_.get(),   education_.get(),
          family_.get(), virus_.get(),      bank_.get(),     network_.get(), saveLoad_.get()};
}

Form* Game::FindForm(const std::string& name) const {
  for (Form* f : AllForms())
    if (f->Name() == name) return f;
  return nullptr;
}

void Game::NoteLoaded(Form& f) {
  if (std::find(loaded_.begin(), loaded_.end(), &f) == loaded_.end()) loaded_.push_back(&f);
}

void Game::NoteUnloaded(Form& f) { loaded_.erase(std::remove(loaded_.begin(), loaded_.end(), &f), loaded_.end()); }

Form* Game::ActiveModal() const {
  Form* top = nullptr;
  for (Form* f : loaded_)
    if (f->Shown() && f->Modal()) top = f;
  return top;
}

}  // namespace kalvitor
