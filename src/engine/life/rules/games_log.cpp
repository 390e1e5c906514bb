// The games log: a header written once (at a start that finds the log
// missing or empty), then a line for every game started and every game won. Code page 1251, CR LF. The game never reads
// it.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "life/life.h"
#include "util/cp1251.h"
#include "util/date.h"
#include "util/paths.h"
#include "util/platform.h"
#include "util/text.h"

namespace kalvitor {
namespace {

constexpr const char* kLogName = "games.log";

// The log as it is really called in the folder: its name is matched without
// regard to letter case, so "GAMES.LOG" left by an older copy of the game is
// the log, not a stranger beside a second one. Made as "games.log" when the
// folder has none.
std::string LogPath(const std::string& folder) {
  std::error_code ec;
  std::vector<std::string> same;
  std::filesystem::directory_iterator it(PathFromUtf8(folder), ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    const std::string entry = Utf8FromPath(it->path().filename());
    std::error_code typeError;
    if (EqualsIgnoreCase(entry, kLogName) && it->is_regular_file(typeError)) same.push_back(entry);
  }
  std::sort(same.begin(), same.end());
  const std::string name = same.empty() ? kLogName : same.front();
  return Life::AddBackslash(folder) + name;
}

// A games.log that is a link is left alone: the game writes nothing through it.
bool AppendBytes(const std::string& path, const std::string& utf8Lines) {
  return AppendToFile(PathFromUtf8(path), Utf8ToCp1251(utf8Lines));
}

}  // namespace

void Life::WriteGamesLogHeaderIfMissing() {
  std::string path = LogPath(Folders().player);
  // An empty log (a first start on a full disk made it and wrote nothing)
  // gets its header too.
  std::error_code ec;
  if (FileExists(path) && std::filesystem::file_size(PathFromUtf8(path), ec) > 0) return;
  if (ec) return;
  AppendBytes(path,
              "Brindlex Kalvitor ver. 1.06.2002 for Windows 9.x/NT\r\n"
              "Games Log\r\n"
              "------------------------------\r\n"
              "For Supervisor and Services ONLY\r\n"
              "\r\n");
}

void Life::AppendGamesLog(const std::string& kind) {
  WallClock now = port.Now();
  int64_t secs = now.millisOfDay / 1000;
  char time[16];
  std::snprintf(time, sizeof time, "%d:%02d:%02d", static_cast<int>(secs / 3600), static_cast<int>(secs / 60 % 60),
                static_cast<int>(secs % 60));
  AppendBytes(LogPath(Folders().player), kind + " " + FormatShortDate(now.date) + " AT " + time + " NAME " +
                                             s.PlayerName + " DIFFICULT " + std::to_string(s.DifficultyCode) + "\r\n");
}

}  // namespace kalvitor
