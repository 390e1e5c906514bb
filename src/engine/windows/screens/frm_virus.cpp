#include "windows/screens/frm_virus.h"

#include "util/tr.h"
#include "windows/game.h"

namespace kalvitor {

FrmVirus::FrmVirus(Game& game) : Form(game, "frmVirus", Tr("Внимание! Вирус!")) {
  SetClientSize(380, 150);
  Add("Image1", ControlKind::Image, "").At(14, 14, 64, 64).Back(0x801010).Picture("VIRUS");
  Add("Label1", ControlKind::Label, Tr("На Вашем компьютере обнаружен злой вирус!"))
      .At(92, 24, 276, 40)
      .Font(10, true)
      .Color(0x000000);
  Add("Command1", ControlKind::Button, Tr("Убить антивирусником")).At(14, 100, 170, 30);
  Add("Command2", ControlKind::Button, Tr("Отпустить на волю")).At(196, 100, 170, 30);
  OnClick("Command1", [this](int) { Command1_Click(); });
  OnClick("Command2", [this](int) { Command2_Click(); });
}

void FrmVirus::Command2_Click() {
  game_.PlaySfx("BUTTONS");
  game_.LetVirusGo();
  Hide();
}

void FrmVirus::Command1_Click() {
  game_.PlaySfx("BUTTONS");
  game_.FightVirus();
  Hide();
}

}  // namespace kalvitor
