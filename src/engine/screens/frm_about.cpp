#include "screens/frm_about.h"

#include "game.h"

namespace kalvitor {

FrmAbout::FrmAbout(Game& game)
    : Form(game, "frmAbout", "О Brindlex Kalvitor 1.6") {}

}  // namespace kalvitor
