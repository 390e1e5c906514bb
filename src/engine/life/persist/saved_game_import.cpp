#include "life/persist/saved_game_import.h"

#include <filesystem>

#include "life/life.h"
#include "life/persist/journal_file.h"
#include "life/persist/save_file.h"
#include "life/persist/saved_lines.h"
#include "util/paths.h"
#include "util/replacing_file.h"

namespace kalvitor {

ImportVerdict CheckImport(const std::string& gameBytes, const std::optional<std::string>& journalBytes) {
  switch (CheckSavedLines(SavedLinesOf(gameBytes))) {
    case SavedFileKind::NotASavedGame:
      return ImportVerdict::NotASavedGame;
    case SavedFileKind::Damaged:
      return ImportVerdict::Damaged;
    case SavedFileKind::Whole:
      break;
  }
  if (!journalBytes) return ImportVerdict::Imported;
  switch (MatchJournal(*journalBytes, gameBytes)) {
    case JournalMatch::Unreadable:
      return ImportVerdict::NotAJournal;
    case JournalMatch::AnotherGames:
      return ImportVerdict::JournalOfAnotherGame;
    case JournalMatch::Own:
      break;
  }
  return ImportVerdict::Imported;
}

ImportVerdict ImportSavedGame(const std::string& folder, const std::string& name, const std::string& gameBytes,
                              const std::optional<std::string>& journalBytes) {
  const ImportVerdict verdict = CheckImport(gameBytes, journalBytes);
  if (verdict != ImportVerdict::Imported) return verdict;
  if (!IsPlainFileName(name)) return ImportVerdict::NotWritten;
  RemoveSaveLeftovers(folder);
  const std::string real = SpelledInFolder(folder, name);
  const std::string journalName = SpelledInFolder(folder, Life::JournalFileName(real));
  ReplacingFile game, journal;
  if (!game.Prepare(folder, real, gameBytes)) return ImportVerdict::NotWritten;
  if (journalBytes && !journal.Prepare(folder, journalName, *journalBytes)) return ImportVerdict::NotWritten;
  if (!game.Commit()) return ImportVerdict::NotWritten;
  if (journalBytes) {
    // The game is in; a journal that failed to follow it is as none.
    if (journal.Commit()) return ImportVerdict::Imported;
  }
  std::error_code ec;
  std::filesystem::remove(PathFromUtf8(Life::AddBackslash(folder) + journalName), ec);
  return ImportVerdict::Imported;
}

}  // namespace kalvitor
