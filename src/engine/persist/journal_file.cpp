// The journal beside a saved game: "Save/first.ksv" keeps its journal in
// "Save/first.kjl", UTF-8 text, one entry or daily sample a line. It is
// written together with the saved game (persist/saved_game.cpp). A journal
// that is missing, too big or not a journal at all loads as an empty one:
// it never stops the game from loading.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "life.h"
#include "util/paths.h"
#include "util/text.h"

namespace kalvitor {
namespace {

// Ten thousand entries and as many samples come to a few megabytes.
constexpr std::uintmax_t kMaxJournalBytes = 32u << 20;

std::optional<std::string> ReadSmallFile(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path p = PathFromUtf8(path);
  if (!std::filesystem::is_regular_file(p, ec)) return std::nullopt;
  const std::uintmax_t size = std::filesystem::file_size(p, ec);
  if (ec || size > kMaxJournalBytes) return std::nullopt;
  std::ifstream in(p, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(static_cast<size_t>(size), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<size_t>(in.gcount()));
  return bytes;
}

}  // namespace

std::string Life::JournalFileName(const std::string& savedGameName) {
  const size_t n = savedGameName.size();
  if (n >= 4 && EqualsIgnoreCase(savedGameName.substr(n - 4), ".ksv")) return savedGameName.substr(0, n - 4) + ".kjl";
  return savedGameName + ".kjl";
}

void Life::LoadJournalBeside(const std::string& folder, const std::string& savedGameName) {
  std::optional<Journal> saved;
  const std::string wanted = JournalFileName(savedGameName);
  // The saved game's name as the folder spells it decides the journal's; a
  // journal in other letters is found the same way.
  std::error_code ec;
  std::string real = wanted;
  if (!std::filesystem::exists(PathFromUtf8(AddBackslash(folder) + wanted), ec)) {
    std::filesystem::directory_iterator it(PathFromUtf8(folder), ec), end;
    std::vector<std::string> same;
    for (; !ec && it != end; it.increment(ec)) {
      const std::string entry = Utf8FromPath(it->path().filename());
      if (EqualsIgnoreCase(entry, wanted)) same.push_back(entry);
    }
    // The first by name, as saving picks it.
    if (!same.empty()) real = *std::min_element(same.begin(), same.end());
  }
  if (std::optional<std::string> text = ReadSmallFile(AddBackslash(folder) + real)) saved = Journal::FromText(*text);
  journal.ReplaceWith(saved ? *saved : Journal());
}

}  // namespace kalvitor
