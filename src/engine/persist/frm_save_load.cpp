#include "persist/frm_save_load.h"

#include "game.h"

namespace kalvitor {

FrmSaveLoad::FrmSaveLoad(Game& game)
    : Form(game, "frmSaveLoad", "") {}

}  // namespace kalvitor
