#include "screens/frm_bank.h"

#include "game.h"

namespace kalvitor {

FrmBank::FrmBank(Game& game)
    : Form(game, "frmBank", "The Bank of New York") {}

}  // namespace kalvitor
