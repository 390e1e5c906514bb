#include "windows/screens/frm_virus.h"

#include "util/int_math.h"
#include "windows/game.h"

namespace kalvitor {

FrmVirus::FrmVirus(Game& game) : Form(game, "frmVirus", "Внимание! Вирус!") {
  SetClientSize(380, 150);
  Add("Image1", ControlKind::Image, "").At(14, 14, 64, 64).Back(0x801010).Picture("VIRUS");
  Add("Label1", ControlKind::Label, "На Вашем компьютере обнаружен злой вирус!")
      .At(92, 24, 276, 40)
      .Font(10, true)
      .Color(0x000000);
  Add("Command1", ControlKind::Button, "Убить антивирусником").At(14, 100, 170, 30);
  Add("Command2", ControlKind::Button, "Отпустить на волю").At(196, 100, 170, 30);
  OnClick("Command1", [this](int) { Command1_Click(); });
  OnClick("Command2", [this](int) { Command2_Click(); });
}

int64_t FrmVirus::Loss() const { return DivRoundHalfEven(game_.s.Money, 20); }

void FrmVirus::Lose(const std::string& textBefore) {
  const Guard game = game_.ThisGame();
  game_.MsgBox(textBefore + std::to_string(Loss()) + " баксов!", "Сообщение", MsgIcon::Exclamation);
  if (game.Over()) return;
  game_.SetMoney(Sat32(int64_t{game_.s.Money} - Loss()), MoneyCause::Virus);
}

void FrmVirus::Command2_Click() {
  game_.PlaySfx("BUTTONS");
  Lose("Вирус сожрал ");
  Hide();
}

void FrmVirus::Command1_Click() {
  game_.PlaySfx("BUTTONS");
  game_.rnd.ReseedWithDraw(10);
  const int r = game_.rnd.DrawInt(10);
  if (game_.s.Soft[kSoftAntivirus] <= 0) {
    Lose("Нет у вас антивируса! Вирус сожрал ");
  } else if (r > 5) {
    game_.MsgBox("Поздравляю! Вирус убит!", "Сообщение", MsgIcon::Exclamation);
  } else {
    Lose("Не повезло! Он сожрал ");
  }
  Hide();
}

}  // namespace kalvitor
