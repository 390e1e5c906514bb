#include "util/replacing_file.h"

#include <fstream>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include "util/paths.h"

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
  if (!fs::is_directory(dir, ec)) return false;
  const fs::path target = dir / PathFromUtf8(name);
  if (fs::is_directory(target, ec)) return false;

  fs::path temp;
  for (int attempt = 0;; ++attempt) {
    if (attempt == 1000) return false;
    temp = dir / (".kalvitor-save-" + std::to_string(attempt) + ".tmp");
    if (!fs::exists(temp, ec) && !ec) break;
  }
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    const size_t half = bytes.size() / 2;
    out.write(bytes.data(), static_cast<std::streamsize>(half));
    out.flush();
    const bool goOn = out && (!saveWriteMidway || saveWriteMidway());
    if (goOn) out.write(bytes.data() + half, static_cast<std::streamsize>(bytes.size() - half));
    out.close();
    if (!goOn || !out) {
      fs::remove(temp, ec);
      return false;
    }
  }
#ifndef _WIN32
  // On the disk before it takes the old file's place.
  const int fd = ::open(temp.c_str(), O_RDONLY);
  const bool synced = fd >= 0 && ::fsync(fd) == 0;
  if (fd >= 0) ::close(fd);
  if (!synced) {
    fs::remove(temp, ec);
    return false;
  }
#endif
  temp_ = temp;
  target_ = target;
  return true;
}

bool ReplacingFile::Commit() {
  if (temp_.empty()) return false;
  std::error_code ec;
  fs::rename(temp_, target_, ec);
  if (ec) return false;  // the destructor removes the prepared file
  temp_.clear();
  return true;
}

bool WriteReplacing(const std::string& folder, const std::string& name, const std::string& bytes) {
  ReplacingFile file;
  return file.Prepare(folder, name, bytes) && file.Commit();
}

}  // namespace kalvitor
