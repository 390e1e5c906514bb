#include "screens/frm_education.h"

#include "game.h"

namespace kalvitor {

FrmEducation::FrmEducation(Game& game)
    : Form(game, "frmEducation", "Повышение квалификации"),
      Command2(Add("Command2", ControlKind::Button, "Ходить на комп. курсы - +1 к комп. зн. - $75")),
      Command1(Add("Command1", ControlKind::Button, "Ходить в школу - +10 к обр.  - $50")) {}

}  // namespace kalvitor
