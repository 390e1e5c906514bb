#include "screens/frm_work.h"

#include "game.h"

namespace kalvitor {

FrmWork::FrmWork(Game& game)
    : Form(game, "frmWork", "Работа") {}

}  // namespace kalvitor
