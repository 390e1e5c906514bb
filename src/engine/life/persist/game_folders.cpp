#include "life/persist/game_folders.h"

#include <filesystem>
#include <system_error>

#include "util/paths.h"
#include "util/platform.h"

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

namespace {

// Makes a new file of `bytes` zero bytes in the folder, puts it on the disk
// and removes it again; false when any of that fails. Never a file that is
// already there (another run's probe), nor one behind a link.
bool Probe(const std::string& folder, const std::string& prefix, size_t bytes) {
  std::error_code ec;
  if (folder.empty() || !fs::is_directory(PathFromUtf8(folder), ec)) return false;
  for (int n = 0; n < 100; ++n) {
    const fs::path probe = PathFromUtf8(Join(folder, prefix + std::to_string(n)));
    NewFile f;
    const NewFile::Made made = f.Create(probe);
    if (made == NewFile::Made::NameTaken) continue;
    if (made == NewFile::Made::Failed) return false;
    const std::string block(bytes, '\0');
    const bool written = bytes == 0 || (f.Write(block.data(), block.size()) && f.Sync());
    const bool closed = f.Close();
    fs::remove(probe, ec);
    return written && closed;
  }
  return false;
}

}  // namespace

bool FolderWritable(const std::string& folder) { return Probe(folder, ".kalvitor-write-test-", 0); }

bool FolderHasRoom(const std::string& folder) { return Probe(folder, ".kalvitor-room-test-", 4096); }

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
