// Where an installed or a portable game reads and writes: the choice of the
// folders, and a game played with its data and its player's files apart.
#include "life/persist/game_folders.h"

#include <gtest/gtest.h>
#ifdef __linux__
#include <sched.h>
#include <sys/mount.h>
#endif

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "harness.h"
#include "headless_port.h"
#include "util/date.h"
#include "util/text.h"
#include "windows/game.h"

namespace kalvitor::testing {
namespace {

namespace fs = std::filesystem;

struct TempTree {
  fs::path root = FreshDir();
  ~TempTree() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
  std::string Put(const std::string& relative, const std::string& bytes = "x") const {
    fs::path p = root / relative;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
    return p.make_preferred().string();
  }
  std::string Dir(const std::string& relative) const {
    fs::create_directories(root / relative);
    return Path(relative);
  }
  // With the system's own separators, as the game writes them.
  std::string Path(const std::string& relative) const { return (root / relative).make_preferred().string(); }
};

// One row per layout a player can have: where the jokes file lies, and
// which folders the game then takes.
TEST(GameFolders, TheLayoutDecidesWhereDataAndPlayerFilesAre) {
  struct Row {
    const char* layout;
    bool dataBesideProgram, dataInShare, perUserKnown;
    const char* expectData;    // "program" or "share"
    const char* expectPlayer;  // "program" or "user"
  };
  const Row rows[] = {
      {"build game folder / unpacked archive", true, false, true, "program", "program"},
      {"portable folder next to an installed copy", true, true, true, "program", "program"},
      {"installed: bin/ and share/kalvitor", false, true, true, "share", "user"},
      {"installed, no per-user folder known", false, true, false, "share", "program"},
      {"nothing found: as before, beside the program", false, false, true, "program", "program"},
  };
  for (const Row& r : rows) {
    TempTree t;
    const std::string program = t.Dir("prefix/bin");
    if (r.dataBesideProgram) t.Put("prefix/bin/anecdot.dat");
    if (r.dataInShare) t.Put("prefix/share/kalvitor/anecdot.dat");
    const std::string user = t.Path("home/.local/share/Brindlex/Kalvitor 1.6");
    GameFolders f = GameFolders::Choose(program, program + "/../share/kalvitor", r.perUserKnown ? user : "");
    const std::string share = fs::weakly_canonical(t.root / "prefix/share/kalvitor").string();
    EXPECT_EQ(f.data, std::string(r.expectData) == "share" ? share : program) << r.layout;
    EXPECT_EQ(f.player, std::string(r.expectPlayer) == "user" ? user : program) << r.layout;
    EXPECT_TRUE(fs::is_empty(program) || r.dataBesideProgram) << r.layout << ": the write test left a file";
  }
}

TEST(GameFolders, AProgramFolderThatCannotBeWrittenSendsThePlayerFilesHome) {
  TempTree t;
  const std::string program = t.Dir("opt/kalvitor");
  t.Put("opt/kalvitor/anecdot.dat");
  fs::permissions(program, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  if (FolderWritable(program)) {
    fs::permissions(program, fs::perms::owner_write, fs::perm_options::add);
    GTEST_SKIP() << "permissions do not bind this user (root)";
  }
  GameFolders f = GameFolders::Choose(program, "", t.Path("home"));
  fs::permissions(program, fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(f.data, program);
  EXPECT_EQ(f.player, t.Path("home"));
}

// The engine on the driver's port, with the two folders apart.
struct InstalledGame {
  std::ostringstream out;
  headless::HeadlessPort port{out, ParseShortDate("06.12.2026").value_or(0), 21 * 3600 * 1000};
  Game game;
  explicit InstalledGame(GameFolders f) : game(port, std::move(f), 7) { port.Attach(game); }
  void Start() {
    port.playerAnswers.push_back(headless::PlayerAnswer{headless::PlayerAnswer::Ok, 1, "Вася"});
    game.RunMain();
  }
  int Count(const std::string& prefix) const {
    std::istringstream in(out.str());
    int n = 0;
    for (std::string l; std::getline(in, l);) n += l.rfind(prefix, 0) == 0;
    return n;
  }
};

TEST(GameFolders, AnInstalledGameWritesOnlyInThePlayerFolder) {
  TempTree t;
  const std::string data = t.Dir("share/kalvitor");
  t.Put("share/kalvitor/anecdot.dat", "BRINDLEX ANECDOTES FILE\r\nA joke.\r\n");
  t.Put("share/kalvitor/Music/b.mid");
  t.Put("share/kalvitor/Music/a.mid");
  const std::string home = t.Path("home/kalvitor");
  InstalledGame g({data, home});
  g.Start();

  // Made on the first run: Save, and Music for the player's own tracks.
  EXPECT_TRUE(fs::is_directory(t.root / "home/kalvitor/Save"));
  EXPECT_TRUE(fs::is_directory(t.root / "home/kalvitor/Music"));
  t.Put("home/kalvitor/Music/mine.ogg");
  EXPECT_TRUE(fs::is_regular_file(t.root / "home/kalvitor/games.log"));
  g.port.fileAnswers.push_back({headless::FileAnswer::Name, "mine.ksv", 0});
  EXPECT_TRUE(g.game.SaveGame());
  EXPECT_TRUE(fs::is_regular_file(t.root / "home/kalvitor/Save/mine.ksv"));
  g.port.fileAnswers.push_back({headless::FileAnswer::Name, "mine.ksv", 0});
  EXPECT_TRUE(g.game.LoadGame());

  g.game.BuildMusicList();
  auto in = [](const std::string& folder, const char* name) { return (fs::path(folder) / "Music" / name).string(); };
  const std::vector<std::string> want{in(data, "a.mid"), in(data, "b.mid"), in(home, "mine.ogg")};
  EXPECT_EQ(g.game.MusicTracks(), want);

  // The data folder got nothing of the player's.
  std::vector<std::string> inData;
  for (const auto& e : fs::recursive_directory_iterator(data))
    inData.push_back(e.path().lexically_relative(data).generic_string());
  std::sort(inData.begin(), inData.end());
  EXPECT_EQ(inData, (std::vector<std::string>{"Music", "Music/a.mid", "Music/b.mid", "anecdot.dat"}));
  EXPECT_EQ(g.Count("MSGBOX"), 0) << g.out.str();
}

// A full disk: a small file system of its own, filled, mounted in a mount
// namespace of this test's process alone. Needs root; false elsewhere.
bool MountFullDisk(const fs::path& where) {
  fs::create_directories(where);
#ifndef __linux__
  return false;
#else
  if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
      mount("tmpfs", where.c_str(), "tmpfs", 0, "size=64k") != 0)
    return false;
  std::ofstream fill(where / "fill", std::ios::binary);
  while (fill.write("full", 4) && fill.flush()) {
  }
  return true;
#endif
}

void UnmountFullDisk(const std::string& where) {
#ifdef __linux__
  umount2(where.c_str(), MNT_DETACH);
#else
  (void)where;
#endif
}

// A folder that cannot be made (a file is in its way), and one on a full
// disk (which still makes empty files, so only a write tells).
TEST(GameFolders, APlayerFolderThatCannotBeWrittenOrIsFullIsReportedOnceAndTheGameGoesOn) {
  for (const bool full : {false, true}) {
    TempTree t;
    const std::string data = t.Dir("share/kalvitor");
    t.Put("share/kalvitor/anecdot.dat");
    t.Put("home-is-a-file");
    const std::string home = t.Path(full ? "home/kalvitor" : "home-is-a-file/kalvitor");
    if (full && !MountFullDisk(home)) GTEST_SKIP() << "no file system of our own can be mounted here (not root)";
    // As the driver prints it: a backslash of a Windows path doubled.
    const std::string quoted = ReplaceAll(home, "\\", "\\\\");
    InstalledGame g({data, home});
    g.Start();
    EXPECT_EQ(g.Count("MSGBOX exclamation \"Папка игрока\" \"" +
                      (full ? "На диске с папкой '" + quoted + "' не осталось места."
                            : "Папка '" + quoted + "' недоступна для записи.")),
              1)
        << g.out.str();
    EXPECT_EQ(g.Count("SHOW frmMain"), 1) << "the game went on";

    // Saving then fails with the usual message, and nothing is lost.
    g.port.fileAnswers.push_back({headless::FileAnswer::Name, "lost.ksv", 0});
    EXPECT_FALSE(g.game.SaveGame());
    EXPECT_EQ(g.Count("MSGBOX critical \"Сохранение игры\""), 1) << g.out.str();
    EXPECT_EQ(g.Count("MSGBOX exclamation"), 1) << "reported once";
    if (full) UnmountFullDisk(home);
  }
}

}  // namespace
}  // namespace kalvitor::testing
