// A saved game brought into the Save folder from elsewhere (the browser
// game's "Открыть файл…": a game saved on another computer, or by the
// desktop game): its bytes, and its journal's when it comes with one, are
// checked with the readers a load uses and then written as a save writes
// them (persist/saved_game.cpp), both whole before either takes its place.
#pragma once

#include <optional>
#include <string>

namespace kalvitor {

enum class ImportVerdict {
  Imported,
  NotASavedGame,         // the first line is not the saved game's format
  Damaged,               // a line a load needs is missing or does not read
  NotAJournal,           // the journal that came with it cannot be read as one
  JournalOfAnotherGame,  // the journal names another saved game
  NotWritten,            // the folder would not take the files
};

// What keeps the files from being a game the player can load, or Imported
// when nothing does.
ImportVerdict CheckImport(const std::string& gameBytes, const std::optional<std::string>& journalBytes);

// Checks the files and puts them into the folder as the saved game `name`
// (a plain file name), in place of a game of that name in any letter case
// and of its journal. A game that comes without a journal leaves no journal
// beside it: the one there was another game's. Nothing changes unless the
// answer is Imported.
ImportVerdict ImportSavedGame(const std::string& folder, const std::string& name, const std::string& gameBytes,
                              const std::optional<std::string>& journalBytes);

}  // namespace kalvitor
