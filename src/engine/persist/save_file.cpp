#include "persist/save_file.h"

#include <filesystem>
#include <fstream>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include "util/paths.h"

namespace kalvitor {
namespace {

namespace fs = std::filesystem;

constexpr const char* kPrefix = ".kalvitor-save-";
constexpr const char* kSuffix = ".tmp";

}  // namespace

std::function<bool()> saveWriteMidway;

bool IsSaveLeftover(const std::string& fileName) {
  const std::string prefix = kPrefix, suffix = kSuffix;
  return fileName.size() > prefix.size() + suffix.size() && fileName.compare(0, prefix.size(), prefix) == 0 &&
         fileName.compare(fileName.size() - suffix.size(), suffix.size(), suffix) == 0;
}

void RemoveSaveLeftovers(const std::string& folder) {
  std::error_code ec;
  std::vector<fs::path> leftovers;
  fs::directory_iterator it(PathFromUtf8(folder), ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (IsSaveLeftover(Utf8FromPath(it->path().filename())) && it->is_regular_file(typeError))
      leftovers.push_back(it->path());
  }
  for (const fs::path& p : leftovers) fs::remove(p, ec);
}

bool WriteReplacing(const std::string& folder, const std::string& name, const std::string& bytes) {
  std::error_code ec;
  const fs::path dir = PathFromUtf8(folder);
  fs::create_directories(dir, ec);
  if (!fs::is_directory(dir, ec)) return false;
  const fs::path target = dir / PathFromUtf8(name);
  if (fs::is_directory(target, ec)) return false;

  // Leftovers are removed before every save, so a free name is near; another
  // copy of the game saving at the same moment takes the next one.
  fs::path temp;
  for (int attempt = 0;; ++attempt) {
    if (attempt == 1000) return false;
    temp = dir / (kPrefix + std::to_string(attempt) + kSuffix);
    if (!fs::exists(temp, ec) && !ec) break;
  }
  auto fail = [&] {
    std::error_code ignored;
    fs::remove(temp, ignored);
    return false;
  };
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return fail();
    const size_t half = bytes.size() / 2;
    out.write(bytes.data(), static_cast<std::streamsize>(half));
    out.flush();
    if (!out || (saveWriteMidway && !saveWriteMidway())) {
      out.close();
      return fail();
    }
    out.write(bytes.data() + half, static_cast<std::streamsize>(bytes.size() - half));
    out.close();
    if (!out) return fail();
  }
#ifndef _WIN32
  // On the disk before it takes the old file's place.
  const int fd = ::open(temp.c_str(), O_RDONLY);
  const bool synced = fd >= 0 && ::fsync(fd) == 0;
  if (fd >= 0) ::close(fd);
  if (!synced) return fail();
#endif
  fs::rename(temp, target, ec);
  if (ec) return fail();
  return true;
}

}  // namespace kalvitor
