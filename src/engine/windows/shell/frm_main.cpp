#include "windows/shell/frm_main.h"

#include <algorithm>

#include "util/program_name.h"
#include "util/tr.h"
#include "windows/game.h"
#include "windows/places.h"

namespace kalvitor {
namespace {

// Layout of the window's client area (434 x 492 pixels): the four panels,
// and under them a message line of its own, three lines tall, so that the
// longest message covers no label.
constexpr int kInfoX = 8, kInfoY = 6, kInfoW = 268, kInfoH = 240;
constexpr int kMenuX = 284, kMenuY = 6, kMenuW = 142, kMenuH = 240;
constexpr int kHardX = 8, kHardY = 252, kHardW = 230, kHardH = 172;
constexpr int kSoftX = 242, kSoftY = 252, kSoftW = 184, kSoftH = 172;
constexpr int kRow = 17;
constexpr uint32_t kCaptionColor = 0xFFE6A0;  // warm light yellow for the static captions
constexpr uint32_t kValueColor = kWhite;
constexpr uint32_t kOverlay = 0x203048;  // the pause's and the cheat box's dark plate

}  // namespace

FrmMain::FrmMain(Game& game)
    : Form(game, "frmMain", kProgramTitle),
      lblMoney(Add("lblMoney", ControlKind::Label, "")),
      lblHappy(Add("lblHappy", ControlKind::Label, "")),
      lblEat(Add("lblEat", ControlKind::Label, "")),
      lblHealth(Add("lblHealth", ControlKind::Label, "")),
      lblEducation(Add("lblEducation", ControlKind::Label, "")),
      lblStatus(Add("lblStatus", ControlKind::Label, "")),
      lblfamily(Add("lblfamily", ControlKind::Label, "")),
      lblCurrWork(Add("lblCurrWork", ControlKind::Label, "")),
      lblGameLevel(Add("lblGameLevel", ControlKind::Label, Tr("Сложность игры: %GameLevel%"))),
      lblGameSpeed(Add("lblGameSpeed", ControlKind::Label, Tr("Скорость игры: %GameSpeed%"))),
      lblTime(Add("lblTime", ControlKind::Label, "")),
      lblhard([this] {
        std::vector<Control*> v;
        for (int i = 0; i < 9; ++i) v.push_back(&AddIndexed("lblhard", i, ControlKind::Label, ""));
        return v;
      }()),
      lblOs(Add("lblOs", ControlKind::Label, "")),
      lblAntiv(Add("lblAntiv", ControlKind::Label, "")),
      lblProg(Add("lblProg", ControlKind::Label, "")),
      lblGraphic(Add("lblGraphic", ControlKind::Label, "")),
      lblInet(Add("lblInet", ControlKind::Label, "")),
      lblGames(Add("lblGames", ControlKind::Label, "")),
      lblOther(Add("lblOther", ControlKind::Label, "")),
      lblMessage(Add("lblMessage", ControlKind::Label, "")),
      shpMsgShape(Add("shpMsgShape", ControlKind::Shape, "")),
      lblPause(Add("lblPause", ControlKind::Label, Tr("Пауза"))),
      lblPauseInstr(Add("lblPauseInstr", ControlKind::Label, Tr("Нажмите P для продолжения игры"))),
      lblCheatInstr(Add("lblCheatInstr", ControlKind::Label, Tr("Чит:"))),
      txtCheat(Add("txtCheat", ControlKind::TextBox, "")),
      cmdCheatOk(Add("cmdCheatOk", ControlKind::Button, Tr("ОК"))),
      cmdCheatCancel(Add("cmdCheatCancel", ControlKind::Button, Tr("Отмена"))),
      tmrTime(Add("tmrTime", ControlKind::Timer, "")),
      tmrMusic(Add("tmrMusic", ControlKind::Timer, "")) {
  SetClientSize(434, 492);

  PlacePanels();
  PlaceMenuColumn();
  PlaceOverlay();
  // Enter and Esc answer the cheat box while it is open.
  SetKeys(&cmdCheatOk, &cmdCheatCancel);
  lblMessage.design.typed = true;

  tmrTime.design.interval = 250;
  tmrTime.props = tmrTime.design;
  tmrMusic.design.interval = 2000;
  tmrMusic.design.enabled = false;
  tmrMusic.props = tmrMusic.design;

  BuildMenus();
}

// The four frames: the values of the game with their captions, the menu
// column's frame, and the computer's hardware and software.
void FrmMain::PlacePanels() {
  // Frames and static captions.
  Add("fraInfo", ControlKind::Panel, Tr("Информационная панель"))
      .At(kInfoX, kInfoY, kInfoW, kInfoH)
      .Color(kCaptionColor)
      .Font(9, true);
  Add("fraMenu", ControlKind::Panel, Tr("Меню")).At(kMenuX, kMenuY, kMenuW, kMenuH).Color(kCaptionColor).Font(9, true);
  Add("fraHard", ControlKind::Panel, Tr("Компьютер (Hardware)"))
      .At(kHardX, kHardY, kHardW, kHardH)
      .Color(kCaptionColor)
      .Font(9, true);
  Add("fraSoft", ControlKind::Panel, Tr("Компьютер (Software)"))
      .At(kSoftX, kSoftY, kSoftW, kSoftH)
      .Color(kCaptionColor)
      .Font(9, true);

  const char* infoCaptions[] = {Tr("Бюджет"),      Tr("Настроение"), Tr("Сытость"),        Tr("Здоровье"),
                                Tr("Образование"), Tr("Статус"),     Tr("Состояние семьи")};
  Control* infoValues[] = {&lblMoney, &lblHappy, &lblEat, &lblHealth, &lblEducation, &lblStatus, &lblfamily};
  for (int i = 0; i < 7; ++i) {
    int y = kInfoY + 22 + i * kRow;
    Control& caption = AddIndexed("lblInfoCaption", i, ControlKind::Label, infoCaptions[i])
                           .At(kInfoX + 10, y, 120, 16)
                           .Color(kCaptionColor);
    infoValues[i]->At(kInfoX + 134, y, 126, 16).Color(kValueColor).Font(9, true).CaptionedBy(caption);
  }
  int y = kInfoY + 22 + 7 * kRow + 6;
  lblCurrWork.At(kInfoX + 10, y, kInfoW - 20, 16).Color(kValueColor);
  lblGameLevel.At(kInfoX + 10, y + kRow, kInfoW - 20, 16).Color(kValueColor);
  lblGameSpeed.At(kInfoX + 10, y + 2 * kRow, kInfoW - 20, 16).Color(kValueColor);
  lblTime.At(kInfoX + 10, y + 3 * kRow, kInfoW - 20, 16).Color(kValueColor).Font(9, true);

  const char* hardCaptions[] = {Tr("Процессор:"), Tr("ОЗУ:"),  Tr("Видеокарта:"), Tr("Винчестер:"), "CD-ROM:",
                                Tr("Модем:"),     Tr("Звук:"), Tr("Сканер:"),     Tr("Принтер:")};
  for (int i = 0; i < 9; ++i) {
    int ry = kHardY + 20 + i * kRow;
    Control& caption = AddIndexed("lblHardCaption", i, ControlKind::Label, hardCaptions[i])
                           .At(kHardX + 6, ry, 72, 16)
                           .Color(kCaptionColor)
                           .Font(8);
    lblhard[static_cast<size_t>(i)]
        ->At(kHardX + 78, ry, kHardW - 82, 16)
        .Color(kValueColor)
        .Font(8)
        .CaptionedBy(caption);
  }
  const char* softCaptions[] = {Tr("ОС:"),       Tr("Антивирус:"),   Tr("Программ-е:"), Tr("Графика:"),
                                Tr("Интернет:"), Tr("Развлечения:"), Tr("Прочее:")};
  Control* softValues[] = {&lblOs, &lblAntiv, &lblProg, &lblGraphic, &lblInet, &lblGames, &lblOther};
  for (int i = 0; i < 7; ++i) {
    int ry = kSoftY + 20 + i * kRow;
    Control& caption = AddIndexed("lblSoftCaption", i, ControlKind::Label, softCaptions[i])
                           .At(kSoftX + 6, ry, 76, 16)
                           .Color(kCaptionColor)
                           .Font(8);
    softValues[i]->At(kSoftX + 82, ry, kSoftW - 86, 16).Color(kValueColor).Font(8).CaptionedBy(caption);
  }
}

// The menu column: a clickable label for each place of the table, laid out
// from the top down to "Свернуть игру".
void FrmMain::PlaceMenuColumn() {
  constexpr int kTop = kMenuY + 22, kBottom = kMenuY + kMenuH - 30, kRowStep = 18;
  int rows = 0;
  for (const Place& p : Places()) rows += p.label != nullptr ? 1 : 0;
  const int step = std::min(kRowStep, (kBottom - kTop) / std::max(rows, 1));
  int i = 0;
  for (const Place& p : Places()) {
    if (p.label == nullptr) continue;
    Add(p.label, ControlKind::ClickLabel, Tr(p.caption))
        .At(kMenuX + 14, kTop + i * step, kMenuW - 28, step)
        .Color(0xFFFFFF)
        .Font(10, true)
        .Tip(Tr(p.tip));
    OnClick(p.label, [this, &p](int) { Visit(p); });
    ++i;
  }
  Add("Command1", ControlKind::Button, Tr("Свернуть игру")).At(kMenuX + 10, kBottom, kMenuW - 20, 24);
  OnClick("Command1", [this](int) {
    game_.PlaySfx("BUTTONS");
    game_.port.MinimizeMainWindow();
    WindowMinimized();
  });
}

// The message line and the overlay shared by the pause and the cheat box.
void FrmMain::PlaceOverlay() {
  lblMessage.At(8, 430, 418, 56).Color(kValueColor).Font(9, true);
  // The overlay lies over the upper panels only, clear of the computer's
  // panel headings.
  shpMsgShape.At(57, 138, 320, 112).Back(kOverlay).Hidden();
  // The pause's two lines above, the cheat box's row below: both may show.
  lblPause.At(57, 144, 320, 40).Font(22, true).AlignTo(ControlProps::Center).Color(0xFFFFFF).Hidden();
  lblPause.announced = true;
  lblPauseInstr.At(57, 184, 320, 20).AlignTo(ControlProps::Center).Color(0xFFE6A0).Hidden();
  // The P key hides the shape while the cheat box stays open: the box's
  // caption is a plate of its own under the whole row, so the row never
  // stands bare over the labels.
  lblCheatInstr.At(67, 213, 300, 32).Back(kOverlay).Color(0xFFFFFF).Font(10, true).Hidden();
  txtCheat.At(117, 218, 110, 22).Color(0x000000).Hidden().CaptionedBy(lblCheatInstr);
  cmdCheatOk.At(233, 217, 56, 24).Hidden();
  cmdCheatCancel.At(293, 217, 66, 24).Hidden();
  OnClick("cmdCheatCancel", [this](int) {
    game_.PlaySfx("BUTTONS");
    HideCheatBox();
  });
  OnClick("cmdCheatOk", [this](int) {
    game_.PlaySfx("BUTTONS");
    game_.PlaySfx("BUTTONS");
    HideCheatBox();
    game_.ApplyCheatCode(txtCheat.Text());
  });
}

Control& FrmMain::SoftwareLabel(int slot) {
  Control* labels[] = {&lblOs, &lblAntiv, &lblProg, &lblGraphic, &lblInet, &lblGames};
  return *labels[slot];
}

std::vector<Control*> FrmMain::GameLabels() {
  std::vector<Control*> v = {&lblMoney,  &lblHappy,    &lblEat,       &lblHealth,    &lblEducation, &lblStatus,
                             &lblfamily, &lblCurrWork, &lblGameLevel, &lblGameSpeed, &lblTime};
  for (Control* c : lblhard) v.push_back(c);
  for (Control* c : {&lblOs, &lblAntiv, &lblProg, &lblGraphic, &lblInet, &lblGames, &lblOther, &lblMessage})
    v.push_back(c);
  return v;
}

void FrmMain::FormLoad() {
  paused_ = false;
  game_.ClockTick();
  SetBackground("MAIN");
  game_.ReadSoundSwitches();
  ReadAutoPause();
  if (game_.s.MusicOn == kTrue) game_.PlayRandomTrack();
}

void FrmMain::OpenPlace(Form& screen) {
  game_.PlaySfx("WINDOWS");
  game_.PlaySfx("BUTTONS");
  screen.ShowModal();
}

void FrmMain::Visit(const Place& place) {
  if (place.window == nullptr) return;
  if (place.online && (game_.s.Hw[kHwModem] < 1 || game_.s.Soft[kSoftBrowser] < 1)) {
    game_.MsgBox(Tr("Установи 9600 bps модем, Microsoft Windows 95 и Mirosoft Internet Explorer 3.0"),
                 Tr("Слабая машинка"), MsgIcon::Information);
    return;
  }
  OpenPlace(*game_.FindForm(place.window));
}

void FrmMain::HideCheatBox() {
  for (Control* c : {&txtCheat, &cmdCheatOk, &cmdCheatCancel, &lblCheatInstr, &shpMsgShape}) c->SetVisible(false);
}

void FrmMain::FormKeyPress(const std::string& ch) {
  if (ch == "c" || ch == "с") {
    game_.PlaySfx("BUTTONS");
    for (Control* c : {&shpMsgShape, &txtCheat, &cmdCheatOk, &cmdCheatCancel, &lblCheatInstr}) c->SetVisible(true);
  } else if (ch == "p" || ch == "з") {
    game_.PlaySfx("BUTTONS");
    SetPaused(!paused_);
  }
}

void FrmMain::SetPaused(bool paused) {
  paused_ = paused;
  // The window goes out of use before "Пауза" shows: a screen reader hears
  // the many changes of state first and the pause last, not drowned by them.
  SetEnabled(!paused);
  for (Control* c : {&shpMsgShape, &lblPause, &lblPauseInstr}) c->SetVisible(paused);
}

void FrmMain::ReadAutoPause() {
  autoPause_ = game_.RegGetString("AutoPause", "0") == "1";
  if (MenuItem* m = FindItemByName("mnuSpeedAutoPause")) m->checked = autoPause_;
  game_.port.OnFormEvent(*this, FormEvent::Changed);
}

void FrmMain::WindowMinimized() {
  // No click sound: nothing was pressed in the game.
  if (autoPause_ && !paused_ && Loaded()) SetPaused(true);
}

void FrmMain::Pause() {
  if (!paused_ && Loaded()) SetPaused(true);
}

void FrmMain::FormUnloadQuestion() {
  MsgAnswer a =
      game_.MsgBox(Tr("Сохранить игру сейчас???"), Tr("Внимание!"), MsgIcon::Question, MsgButtons::YesNoCancel);
  if (a == MsgAnswer::Cancel) return;
  // A save that could not be written keeps the program running, so that the
  // game is not lost; a cancelled file name ends it all the same.
  if (a == MsgAnswer::Yes && !game_.SaveGame()) return;
  game_.port.EndProgram();
}

// A menu or item is found by the caption it shows or by its Russian source,
// in any language.
Menu* FrmMain::FindMenu(const std::string& caption) {
  for (Menu& m : menus_)
    if (m.caption == caption || m.caption == Tr(caption)) return &m;
  return nullptr;
}

MenuItem* FrmMain::FindItem(Menu& menu, const std::string& caption) {
  for (MenuItem& it : menu.items)
    if (it.caption == caption || it.caption == Tr(caption)) return &it;
  return nullptr;
}

MenuItem* FrmMain::FindItemByName(const std::string& name) {
  for (Menu& m : menus_)
    for (MenuItem& it : m.items)
      if (it.name == name) return &it;
  return nullptr;
}

void FrmMain::RefreshSoundMarks() {
  if (MenuItem* m = FindItemByName("mnuMusicMusic")) m->checked = game_.s.MusicOn == kTrue;
  if (MenuItem* m = FindItemByName("mnuMusicSFX")) m->checked = game_.s.SfxOn == kTrue;
  game_.port.OnFormEvent(*this, FormEvent::Changed);
}

}  // namespace kalvitor
