#include "windows/screens/frm_about.h"

#include "util/program_name.h"
#include "util/tr.h"
#include "windows/game.h"
#include "windows/shell/frm_player_name.h"

namespace kalvitor {
namespace {

// No background picture: dark text on the window's plain face.
constexpr int kW = 420, kH = 330;
constexpr uint32_t kInk = 0x000000;
constexpr uint32_t kLink = 0x0000C0;

const char* const kCredits = KV_N(
    "Программирование: Тимофей Зарецкий\n"
    "Дизайн и графика: Алина Ветрова\n"
    "Идея игры: Глеб Сомов и Тимофей Зарецкий\n"
    "Звук и музыка: Денис Рыбаков\n"
    "Распространение: Brindlex Software, Ирина Лазарева\n"
    "Отдельное спасибо: Павлу Дымову, Ольге Ясной и всем, кто играл в бета-версии!");

}  // namespace

FrmAbout::FrmAbout(Game& game) : Form(game, "frmAbout", std::string(Tr("О ")) + kProgramTitle) {
  SetClientSize(kW, kH);
  AddLogo("Label1");
  Add("Label4", ControlKind::Label, Tr("Версия 1.6 для Windows 9.x/NT"))
      .At(144, 12, 264, 20)
      .Font(10, true)
      .Color(kInk);
  Add("txtHeartText", ControlKind::TextBox, Tr(kCredits)).At(144, 38, 264, 150).Font(8).Color(kInk).Locked();

  Add("Label11", ControlKind::Label, Tr("Наш веб-сайт:")).At(12, 200, 120, 18).Font(9, true).Color(kInk);
  Add("Label9", ControlKind::Label, Tr("Наш E-Mail:")).At(12, 226, 120, 18).Font(9, true).Color(kInk);
  Add("Label10", ControlKind::Label, Tr("или")).At(144, 246, 40, 18).Color(kInk);
  struct Link {
    const char* shown;
    std::string target;
    int y;
  };
  const Link links[] = {
      {kMakerWeb, kMakerWeb, 200},
      {kMakerMail, std::string("mailto:") + kMakerMail, 226},
      {kMakerMail2, std::string("mailto:") + kMakerMail2, 266},
  };
  int index = 0;
  for (const Link& link : links) {
    Control& label =
        AddIndexed("lblHyperlink", index++, ControlKind::ClickLabel, link.shown).At(144, link.y, 264, 18).Color(kLink);
    label.design.tag = link.target;
    label.props = label.design;
  }
  Add("lblLicense", ControlKind::Label,
      Tr("Свободная программа: GNU GPL версии 3 или любой более поздней. Без каких-либо гарантий."))
      .At(12, kH - 40, kW - 136, 32)
      .Font(7)
      .Color(kInk);
  Control& ok = Add("Command1", ControlKind::Button, "OK").At(kW - 112, kH - 38, 100, 28).Color(kInk);
  // The box's one button answers both keys.
  SetKeys(&ok, &ok);

  OnClick("lblHyperlink", [this](int i) { lblHyperlink_Click(i); });
  OnClick("Command1", [this](int) { Command1_Click(); });
}

void FrmAbout::FormLoad() { game_.PlaySfx("LOGOSOUND"); }

// A link opens in the system's handler; the box stays open.
void FrmAbout::lblHyperlink_Click(int index) {
  game_.PlaySfx("BUTTONS");
  if (Control* label = Find("lblHyperlink", index)) game_.OpenLink(label->props.tag);
}

void FrmAbout::Command1_Click() {
  game_.PlaySfx("BUTTONS");
  Unload();
}

}  // namespace kalvitor
