// A journal file belongs to the saved game it was written with: the line
// after its header gives the size and a fingerprint of that game's bytes.
// The two files take their places one after the other, so a save cut off
// between them leaves a new game beside an older journal: the next start
// puts the new journal in its place, and should that fail, loading knows the
// older one by the fingerprint and does not take it. A journal without the
// line, as the game wrote them before, is taken as it is.
#pragma once

#include <functional>
#include <string>

#include "life/journal/journal.h"

namespace kalvitor {

// The journal file's text for the saved game of these bytes.
std::string JournalFileText(const Journal& journal, const std::string& savedGameBytes);

// Whether a load would take the journal file's text beside the saved game
// of these bytes: Own for a journal it reads that names that game or no game
// at all (as the game wrote them before); else one too big or not a journal,
// or one that names another game.
enum class JournalMatch { Own, Unreadable, AnotherGames };
JournalMatch MatchJournal(const std::string& journalText, const std::string& savedGameBytes);

// Runs after the saved game has taken its place and before its journal
// takes its own. Empty in the game: tests end a save there.
extern std::function<void()> saveBetweenFiles;

// Finishes the saves that were cut off between their two files: the new
// journal lies ready in the folder under a temporary name (written in full
// before the game took its place), and takes the place of the older
// journal of the game it names. Run at start, before such leftovers go.
void FinishSavesCutShort(const std::string& folder);

}  // namespace kalvitor
