#include "screens/frm_shop.h"

#include "game.h"

namespace kalvitor {

FrmShop::FrmShop(Game& game)
    : Form(game, "frmShop", "Магазин") {}

}  // namespace kalvitor
