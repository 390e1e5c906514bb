#include "screens/frm_happy.h"

#include "game.h"

namespace kalvitor {

FrmHappy::FrmHappy(Game& game)
    : Form(game, "frmHappy", "Развлечения") {}

}  // namespace kalvitor
