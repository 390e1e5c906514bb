// The desktop program's identity (the names the per-user folders are made
// from, the windows' icon) and its choice of the game's folders.
#pragma once

#include <QStringList>

#include "life/persist/game_folders.h"

namespace kalvitor::qt {

// Call once the QApplication exists, before any window is shown.
void SetUpIdentity();
// The program's own folder decides: the game beside it (portable) or the
// installed data at ../share/kalvitor and the player's files in the per-user
// data folder (~/.local/share/Brindlex/Kalvitor 1.6). On Windows the data
// is always beside the program; the player's files are too when that folder
// can be written (an unpacked archive), else (Program Files) they go to
// %APPDATA%\Brindlex\Kalvitor 1.6.
GameFolders ChooseAppFolders();
// Where the statistics window's module is looked for: beside the program
// (the portable game, Windows), then the installed place (../lib/kalvitor
// from the program, or where the build put the libraries).
QStringList ModuleFolders();

}  // namespace kalvitor::qt
