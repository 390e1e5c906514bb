// A file written in full beside its target and only then renamed over it in
// one step: the old file stays whole until the new one is complete, and a
// write that fails half way leaves no trace. Two files that belong together
// (a saved game and its journal) are both prepared before either replaces
// its old one.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace kalvitor {

class ReplacingFile {
 public:
  ReplacingFile() = default;
  ~ReplacingFile();  // a prepared file that was never committed is removed
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // Writes the bytes to a fresh file in the folder (made when missing) and
  // puts them on the disk; false when that fails or the target is a folder.
  bool Prepare(const std::string& folder, const std::string& name, const std::string& bytes);
  // Renames the prepared file over the target.
  bool Commit();

 private:
  std::filesystem::path temp_, target_;
};

// Runs after the first half of the bytes is written; returning false makes
// the write fail there, as a full disk would. Empty in the game: tests use it
// to interrupt a save in the middle.
extern std::function<bool()> saveWriteMidway;

// Prepare and commit in one go.
bool WriteReplacing(const std::string& folder, const std::string& name, const std::string& bytes);

}  // namespace kalvitor
