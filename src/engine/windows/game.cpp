#include "windows/game.h"

namespace kalvitor {

Game::Game(FrontendPort& p, const std::string& programFolder, uint64_t seed)
    : Game(p, GameFolders::Portable(programFolder), seed) {}

Game::Game(FrontendPort& p, GameFolders folders, uint64_t seed)
    : Life(p, std::move(folders), seed), GameWindows(*this) {
  AttachView(*this);
}

Game::~Game() = default;

}  // namespace kalvitor
