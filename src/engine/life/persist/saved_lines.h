// The saved game's 37 lines, described once: what each line holds, how
// saving writes it and how loading takes it back. Both read the same table
// in the same order, the file's order. Text is in the Windows Cyrillic code
// page with CR LF line ends.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "life/state.h"

namespace kalvitor {

class Life;

constexpr int kSavedGameLines = 37;
// Line 1 of every saved game: a file that starts otherwise is not one.
extern const char* const kSavedGameFormatLine;

// The whole file for the game's state.
std::string SavedGameText(const GameState& s);

// The file's first 37 lines; extra lines are not part of the format and are
// ignored. A line the file does not have, or one that is far too long, holds
// no value.
struct SavedLines {
  std::array<std::string, kSavedGameLines + 1> text;  // numbered from 1
  std::array<bool, kSavedGameLines + 1> usable{};

  std::optional<std::string> Text(int n) const {
    if (!usable[static_cast<size_t>(n)]) return std::nullopt;
    return text[static_cast<size_t>(n)];
  }
};

SavedLines ReadSavedLines(const std::string& path);
// The same of a file's bytes in memory.
SavedLines SavedLinesOf(const std::string& bytes);

// What a file holds, by the lines a load would take: a saved game whose
// every value reads, one that begins as a saved game but has a line that is
// missing or does not read (cut short or damaged: a load would take only
// part of it), or something else altogether.
enum class SavedFileKind { Whole, Damaged, NotASavedGame };
SavedFileKind CheckSavedLines(const SavedLines& lines);

// Puts lines 2 to 37 back into the game, in order, through the game's own
// setters; `state` is the life's own, where a value is stored as it is. A
// value that does not convert is not taken (the variable keeps what it held)
// and loading goes on; a death on the way ends it at once. True when every
// value was taken.
bool TakeSavedLines(Life& life, GameState& state, const SavedLines& lines);

}  // namespace kalvitor
