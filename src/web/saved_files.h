// Saved games beyond the browser: the page's save/load dialog has two
// buttons of its own beside the game's (site/js/saved_files.js). "Скачать"
// hands the player the selected game's files, the same bytes the desktop
// game writes (the page reads them from the player's folder); "Открыть
// файл…" brings in a game from the player's computer: the page puts the
// picked files into a folder of the program's memory, and the program checks
// them with the game's own readers, copies them into the Save folder,
// stores it and lists the game. Whatever is wrong is said in a message box,
// and then nothing has changed.
#pragma once

#include <string>
#include <vector>

#include "windows/game.h"

namespace kalvitor::web {

// A file the player picked: its name, its size in bytes, and where the page
// put its bytes ("" when it did not read them: too big; "-" when it could
// not).
struct PickedFile {
  std::string name;
  double size = 0;
  std::string path;
};

// "Скачать": the selected game's files, sent to the page as "download".
// Both act only while the save/load dialog is up.
void ExportSelectedGame(Game& game);
// "Открыть файл…": the picked files, one saved game and maybe its journal;
// the page's copies are removed afterwards.
void ImportPickedFiles(Game& game, const std::vector<PickedFile>& files);

}  // namespace kalvitor::web
