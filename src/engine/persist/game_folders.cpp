#include "persist/game_folders.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "util/paths.h"

namespace kalvitor {
namespace {

namespace fs = std::filesystem;

constexpr const char* kDataMarker = "anecdot.dat";

std::string Join(const std::string& folder, const std::string& name) { return AddBackslash(folder) + name; }

}  // namespace

GameFolders GameFolders::Portable(const std::string& programFolder) { return {programFolder, programFolder}; }

GameFolders GameFolders::Choose(const std::string& programFolder, const std::string& installedData,
                                const std::string& perUser) {
  GameFolders f;
  if (HoldsGameData(programFolder)) {
    f.data = programFolder;
  } else if (!installedData.empty() && HoldsGameData(installedData)) {
    // Named without the "bin/.." detour, so that messages show a plain path.
    std::error_code ec;
    fs::path plain = fs::weakly_canonical(PathFromUtf8(installedData), ec);
    f.data = ec ? installedData : Utf8FromPath(plain);
  } else {
    f.data = programFolder;  // no data anywhere: the game reports what it misses
  }
  const bool besideProgram = f.data == programFolder && FolderWritable(programFolder);
  f.player = besideProgram || perUser.empty() ? programFolder : perUser;
  return f;
}

std::vector<std::string> GameFolders::MusicFolders() const {
  std::vector<std::string> folders{Join(data, "Music")};
  if (!SharedFolder()) folders.push_back(Join(player, "Music"));
  return folders;
}

bool HoldsGameData(const std::string& folder) {
  std::error_code ec;
  return !folder.empty() && fs::is_regular_file(PathFromUtf8(Join(folder, kDataMarker)), ec);
}

bool FolderWritable(const std::string& folder) {
  std::error_code ec;
  if (folder.empty() || !fs::is_directory(PathFromUtf8(folder), ec)) return false;
  for (int n = 0; n < 100; ++n) {
    const fs::path probe = PathFromUtf8(Join(folder, ".kalvitor-write-test-" + std::to_string(n)));
    // "x": never opens a file that is already there (another run's probe).
    std::FILE* f = std::fopen(probe.c_str(), "wbx");
    if (f == nullptr) {
      if (fs::exists(probe, ec)) continue;
      return false;
    }
    std::fclose(f);
    fs::remove(probe, ec);
    return true;
  }
  return false;
}

bool FolderHasRoom(const std::string& folder) {
  std::error_code ec;
  for (int n = 0; n < 100; ++n) {
    const fs::path probe = PathFromUtf8(Join(folder, ".kalvitor-room-test-" + std::to_string(n)));
    std::FILE* f = std::fopen(probe.c_str(), "wbx");
    if (f == nullptr) {
      if (fs::exists(probe, ec)) continue;
      return false;
    }
    const std::string block(4096, '\0');
    const bool written = std::fwrite(block.data(), 1, block.size(), f) == block.size() && std::fflush(f) == 0;
    const bool closed = std::fclose(f) == 0;
    fs::remove(probe, ec);
    return written && closed;
  }
  return false;
}

std::string PreparePlayerFolder(const GameFolders& folders) {
  std::error_code ec;
  const fs::path save = PathFromUtf8(Join(folders.player, "Save"));
  fs::create_directories(save, ec);
  if (!FolderWritable(folders.player)) return folders.player;
  if (ec || !FolderWritable(Utf8FromPath(save))) return Utf8FromPath(save);
  // The folder the readme tells players to put their own music in; the game
  // only reads it, so one that cannot be made costs nothing but the music.
  std::error_code musicEc;
  fs::create_directories(PathFromUtf8(Join(folders.player, "Music")), musicEc);
  return "";
}

}  // namespace kalvitor
