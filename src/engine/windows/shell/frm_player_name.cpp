#include "windows/shell/frm_player_name.h"

#include "util/tr.h"
#include "windows/game.h"
#include "windows/shell/frm_main.h"

namespace kalvitor {

const char* const kMakerMail = "brindlex@example.org";
const char* const kMakerMail2 = "kalvitor@example.org";
const char* const kMakerWeb = "http://www.example.org/kalvitor/";

FrmPlayerName::FrmPlayerName(Game& game)
    : Form(game, "frmPlayerName", Tr("Добро пожаловать")),
      Text1(Add("Text1", ControlKind::TextBox, "")),
      cboLevel(Add("cboLevel", ControlKind::ComboBox, "")) {
  SetClientSize(440, 330);
  const uint32_t ink = 0x000000;
  AddLogo("Label5");
  Add("Label12", ControlKind::Label,
      Tr("Добро пожаловать в игру Kalvitor версии 1.6 для Windows 9.x/NT. Данная игра является текстовой стратегией "
         "с элементами RPG и невероятными поворотами событий!\n\nДля начала новой игры введите своё имя, выберите "
         "уровень сложности и нажмите ОК.\nДля загрузки уже существующей игры нажмите Загрузить игру."))
      .At(144, 10, 286, 130)
      .Color(ink);
  Control& nameCaption =
      Add("Label1", ControlKind::Label, Tr("Введите Ваше имя:")).At(12, 150, 200, 18).Color(ink).Font(9, true);
  // A name fits the window's title and a line of a saved game.
  Text1.At(12, 170, 200, 24).Color(ink).MaxLength(kPlayerNameMaxLength).CaptionedBy(nameCaption);
  Control& levelCaption =
      Add("Label4", ControlKind::Label, Tr("Уровень сложности:")).At(228, 150, 200, 18).Color(ink).Font(9, true);
  cboLevel.At(228, 170, 200, 24).Color(ink).CaptionedBy(levelCaption);
  cboLevel.design.items = {Tr("Легкий"), Tr("Нормальный"), Tr("Сложный!")};
  cboLevel.props = cboLevel.design;
  Control& ok = Add("Command1", ControlKind::Button, "OK").At(12, 210, 130, 28);
  Control& cancel = Add("Command2", ControlKind::Button, Tr("Отмена")).At(154, 210, 130, 28);
  SetKeys(&ok, &cancel);
  Add("Command3", ControlKind::Button, Tr("Загрузить игру")).At(296, 210, 132, 28);
  Add("Label9", ControlKind::Label, Tr("Наш E-Mail:")).At(12, 256, 110, 18).Color(ink);
  Add("Label11", ControlKind::Label, Tr("Наш веб-сайт:")).At(12, 280, 110, 18).Color(ink);
  AddIndexed("lblHyperlink", 0, ControlKind::ClickLabel, kMakerMail).At(126, 256, 300, 18).Color(0x0000C0);
  AddIndexed("lblHyperlink", 1, ControlKind::ClickLabel, kMakerWeb).At(126, 280, 300, 18).Color(0x0000C0);

  OnClick("Command1", [this](int) { Command1_Click(); });
  OnClick("Command2", [this](int) { Command2_Click(); });
  OnClick("Command3", [this](int) { Command3_Click(); });
  OnClick("lblHyperlink", [this](int i) { lblHyperlink_Click(i); });
}

void FrmPlayerName::FormLoad() {
  cboLevel.SetListIndex(1);
  leftByLoading_ = false;
}

void FrmPlayerName::Remember() {
  chosenLevel_ = cboLevel.props.listIndex;
  chosenName_ = Text1.Text();
}

void FrmPlayerName::FormUnload() {
  // Closed by its close box or by a load: a closed dialog has an empty name box.
  if (!leftByLoading_) {
    chosenLevel_ = 1;
    chosenName_.clear();
  }
}

void FrmPlayerName::ResetAnswer(bool overRunningGame) {
  chosenLevel_ = 1;
  chosenName_.clear();
  leftByLoading_ = false;
  overRunningGame_ = overRunningGame;
  backToGame_ = false;
}

void FrmPlayerName::Command1_Click() {
  game_.PlaySfx("BUTTONS");
  // An empty name starts no game: over a game in progress that is Отмена.
  if (overRunningGame_ && Text1.Text().empty()) {
    Cancel();
    return;
  }
  Remember();
  Hide();
}

void FrmPlayerName::Command2_Click() {
  game_.PlaySfx("BUTTONS");
  Cancel();
}

void FrmPlayerName::CloseBox() {
  if (overRunningGame_) {
    Cancel();
    return;
  }
  Unload();
}

// At the start of the program and after a death or a victory there is no
// game to lose, and Отмена ends the program at once. A game in progress
// (the menu's "Новая игра") is asked about as the main window's close box
// asks: saved and ended, ended, or kept and gone back to.
void FrmPlayerName::Cancel() {
  if (!overRunningGame_) game_.port.EndProgram();
  const Guard game = game_.ThisGame();
  game_.MainForm().FormUnloadQuestion();
  // The game went on behind the question, and may have ended meanwhile.
  if (game.Over() || !Loaded()) return;
  backToGame_ = true;
  Hide();
}

void FrmPlayerName::Command3_Click() {
  game_.PlaySfx("BUTTONS");
  if (!game_.LoadGame()) return;
  if (!Loaded()) return;  // the loaded game died and a new one took over
  Remember();
  leftByLoading_ = true;
  game_.Main().Show();
  Unload();
}

void FrmPlayerName::lblHyperlink_Click(int index) {
  game_.PlaySfx("BUTTONS");
  if (index == 0) game_.OpenLink(std::string("mailto:") + kMakerMail);
  if (index == 1) game_.OpenLink(kMakerWeb);
}

}  // namespace kalvitor
