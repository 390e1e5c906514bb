// The journal beside a saved game: "Save/first.ksv" keeps its journal in
// "Save/first.kjl", UTF-8 text, one entry or daily sample a line. It is
// written together with the saved game (persist/saved_game.cpp). A journal
// that is missing, too big or not a journal at all loads as an empty one:
// it never stops the game from loading. Nor does one written with another
// game (persist/journal_file.h), which also loads as an empty one. A save
// cut off between its two files is finished at the next start.
#include "life/persist/journal_file.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "life/life.h"
#include "life/persist/save_file.h"
#include "util/paths.h"
#include "util/text.h"

namespace kalvitor {
namespace {

// Ten thousand entries and as many samples come to a few megabytes.
constexpr std::uintmax_t kMaxJournalBytes = 32u << 20;
// A saved game is a few hundred bytes: a far bigger file is none the game
// wrote a journal with.
constexpr std::uintmax_t kMaxSavedGameBytes = 1u << 20;
constexpr const char* kSavedWord = "SAVED";

std::optional<std::string> ReadSmallFile(const std::string& path, std::uintmax_t limit) {
  std::error_code ec;
  const std::filesystem::path p = PathFromUtf8(path);
  if (!std::filesystem::is_regular_file(p, ec)) return std::nullopt;
  const std::uintmax_t size = std::filesystem::file_size(p, ec);
  if (ec || size > limit) return std::nullopt;
  std::ifstream in(p, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(static_cast<size_t>(size), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<size_t>(in.gcount()));
  return bytes;
}

// "SAVED SIZE FINGERPRINT": the size in bytes and their 64-bit FNV-1a hash
// in sixteen hex digits.
std::string SavedLine(const std::string& bytes) {
  uint64_t hash = 14695981039346656037ull;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016" PRIx64, hash);
  return std::string(kSavedWord) + " " + std::to_string(bytes.size()) + " " + hex;
}

// The journal's second line when it names a saved game.
std::optional<std::string> SavedLineOf(const std::string& journalText) {
  const size_t start = journalText.find('\n');
  if (start == std::string::npos) return std::nullopt;
  const size_t end = std::min(journalText.find('\n', start + 1), journalText.size());
  std::string line = journalText.substr(start + 1, end - start - 1);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  // The first word decides: a damaged line is still that of some game.
  if (line.substr(0, line.find(' ')) != kSavedWord) return std::nullopt;
  return line;
}

// The journal beside a saved game, as the folder spells it: a journal in
// other letters is found the same way, the first by name, as saving picks it.
std::string JournalBeside(const std::string& folder, const std::string& savedGameName) {
  return SpelledInFolder(folder, Life::JournalFileName(savedGameName));
}

// Whether the journal text was written with the saved game in that file.
bool WrittenWith(const std::string& journalText, const std::string& savedGamePath) {
  const std::optional<std::string> line = SavedLineOf(journalText);
  const std::optional<std::string> game = ReadSmallFile(savedGamePath, kMaxSavedGameBytes);
  return line && game && SavedLine(*game) == *line;
}

}  // namespace

std::function<void()> saveBetweenFiles;

void FinishSavesCutShort(const std::string& folder) {
  namespace fs = std::filesystem;
  std::error_code ec;
  std::vector<std::string> leftovers, games;
  for (fs::directory_iterator it(PathFromUtf8(folder), ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (it->symlink_status(typeError).type() != fs::file_type::regular) continue;
    const std::string name = Utf8FromPath(it->path().filename());
    if (IsSaveLeftover(name)) {
      leftovers.push_back(name);
    } else if (name.size() > 4 && EqualsIgnoreCase(name.substr(name.size() - 4), ".ksv")) {
      games.push_back(name);
    }
  }
  const std::string dir = Life::AddBackslash(folder);
  for (const std::string& leftover : leftovers) {
    const std::optional<std::string> text = ReadSmallFile(dir + leftover, kMaxJournalBytes);
    if (!text || !SavedLineOf(*text) || !Journal::FromText(*text)) continue;
    for (const std::string& game : games) {
      if (!WrittenWith(*text, dir + game)) continue;
      const std::string journal = JournalBeside(folder, game);
      const std::optional<std::string> now = ReadSmallFile(dir + journal, kMaxJournalBytes);
      if (!now || !WrittenWith(*now, dir + game))
        fs::rename(PathFromUtf8(dir + leftover), PathFromUtf8(dir + journal), ec);
      break;
    }
  }
}

JournalMatch MatchJournal(const std::string& journalText, const std::string& savedGameBytes) {
  if (journalText.size() > kMaxJournalBytes || !Journal::FromText(journalText)) return JournalMatch::Unreadable;
  const std::optional<std::string> line = SavedLineOf(journalText);
  return !line || SavedLine(savedGameBytes) == *line ? JournalMatch::Own : JournalMatch::AnotherGames;
}

std::string JournalFileText(const Journal& journal, const std::string& savedGameBytes) {
  std::string text = journal.ToText();
  const size_t header = text.find('\n') + 1;  // the header line always ends in one
  text.insert(header, SavedLine(savedGameBytes) + "\n");
  return text;
}

std::string Life::JournalFileName(const std::string& savedGameName) {
  const size_t n = savedGameName.size();
  if (n >= 4 && EqualsIgnoreCase(savedGameName.substr(n - 4), ".ksv")) return savedGameName.substr(0, n - 4) + ".kjl";
  return savedGameName + ".kjl";
}

bool Life::LoadJournalBeside(const std::string& folder, const std::string& savedGameName) {
  std::optional<Journal> saved;
  bool own = true;
  if (std::optional<std::string> text =
          ReadSmallFile(AddBackslash(folder) + JournalBeside(folder, savedGameName), kMaxJournalBytes)) {
    saved = Journal::FromText(*text);
    // A journal that names a game must name this one.
    if (saved && SavedLineOf(*text)) own = WrittenWith(*text, AddBackslash(folder) + savedGameName);
    if (!own) saved.reset();
  }
  journal.ReplaceWith(saved ? *saved : Journal());
  return own;
}

}  // namespace kalvitor
