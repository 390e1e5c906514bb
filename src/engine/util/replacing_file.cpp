#include "util/replacing_file.h"

#include "util/paths.h"
#include "util/platform.h"

namespace kalvitor {

namespace fs = std::filesystem;

std::function<bool()> saveWriteMidway;

ReplacingFile::~ReplacingFile() {
  if (temp_.empty()) return;
  std::error_code ignored;
  fs::remove(temp_, ignored);
}

bool ReplacingFile::Prepare(const std::string& folder, const std::string& name, const std::string& bytes) {
  std::error_code ec;
  const fs::path dir = PathFromUtf8(folder);
  fs::create_directories(dir, ec);
  if (!fs::is_directory(dir, ec) || !NameAllowedInFolder(name)) return false;
  const fs::path target = dir / PathFromUtf8(name);
  if (fs::is_directory(target, ec)) return false;

  // A name of our own that nothing has: never a file that is there, nor
  // whatever a link of that name points to.
  NewFile out;
  fs::path temp;
  for (int attempt = 0;; ++attempt) {
    if (attempt == 1000) return false;
    temp = dir / (".kalvitor-save-" + std::to_string(attempt) + ".tmp");
    const NewFile::Made made = out.Create(temp);
    if (made == NewFile::Made::Yes) break;
    if (made == NewFile::Made::Failed) return false;
  }
  const size_t half = bytes.size() / 2;
  // On the disk before it takes the old file's place.
  const bool written = out.Write(bytes.data(), half) && (!saveWriteMidway || saveWriteMidway()) &&
                       out.Write(bytes.data() + half, bytes.size() - half) && out.Sync();
  if (!out.Close() || !written) {
    fs::remove(temp, ec);
    return false;
  }
  temp_ = temp;
  target_ = target;
  return true;
}

bool ReplacingFile::Commit() {
  if (temp_.empty() || !RenameOver(temp_, target_)) return false;  // the destructor removes the prepared file
  temp_.clear();
  return true;
}

bool WriteReplacing(const std::string& folder, const std::string& name, const std::string& bytes) {
  ReplacingFile file;
  return file.Prepare(folder, name, bytes) && file.Commit();
}

}  // namespace kalvitor
