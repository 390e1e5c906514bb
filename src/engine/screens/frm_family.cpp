#include "screens/frm_family.h"

#include "game.h"

namespace kalvitor {

FrmFamily::FrmFamily(Game& game)
    : Form(game, "frmFamily", "") {}

}  // namespace kalvitor
