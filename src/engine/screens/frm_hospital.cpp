#include "screens/frm_hospital.h"

#include "game.h"

namespace kalvitor {

FrmHospital::FrmHospital(Game& game)
    : Form(game, "frmHospital", "Госпиталь") {}

}  // namespace kalvitor
