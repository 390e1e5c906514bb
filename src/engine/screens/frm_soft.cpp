#include "screens/frm_soft.h"

#include "game.h"

namespace kalvitor {

FrmSoft::FrmSoft(Game& game)
    : Form(game, "frmSoft", "Софт") {}

}  // namespace kalvitor
