#include "network/frm_network.h"

#include "game.h"

namespace kalvitor {

FrmNetwork::FrmNetwork(Game& game)
    : Form(game, "frmNetwork", "Выход в свет") {}

}  // namespace kalvitor
