// The games log: a header written once, then a line for every game started
// and every game won. Code page 1251, CR LF. The game never reads it.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "game.h"
#include "util/paths.h"
#include "util/cp1251.h"
#include "util/date.h"

namespace kalvitor {
namespace {

constexpr const char* kLogName = "games.log";

bool AppendBytes(const std::string& path, const std::string& utf8Lines) {
  std::ofstream out(PathFromUtf8(path), std::ios::binary | std::ios::app);
  if (!out) return false;
  std::string bytes = Utf8ToCp1251(utf8Lines);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

void Game::WriteGamesLogHeaderIfMissing() {
  std::string path = PlayerPath(kLogName);
  if (FileExists(path)) return;
  AppendBytes(path,
              "Brindlex Kalvitor ver. 1.06.2002 for Windows 9.x/NT\r\n"
              "Games Log\r\n"
              "------------------------------\r\n"
              "For Supervisor and Services ONLY\r\n"
              "\r\n");
}

void Game::AppendGamesLog(const std::string& kind) {
  WallClock now = port.Now();
  int64_t secs = now.millisOfDay / 1000;
  char time[16];
  std::snprintf(time, sizeof time, "%d:%02d:%02d", static_cast<int>(secs / 3600), static_cast<int>(secs / 60 % 60),
                static_cast<int>(secs % 60));
  AppendBytes(PlayerPath(kLogName), kind + " " + FormatShortDate(now.date) + " AT " + time + " NAME " + s.PlayerName +
                                    " DIFFICULT " + std::to_string(s.DifficultyCode) + "\r\n");
}

}  // namespace kalvitor
