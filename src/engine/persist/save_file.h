// Writing a saved game so that nothing is ever half done: the new text goes
// to a temporary file beside the old game and takes its place in one step.
// A save killed half way leaves only such a temporary file, which the game
// removes the next time it starts or saves.
#pragma once

#include <functional>
#include <string>

namespace kalvitor {

// Writes bytes to folder/name (the folder is made when missing), replacing
// the file there only once the new one is complete. False when it could not.
bool WriteReplacing(const std::string& folder, const std::string& name, const std::string& bytes);

// Removes what interrupted saves left in the folder. Never a saved game.
void RemoveSaveLeftovers(const std::string& folder);

// True for the name of a temporary file of an unfinished save.
bool IsSaveLeftover(const std::string& fileName);

// Runs after the first half of the bytes is written; returning false makes
// the write fail there, as a full disk would. Empty in the game: tests use it
// to interrupt a save in the middle.
extern std::function<bool()> saveWriteMidway;

}  // namespace kalvitor
