// The engine: the life with its windows. One object per run of the program.
// The life (life.h) holds the state and every rule and includes no window;
// the windows (game_windows.h) are the models of the screens, and the only
// part that builds them. The engine reaches the world only through the
// frontend port.
#pragma once

#include <cstdint>
#include <string>

#include "life/life.h"
#include "windows/game_windows.h"

namespace kalvitor {

class Game : public Life, public GameWindows {
 public:
  // Everything in one folder (the driver's and the tests' way).
  Game(FrontendPort& port, const std::string& programFolder, uint64_t seed = 1);
  Game(FrontendPort& port, GameFolders folders, uint64_t seed = 1);
  ~Game() override;
};

}  // namespace kalvitor
