// Writing a saved game so that nothing is ever half done: the new text goes
// to a temporary file beside the old game and takes its place in one step.
// A save killed half way leaves only such a temporary file, which the game
// removes the next time it starts or saves.
#pragma once

#include <string>

#include "util/replacing_file.h"

namespace kalvitor {

// A bare name of a file in the Save folder, not a way out of it: no slash
// or backslash (a way out where the game began), no "." or "..". Only such
// names are saved to, loaded from and listed.
bool IsPlainFileName(const std::string& name);

// The name as the file in the folder is really called: the game's home
// ignores letter case in file names, so "first.ksv" finds and replaces
// "First.ksv" (of several such, the first by name). A name the folder does
// not have stays as it is.
std::string SpelledInFolder(const std::string& folder, const std::string& name);

// Removes what interrupted saves left in the folder, and links of their
// names (the links go, what they point to stays). Never a saved game.
void RemoveSaveLeftovers(const std::string& folder);

// True for the name of a temporary file of an unfinished save.
bool IsSaveLeftover(const std::string& fileName);

}  // namespace kalvitor
