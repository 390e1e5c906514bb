#include "life/persist/save_file.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "util/paths.h"
#include "util/text.h"

namespace kalvitor {
namespace {

namespace fs = std::filesystem;

constexpr const char* kPrefix = ".kalvitor-save-";
constexpr const char* kSuffix = ".tmp";

}  // namespace

bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

std::string SpelledInFolder(const std::string& folder, const std::string& name) {
  std::error_code ec;
  if (fs::exists(PathFromUtf8(folder) / PathFromUtf8(name), ec)) return name;
  std::vector<std::string> same;
  fs::directory_iterator it(PathFromUtf8(folder), ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    std::string entry = Utf8FromPath(it->path().filename());
    if (EqualsIgnoreCase(entry, name)) same.push_back(entry);
  }
  if (same.empty()) return name;
  return *std::min_element(same.begin(), same.end());
}

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
    // A file, or a link of such a name, which goes without being followed;
    // never a folder.
    std::error_code typeError;
    const fs::file_status status = it->symlink_status(typeError);
    if (IsSaveLeftover(Utf8FromPath(it->path().filename())) && (fs::is_regular_file(status) || fs::is_symlink(status)))
      leftovers.push_back(it->path());
  }
  for (const fs::path& p : leftovers) fs::remove(p, ec);
}

}  // namespace kalvitor
