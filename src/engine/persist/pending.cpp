// Placeholders for routines of windows that are not built yet.
#include "game.h"

namespace kalvitor {

void Game::SaveGame() {}
bool Game::LoadGame() { return false; }
std::string Game::AskSaveLoadFileName(int16_t) { return ""; }
void Game::BankOperation(int16_t, int32_t) {}
std::string Game::GetRandomAnecdote() { return ""; }

}  // namespace kalvitor
