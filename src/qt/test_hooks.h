// What the system tests may ask of the desktop game through its environment,
// and nothing when the variables are not set:
//   KALVITOR_TEST_SEED=N        start the game's chance from N
//   KALVITOR_TEST_RND=a,b,...   the first draws of chance return a, b, ...
//                               (values in [0, 1), as the driver's rnd)
//   KALVITOR_TEST_DUMP=FILE     on SIGUSR1, write what the game holds and
//                               shows to FILE (read only: it changes nothing;
//                               Linux only, see dump_request.h)
#pragma once

#include <cstdint>
#include <optional>

namespace kalvitor {
class Game;
}

namespace kalvitor::qt {

class QtPort;

// The seed the tests ask for, if any.
std::optional<uint64_t> TestSeed();
// Queues the forced draws and sets up the dump; call once the game exists.
void SetUpTestHooks(Game& game, QtPort& port);

}  // namespace kalvitor::qt
