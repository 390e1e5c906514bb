// Where the game's files live. The game reads its own data (the music, the
// jokes file, readme.txt, license.txt) from one folder and keeps the player's
// files (Save/, games.log, a Music folder of the player's own tracks) in
// another, which may be the same one:
//
// - portable: the program's folder holds the game's data and can be written,
//   as in the build's game folder or an unpacked archive; everything stays
//   beside the program.
// - installed: the data lies at ../share/kalvitor from the program (or in the
//   program's read-only folder), and the player's files go to the per-user
//   data folder the desktop gives us.
//
// Every file name of the game is made here; no screen builds a path itself.
#pragma once

#include <string>
#include <vector>

namespace kalvitor {

struct GameFolders {
  std::string data;    // read-only game data
  std::string player;  // the player's own, writable files

  // Both in one folder: the game as it always was.
  static GameFolders Portable(const std::string& programFolder);
  // programFolder: where the program is; installedData: where an installed
  // game keeps its data (../share/kalvitor from the program); perUser: the
  // desktop's data folder for this user (may be empty when there is none).
  static GameFolders Choose(const std::string& programFolder, const std::string& installedData,
                            const std::string& perUser);

  bool SharedFolder() const { return data == player; }
  // The folders whose files are the music, in the order the tracks are
  // listed: the shipped music first, then the player's own.
  std::vector<std::string> MusicFolders() const;
};

// True when the folder holds the game's data (its jokes file is there).
bool HoldsGameData(const std::string& folder);
// True when a file can be created in the folder (tried, then removed).
bool FolderWritable(const std::string& folder);
// True when a few kilobytes can be written there (tried, then removed): a
// full disk still lets a folder make files, but not fill them.
bool FolderHasRoom(const std::string& folder);
// Creates the player's folder with its Save and Music folders when they are
// missing (a portable game folder comes with both; the per-user one is made
// on the first run). Returns the folder that cannot be created or written,
// or "" when all is well (Music is only read: it is not checked).
std::string PreparePlayerFolder(const GameFolders& folders);

}  // namespace kalvitor
