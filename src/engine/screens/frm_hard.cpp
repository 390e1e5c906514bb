#include "screens/frm_hard.h"

#include "game.h"

namespace kalvitor {

FrmHard::FrmHard(Game& game)
    : Form(game, "frmHard", "Железо") {}

}  // namespace kalvitor
