// The main window's menu bar: six menus of items, each item with the
// handler it runs. Every item clicks (BUTTONS) first; the places open as the
// menu column opens them.
#include <algorithm>

#include "util/tr.h"
#include "windows/game.h"
#include "windows/places.h"
#include "windows/screens/frm_about.h"
#include "windows/shell/frm_main.h"

namespace kalvitor {
namespace {

using Action = std::function<void()>;

// An item's handler that clicks first.
Action Clicking(Game& g, Action then) {
  return [&g, then] {
    g.PlaySfx("BUTTONS");
    then();
  };
}

}  // namespace

void FrmMain::BuildMenus() {
  for (Menu (FrmMain::*menu)() : {&FrmMain::FileMenu, &FrmMain::GameMenu, &FrmMain::LevelMenu, &FrmMain::SpeedMenu,
                                  &FrmMain::SoundMenu, &FrmMain::LanguageMenu, &FrmMain::HelpMenu})
    if (menu != &FrmMain::LanguageMenu || game_.port.OffersLanguages()) menus_.push_back((this->*menu)());
}

Menu FrmMain::FileMenu() {
  Game& g = game_;
  Menu file{"mnuFile", Tr("Файл"), true, nullptr, {}};
  file.items.push_back({"mnuFileNew", Tr("Новая игра"), true, false, false, Clicking(g, [&g] { g.NewGame(true); })});
  file.items.push_back(
      {"mnuFileSave", Tr("Сохранить игру..."), true, false, true, Clicking(g, [&g] { g.SaveGame(); })});
  file.items.push_back(
      {"mnuFileLoad", Tr("Загрузить игру..."), true, false, false, Clicking(g, [&g] { g.LoadGame(); })});
  file.items.push_back({"mnuFileExit", Tr("Выход"), true, false, true, Clicking(g, [this] { FormUnloadQuestion(); })});
  return file;
}

// The places in the order of their items, then the journal and the statistics.
Menu FrmMain::GameMenu() {
  Game& g = game_;
  Menu play{"mnuGame", Tr("Игра"), true, nullptr, {}};
  std::vector<const Place*> places;
  for (const Place& p : Places()) places.push_back(&p);
  std::sort(places.begin(), places.end(), [](const Place* a, const Place* b) { return a->itemOrder < b->itemOrder; });
  for (const Place* p : places) {
    const bool opens = p->window != nullptr;
    play.items.push_back(
        {p->item, Tr(p->itemCaption), opens, false, false, opens ? Clicking(g, [this, p] { Visit(*p); }) : Action{}});
  }
  play.items.push_back({"mnuGameJournal", Tr("Журнал событий..."), true, false, true,
                        Clicking(g, [&g] { g.port.ShowToolWindow(ToolWindow::Journal); }), "Ctrl+J"});
  play.items.push_back({"mnuGameStats", Tr("Статистика..."), true, false, false,
                        Clicking(g, [&g] { g.port.ShowToolWindow(ToolWindow::Stats); }), "Ctrl+T"});
  play.items.end()[-2].onlyShows = play.items.end()[-1].onlyShows = true;
  return play;
}

// Shown, never available: the level is chosen in the name dialog.
Menu FrmMain::LevelMenu() {
  Menu level{"mnuLevel", Tr("Уровень игры"), false, nullptr, {}};
  level.items.push_back({"mnuLevelHard", Tr("Сложный"), false, false, false, nullptr});
  level.items.push_back({"mnuLevelNormal", Tr("Нормальный"), false, false, false, nullptr});
  level.items.push_back({"mnuLevelEasy", Tr("Простой"), false, false, false, nullptr});
  return level;
}

Menu FrmMain::SpeedMenu() {
  Game& g = game_;
  Menu speed{"mnuSpeed", Tr("Скорость игры"), true, [this] { ReadAutoPause(); }, {}};
  speed.items.push_back({"mnuSpeedFast", Tr("Быстрый"), true, false, false, Clicking(g, [&g] { g.SetSpeed(60); })});
  speed.items.push_back(
      {"mnuSpeedNormal", Tr("Нормальный"), true, false, false, Clicking(g, [&g] { g.SetSpeed(30); })});
  speed.items.push_back({"mnuSpeedSlow", Tr("Медленный"), true, false, false, Clicking(g, [&g] { g.SetSpeed(15); })});
  speed.items.push_back({"mnuSpeedAutoPause", Tr("Пауза при сворачивании"), true, false, true,
                         Clicking(g, [this] { ToggleAutoPause(); })});
  return speed;
}

Menu FrmMain::SoundMenu() {
  Game& g = game_;
  Menu sound{"mnuMusic", Tr("Звук"), true, [this] { game_.ReadSoundSwitches(); }, {}};
  sound.items.push_back({"mnuMusicMusic", Tr("Музыка"), true, false, false, Clicking(g, [this] { ToggleMusic(); })});
  sound.items.push_back({"mnuMusicSFX", Tr("Эффекты"), true, false, false, Clicking(g, [this] { ToggleEffects(); })});
  sound.items.push_back({"mnuMusicNext", Tr("Следующая"), true, false, true, Clicking(g, [this] { NextTrack(); })});
  return sound;
}

// Every language the game speaks, by its own name (so that a player who does
// not read the language shown still finds theirs), the one spoken checked.
Menu FrmMain::LanguageMenu() {
  Game& g = game_;
  Menu language{"mnuLanguage", Tr("Язык"), true, nullptr, {}};
  for (const std::string& code : AvailableLanguages())
    language.items.push_back({"mnuLanguage_" + code, LanguageName(code), true, code == Language(), false,
                              Clicking(g, [&g, code] { g.SpeakLanguage(code); })});
  // Like the journal, it changes nothing in the game: it works while the
  // game is paused and while a place is open.
  for (MenuItem& item : language.items) item.onlyShows = true;
  return language;
}

void FrmMain::Relabel(const Form& fresh, const std::string& from) {
  Form::Relabel(fresh, from);
  const std::vector<Menu>& freshMenus = static_cast<const FrmMain&>(fresh).menus_;
  for (size_t m = 0; m < menus_.size() && m < freshMenus.size(); ++m) {
    menus_[m].caption = freshMenus[m].caption;
    for (size_t i = 0; i < menus_[m].items.size() && i < freshMenus[m].items.size(); ++i) {
      MenuItem& item = menus_[m].items[i];
      item.caption = freshMenus[m].items[i].caption;
      if (item.name.starts_with("mnuLanguage_")) item.checked = item.name == "mnuLanguage_" + Language();
    }
  }
  if (Shown()) {
    for (Fact fact :
         {Fact::Status, Fact::Family, Fact::Job, Fact::Difficulty, Fact::Speed, Fact::DownloadedMb, Fact::Time})
      Refresh(fact, 0);
    for (int slot = 0; slot < kHardwareSlots; ++slot) Refresh(Fact::Hardware, slot);
    for (int slot = 0; slot < kSoftwareSlots; ++slot) Refresh(Fact::Software, slot);
  }
  if (Loaded()) game_.port.OnFormEvent(*this, FormEvent::Changed);
}

Menu FrmMain::HelpMenu() {
  Game& g = game_;
  Menu help{"mnuHelp", Tr("Справка"), true, nullptr, {}};
  help.help = true;
  help.items.push_back(
      {"mnuHelpReadme", Tr("Справка"), true, false, false, Clicking(g, [&g] { g.ShowTextFile("readme.txt"); })});
  help.items.push_back({"mnuHelpLicense", Tr("Лицензионное соглашение"), true, false, false,
                        Clicking(g, [&g] { g.ShowTextFile("license.txt"); })});
  help.items.push_back({"mnuHelpAbout", Tr("О программе..."), true, false, true,
                        Clicking(g, [&g] { g.Window<FrmAbout>().ShowModal(); })});
  return help;
}

// "Пауза при сворачивании": kept in the settings store as AutoPause.
void FrmMain::ToggleAutoPause() {
  autoPause_ = !autoPause_;
  if (MenuItem* m = FindItemByName("mnuSpeedAutoPause")) m->checked = autoPause_;
  game_.RegSetString("AutoPause", autoPause_ ? "1" : "0");
  game_.port.OnFormEvent(*this, FormEvent::Changed);
}

void FrmMain::ToggleMusic() { game_.SwitchMusic(game_.s.MusicOn != kTrue); }

void FrmMain::ToggleEffects() { game_.SwitchEffects(game_.s.SfxOn != kTrue); }

void FrmMain::NextTrack() {
  Game& g = game_;
  if (g.s.MusicOn != kTrue) return;
  g.StopMusic();
  g.PlayRandomTrack();
}

}  // namespace kalvitor
