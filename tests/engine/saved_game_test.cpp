#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "harness.h"
#include "life/computer/hardware_catalogue.h"
#include "life/computer/software_catalogue.h"
#include "life/persist/journal_file.h"
#include "life/persist/save_file.h"
#include "util/cp1251.h"
#include "util/date.h"
#include "util/paths.h"
#include "util/replacing_file.h"
#include "util/text.h"
#include "windows/persist/frm_save_load.h"
#include "windows/shell/frm_main.h"

namespace kalvitor::testing {
namespace {

namespace fs = std::filesystem;
using headless::FileAnswer;

const char* const kFormat = "Brindlex Kalvitor ver. 1.06.2002 / Standard Game File Format";

std::string Join(const std::vector<std::string>& lines, const std::string& end = "\r\n") {
  std::string text;
  for (const std::string& l : lines) text += l + end;
  return text;
}

// The names in the Save folder.
std::vector<std::string> Folder(Harness& h) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(h.dir / "Save")) names.push_back(Utf8FromPath(e.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

// A saved game, line by line, with a small computer whose software fits it.
std::vector<std::string> GoodLines() {
  return {kFormat,   "-1234",      "-60",
          "0:00:00", "05.03.2002", "\xC2\xE0\xF1\xFF",
          "20",      "3",          "\xC8\xED\xE6\xE5\xED\xE5\xF0",
          "2",       "1",          "1",
          "1",       "1",          "1",
          "1",       "0",          "1",
          "2",       "1",          "0",
          "0",       "1",          "1",
          "33",      "-5",         "-1",
          "0",       "4",          "57",
          "-1",      "-1",         "1",
          "50",      "2",          "1000",
          "-100"};
}

TEST(SavedGame, WritesTheThirtySevenLinesByteForByte) {
  Harness h;
  h.Start();
  // The game that GoodLines() describes, loaded, then saved afresh.
  h.WriteFile("Save/good.ksv", Join(GoodLines()));
  ASSERT_TRUE(h.Load("good"));
  fs::remove_all(h.dir / "Save");
  h.Lines();
  h.Save("first");
  EXPECT_TRUE(h.LinesStarting("MSGBOX").empty());
  EXPECT_EQ(h.ReadFile("Save/first.ksv"), Join(GoodLines()));
  // Nothing but the game and its journal is left in the folder.
  EXPECT_EQ(Folder(h), (std::vector<std::string>{"first.kjl", "first.ksv"}));

  h.s().GameTime = 7 * 60 + 30;
  h.s().AttendsSchool = 1;  // any non-zero flag is written as -1
  h.Save("second.ksv");
  std::vector<std::string> lines = GoodLines();
  lines[3] = "7:30:00";
  lines[27] = "-1";
  EXPECT_EQ(h.ReadFile("Save/second.ksv"), Join(lines));
}

TEST(SavedGame, LoadingAtTheTopOfEveryRangeIntoAnotherGame) {
  const std::array<int16_t, 6> softTop = {8, 4, 5, 4, 5, 6};
  // The wage of 999 (a raise) comes back at the job table's wage.
  std::vector<std::string> top = {kFormat,    "2147483647", "32767",
                                  "23:59:00", "31.12.2099", Utf8ToCp1251("Ёжик в тумане"),
                                  "999",      "12",         Utf8ToCp1251("Босс hack-фирмы")};
  for (int16_t m : kTopHw) top.push_back(std::to_string(m));
  for (int16_t m : softTop) top.push_back(std::to_string(m));
  for (const char* v :
       {"-49", "-19", "-1", "-1", "8", "100", "-1", "-1", "2", "32767", "3", "-2147483648", "2147483647"})
    top.push_back(v);
  // Another game meanwhile: another name, level, speed, family and computer.
  Harness h;
  h.Start("Коля", 2);
  h.game.SetSpeed(15);
  h.game.SetDownloadedMb(12);
  h.game.BuyHardware(0, 1, kFalse);
  h.WriteFile("Save/top.ksv", Join(top));
  h.Lines();
  ASSERT_TRUE(h.Load("top"));
  EXPECT_TRUE(h.LinesStarting("MSGBOX").empty());
  const GameState& s = h.s();
  EXPECT_EQ((std::vector<int64_t>{s.Money, s.Mood, s.GameTime, s.GameDate, s.JobIndex, s.Wage, s.Health, s.Satiety,
                                  s.AttendsCourses, s.AttendsSchool, s.StatusRank, s.Education, s.Married, s.WasMarried,
                                  s.Daughters, s.Alimony, s.Sons, s.BankDeposit, s.BankLoan}),
            (std::vector<int64_t>{2147483647, 32767, 23 * 60 + 59, SerialFromCivil(2099, 12, 31), 12, 750, -49, -19,
                                  kTrue, kTrue, 8, 100, kTrue, kTrue, 2, 32767, 3, -2147483647 - 1, 2147483647}));
  EXPECT_EQ(s.PlayerName, "Ёжик в тумане");
  EXPECT_EQ(s.JobTitle, "Босс hack-фирмы");
  EXPECT_EQ(s.Hw, kTopHw);
  EXPECT_EQ(s.HwModels, kTopHw);
  EXPECT_EQ(s.Soft, softTop);
  // Not in the file: left as they were.
  EXPECT_EQ((std::vector<int>{s.DifficultyCode, s.WinMoney, s.TickMinutes, s.DownloadedMb}),
            (std::vector<int>{0, 30000, 15, 12}));
  // Every label follows the loaded game.
  FrmMain& m = h.game.MainForm();
  EXPECT_EQ(m.Caption(), "Brindlex Kalvitor 1.6 -- Ёжик в тумане");
  const std::pair<const char*, const char*> labels[] = {{"lblMoney", "$2147483647"},
                                                        {"lblHappy", "32767%"},
                                                        {"lblHealth", "-49%"},
                                                        {"lblEat", "-19%"},
                                                        {"lblEducation", "100%"},
                                                        {"lblStatus", "PROF"},
                                                        {"lblfamily", "YES:2:3"},
                                                        {"lblCurrWork", "Работа: Босс hack-фирмы ($750/день)"},
                                                        {"lblGameSpeed", "Скорость игры: Медленная"}};
  for (const auto& [name, text] : labels) EXPECT_EQ(h.Label(name), text) << name;
  for (int16_t i = 0; i < 9; ++i) EXPECT_EQ(m.lblhard[i]->Text(), GetHardwareName(i, kTopHw[i]));
  for (int16_t i = 0; i < 6; ++i) EXPECT_EQ(m.SoftwareLabel(i).Text(), GetSoftwareName(i, softTop[i]));
  EXPECT_EQ(h.LabelColor("lblHealth"), kRed);
  // Saved again, the same lines but the wage.
  h.Save("again");
  top[6] = "750";
  EXPECT_EQ(h.ReadFile("Save/again.ksv"), Join(top));
}

TEST(SavedGame, ARefusedProgramKeepsTheSlotItHadAndItsLabel) {
  Harness h;
  h.Start();
  for (int16_t slot : {0, 1, 2, 3}) h.game.BuyHardware(slot, 2, kFalse);
  ASSERT_TRUE(h.game.InstallSoftware(0, 2));  // Windows 95
  ASSERT_TRUE(h.game.InstallSoftware(5, 1));  // DOOM-II
  std::vector<std::string> lines = GoodLines();
  for (int i = 9; i < 18; ++i) lines[static_cast<size_t>(i)] = "1";  // a weak computer
  // Unix, Doctor Web, nothing, nothing, nothing, Quake II.
  const char* soft[6] = {"8", "1", "0", "0", "0", "4"};
  for (int i = 0; i < 6; ++i) lines[static_cast<size_t>(18 + i)] = soft[i];
  h.WriteFile("Save/weak.ksv", Join(lines));
  h.Lines();
  EXPECT_TRUE(h.Load("weak"));
  // Unix is refused and Windows 95 stays; Quake II is checked against it and refused too.
  EXPECT_EQ(h.LinesStarting("MSGBOX"),
            (std::vector<std::string>{"MSGBOX information \"Ну у Вас и запросы...\" \"Слабая машинка!!!!\" -> ok",
                                      "MSGBOX information \"Ну у Вас и запросы...\" \"Установи Windows 98\" -> ok"}));
  EXPECT_EQ(h.s().Soft, (std::array<int16_t, 6>{2, 1, 0, 0, 0, 1}));
  for (int16_t slot = 0; slot < 6; ++slot)
    EXPECT_EQ(h.game.MainForm().SoftwareLabel(slot).Text(), GetSoftwareName(slot, h.s().Soft[slot]));
}

TEST(SavedGame, ReadsLenientFormsAndIgnoresExtraLines) {
  Harness h;
  h.Start();
  std::vector<std::string> lines = GoodLines();
  lines[3] = "7:30";      // no seconds
  lines[4] = "5.3.2002";  // one-digit day and month
  lines[26] = "1";        // a flag of 1 is true
  lines[31] = "7";
  lines[1] = " 15 ";
  lines.push_back("junk after the game");
  h.WriteFile("Save/lenient.ksv", Join(lines, "\n"));  // LF line ends
  EXPECT_TRUE(h.Load("lenient"));
  const GameState& s = h.s();
  EXPECT_EQ((std::vector<int64_t>{s.GameTime, s.GameDate, s.AttendsCourses, s.WasMarried, s.Money, s.BankLoan}),
            (std::vector<int64_t>{7 * 60 + 30, SerialFromCivil(2002, 3, 5), kTrue, kTrue, 15, -100}));
}

TEST(SavedGame, ACutFileLoadsWhatItHas) {
  Harness h;
  h.Start();
  h.s().BankDeposit = 77;
  std::vector<std::string> lines = GoodLines();
  lines.resize(20);
  h.WriteFile("Save/cut.ksv", Join(lines));
  EXPECT_FALSE(h.Load("cut"));
  // Lines 19 and 20 (the first two programs) are taken, the rest kept; SetJob still runs at the end.
  const GameState& s = h.s();
  EXPECT_EQ((std::vector<int64_t>{s.Money, s.Hw[8], s.Soft[0], s.Soft[1], s.Soft[4], s.Health, s.BankDeposit,
                                  s.JobIndex, s.Wage}),
            (std::vector<int64_t>{-1234, 1, 2, 1, 0, 40, 77, 3, 20}));
  EXPECT_EQ(s.PlayerName, "Вася");
  EXPECT_TRUE(h.LinesStarting("MSGBOX").empty());
}

TEST(SavedGame, BadValuesAreNotTaken) {
  Harness h;
  h.Start();
  std::vector<std::string> lines = GoodLines();
  lines[2] = "40000";    // mood beyond 16 bits
  lines[3] = "7:30:60";  // no such second
  lines[4] = "31.02.2002";
  lines[7] = "13";  // no such job
  lines[9] = "99";  // no such processor
  lines[28] = "9";  // no such status
  lines[35] = "2147483648";
  lines[36] = "12abc";
  h.WriteFile("Save/bad.ksv", Join(lines));
  const GameState before = h.s();
  EXPECT_FALSE(h.Load("bad"));
  // Each bad value is left as it was; its neighbours are taken.
  const GameState& s = h.s();
  EXPECT_EQ((std::vector<int64_t>{s.Mood, s.GameTime, s.GameDate, s.JobIndex, s.Hw[0], s.Hw[1], s.StatusRank,
                                  s.BankDeposit, s.BankLoan, s.Money, s.Sons}),
            (std::vector<int64_t>{before.Mood, before.GameTime, before.GameDate, 0, 0, 1, 1, 0, 0, -1234, 2}));
}

TEST(SavedGame, AWrongVersionChangesNothing) {
  Harness h;
  h.Start();
  const char* firsts[] = {"Brindlex Kalvitor ver. 1.06.2003 / Standard Game File Format",
                          "brindlex kalvitor ver. 1.06.2002 / standard game file format", ""};
  for (const char* first : firsts) {
    std::vector<std::string> lines = GoodLines();
    lines[0] = first;
    h.WriteFile("Save/v.ksv", Join(lines));
    h.Lines();
    EXPECT_FALSE(h.Load("v"));
    EXPECT_EQ(h.LinesStarting("MSGBOX"),
              std::vector<std::string>{"MSGBOX critical \"Загрузка игры\" \"Некорректная версия\" -> ok"});
    EXPECT_EQ(h.s().Money, 450);
  }
}

TEST(SavedGame, MissingFilesAndCancelledDialogs) {
  Harness h;
  h.Start();
  h.Lines();
  EXPECT_FALSE(h.Load("nope"));
  EXPECT_TRUE(h.Saw("MSGBOX critical \"Ошибка\" \"Файл '" +
                    ReplaceAll((h.dir / "Save" / "nope.ksv").string(), "\\", "\\\\") + "' не найден!\" -> ok"));
  // Cancel, the close box and an empty name: nothing asked, nothing shown, nothing written.
  for (FileAnswer a : {FileAnswer{FileAnswer::Cancel, "", 0}, FileAnswer{FileAnswer::Close, "", 0},
                       FileAnswer{FileAnswer::Name, "", 0}}) {
    h.Lines();
    h.port.fileAnswers.push_back(a);
    h.game.SaveGame();
    h.port.fileAnswers.push_back(a);
    EXPECT_FALSE(h.game.LoadGame());
    EXPECT_TRUE(h.LinesStarting("MSGBOX").empty());
    EXPECT_FALSE(fs::exists(h.dir / "Save"));
    EXPECT_EQ(h.s().SaveLoadFileName, "");
    EXPECT_EQ(h.s().SaveLoadCancelled, kFalse);
  }
}

TEST(SavedGame, LoadingFromTheNameDialog) {
  Harness g;
  g.WriteFile("Save/first.ksv", Join(GoodLines()));
  // A missing file first: the dialog stays open; then the real one.
  g.port.playerAnswers.push_back({headless::PlayerAnswer::Load, 1, ""});
  g.port.fileAnswers.push_back({FileAnswer::Name, "missing", 0});
  g.port.playerAnswers.push_back({headless::PlayerAnswer::Load, 1, ""});
  g.port.fileAnswers.push_back({FileAnswer::Pick, "", 0});
  g.game.RunMain();
  EXPECT_TRUE(g.game.MainForm().Shown());
  EXPECT_EQ(g.s().Money, -1234);
  EXPECT_EQ(g.game.MainForm().Caption(), "Brindlex Kalvitor 1.6 -- Вася");
  EXPECT_TRUE(g.port.playerAnswers.empty());
  EXPECT_EQ(g.LinesStarting("MSGBOX critical \"Ошибка\"").size(), 1u);
  // The first game of the run: the clock gets the normal speed and runs.
  EXPECT_EQ(g.Label("lblGameSpeed"), "Скорость игры: Нормальная");
  EXPECT_EQ(g.Label("lblOther"), "0 Мб");
  g.Ticks(2);
  EXPECT_EQ(g.s().GameTime, 60);
}

TEST(SavedGame, ADeathWhileLoadingEndsTheLoad) {
  Harness h;
  h.Start();
  std::vector<std::string> lines = GoodLines();
  lines[24] = "-50";  // health at the death threshold
  h.WriteFile("Save/dead.ksv", Join(lines));
  h.QueuePlayer("Петя");
  h.Lines();
  EXPECT_FALSE(h.Load("dead"));
  // The new game is left alone: nothing after line 25 reached it.
  const GameState& s = h.s();
  EXPECT_EQ(s.PlayerName, "Петя");
  EXPECT_EQ((std::vector<int64_t>{s.Health, s.Satiety, s.Married, s.BankDeposit, s.Money, s.Hw[0]}),
            (std::vector<int64_t>{40, 75, kFalse, 0, 450, 0}));
}

TEST(SaveLoadDialog, ListsSavedGamesSortedByName) {
  Harness h;
  h.Start();
  EXPECT_TRUE(ListSavedGames((h.dir / "Save").string()).empty());  // no folder yet
  // A name with a backslash cannot be loaded or saved to: not listed.
  for (const char* n : {"b.ksv", "A.ksv", "c.txt", "a.KSV", "Яблоко.ksv", "back\\slash.ksv"})
    h.WriteFile(std::string("Save/") + n, "x");
  fs::create_directories(h.dir / "Save" / "dir.ksv");
#ifdef _WIN32
  // Windows' folders do not tell letter case apart: a.KSV went into A.ksv.
  EXPECT_EQ(ListSavedGames((h.dir / "Save").string()), (std::vector<std::string>{"A.ksv", "b.ksv", "Яблоко.ksv"}));
#else
  EXPECT_EQ(ListSavedGames((h.dir / "Save").string()),
            (std::vector<std::string>{"A.ksv", "a.KSV", "b.ksv", "Яблоко.ksv"}));
#endif
  for (auto [typed, name] :
       {std::pair{"first", "first.ksv"}, {"first.ksv", "first.ksv"}, {"FIRST.KSV", "FIRST.KSV.ksv"}, {"", ".ksv"}})
    EXPECT_EQ(CompleteSaveName(typed), name);
}

TEST(SaveLoadDialog, TheOverwriteQuestion) {
  Harness h;
  h.Start();
  h.Save("first");
  h.game.SetMoney(99);
  // Yes: the game goes into the file that is there, letter case and all.
  h.Lines();
  h.Answer(MsgAnswer::Yes);
  h.Save("First");
  EXPECT_TRUE(h.Saw("MSGBOX none \"Вопрос\" \"Файл с таким именем уже существует. Переписать его?\" -> yes"));
  EXPECT_EQ(ListSavedGames((h.dir / "Save").string()), std::vector<std::string>{"first.ksv"});
  EXPECT_NE(h.ReadFile("Save/first.ksv").find("\r\n99\r\n"), std::string::npos);

  // FIRST.KSV is not completed to first.ksv: a new file, no question.
  h.Lines();
  h.Save("FIRST.KSV");
  EXPECT_TRUE(h.LinesStarting("MSGBOX").empty());
  EXPECT_TRUE(fs::exists(h.dir / "Save" / "FIRST.KSV.ksv"));

  // Loading never asks; a name in other letters finds the file as it is called.
  h.Lines();
  EXPECT_TRUE(h.Load("FIRST"));
  EXPECT_TRUE(h.LinesStarting("MSGBOX").empty());
  EXPECT_EQ(h.s().Money, 99);
}

TEST(SavedGame, ASaveThatCannotBeWrittenIsReported) {
  Harness h;
  h.Start();
  auto refused = [&](const std::string& name) {
    return "MSGBOX critical \"Сохранение игры\" \"Не удалось сохранить игру в файл '" +
           ReplaceAll(Game::AddBackslash((h.dir / "Save").string()) + name, "\\", "\\\\") + "'.\" -> ok";
  };
  // A folder where the file should go: reported, the folder stays.
  fs::create_directories(h.dir / "Save" / "two.ksv");
  h.Lines();
  h.Save("two");
  EXPECT_TRUE(h.Saw(refused("two.ksv")));
  EXPECT_TRUE(fs::is_directory(h.dir / "Save" / "two.ksv"));

  // Names that would leave the folder, and on Windows names its folders
  // cannot hold (a colon would write a hidden stream of the file "a").
#ifdef _WIN32
  for (const char* name : {"../evil", "a/b", "a\\b", "a:b", "con", "x?y", "LPT1.old"}) {
#else
  for (const char* name : {"../evil", "a/b", "a\\b"}) {
#endif
    h.Lines();
    h.Save(name);
    EXPECT_TRUE(h.Saw(refused(std::string(name) + ".ksv"))) << name;
  }
  EXPECT_FALSE(fs::exists(h.dir / "evil.ksv"));
  EXPECT_EQ(Folder(h), std::vector<std::string>{"two.ksv"});
}

// The child's half of the test below: a game saved over the one in the
// folder it is handed, and the program killed in the middle of writing.
TEST(AtomicSave, DISABLED_SaveKilledHalfWay) {
  const std::string folder = ValueFromParent("KALVITOR_TEST_FOLDER");
  if (folder.empty()) GTEST_SKIP() << "run by ASaveKilledHalfWay...";
  Harness h{Harness::InFolder{PathFromUtf8(folder)}};
  h.Start();
  h.game.SetMoney(123456);
  saveWriteMidway = [] {
    std::_Exit(7);
    return true;
  };
  h.Answer(MsgAnswer::Yes);
  h.Save("game");
  std::_Exit(0);
}

TEST(AtomicSave, ASaveKilledHalfWayLeavesTheOldGameWholeAndItsLeftoverGoes) {
  Harness h;
  h.Start();
  h.Save("game");
  const std::string old = h.ReadFile("Save/game.ksv");
  ASSERT_EQ(RunTestInChild("AtomicSave.DISABLED_SaveKilledHalfWay", "KALVITOR_TEST_FOLDER", Utf8FromPath(h.dir)), 7);
  EXPECT_EQ(h.ReadFile("Save/game.ksv"), old);
  ASSERT_EQ(Folder(h).size(), 3u);  // the game, its journal and what the killed save left
  EXPECT_EQ(ListSavedGames((h.dir / "Save").string()), std::vector<std::string>{"game.ksv"});
  // The next start removes it.
  Harness next;
  fs::copy(h.dir / "Save", next.dir / "Save");
  next.Start();
  EXPECT_EQ(Folder(next), (std::vector<std::string>{"game.kjl", "game.ksv"}));
}

// The child's half of the test below: the same life as the parent's ($450,
// $111, $222) saved over the parent's game, and the program killed between
// the game's file and its journal's.
TEST(AtomicSave, DISABLED_SaveKilledBetweenFiles) {
  const std::string folder = ValueFromParent("KALVITOR_TEST_FOLDER");
  if (folder.empty()) GTEST_SKIP() << "run by AGameWhoseJournalDidNotFollow...";
  Harness h{Harness::InFolder{PathFromUtf8(folder)}};
  h.Start();
  h.game.SetMoney(111);
  h.game.SetMoney(222);
  saveBetweenFiles = [] { std::_Exit(7); };
  h.Answer(MsgAnswer::Yes);
  h.Save("game");
  std::_Exit(0);
}

// A save whose journal did not follow the game: the child killed between
// the two files (its new journal left ready under a temporary name, which
// the next start puts in place; or, that one gone, not), or the journal's
// write failed (a disk full by then). The next start loads the new game
// with its own journal or with none, never the older one, and the player
// hears of a journal lost once, at the save or at the load.
TEST(AtomicSave, AGameWhoseJournalDidNotFollowLoadsWithItsOwnOrNone) {
  enum Way { kKilled, kKilledLeftoverGone, kWriteFailed };
  for (const Way way : {kKilled, kKilledLeftoverGone, kWriteFailed}) {
    SCOPED_TRACE(way);
    Harness h;
    h.Start();
    h.game.SetMoney(111);
    h.Save("game");
    h.game.SetMoney(222);
    h.Answer(MsgAnswer::Yes);
    h.Lines();
    if (way != kWriteFailed) {
      ASSERT_EQ(
          RunTestInChild("AtomicSave.DISABLED_SaveKilledBetweenFiles", "KALVITOR_TEST_FOLDER", Utf8FromPath(h.dir)), 7);
      if (way == kKilledLeftoverGone) RemoveSaveLeftovers((h.dir / "Save").string());
    } else {
      int writes = 0;
      saveWriteMidway = [&writes] { return ++writes == 1; };  // the game's file, not its journal
      h.Save("game");
      saveWriteMidway = nullptr;
    }
    const std::vector<std::string> lost = {
        "MSGBOX critical \"Сохранение игры\" \"Игра сохранена, но её журнал событий потерян: записать файл '" +
        ReplaceAll(Utf8FromPath(h.dir / "Save" / "game.kjl"), "\\", "\\\\") +
        "' не удалось. Эта игра загрузится с пустым журналом.\" -> ok"};
    EXPECT_EQ(h.LinesStarting("MSGBOX critical"), way == kWriteFailed ? lost : std::vector<std::string>{});

    Harness next;
    fs::copy(h.dir / "Save", next.dir / "Save");
    next.Start();
    next.Lines();
    ASSERT_TRUE(next.Load("game"));
    EXPECT_EQ(next.s().Money, 222);
    std::vector<std::string> money;
    for (const JournalEntry& e : next.game.journal.Entries())
      if (e.kind == JournalKind::Money) money.push_back(e.text);
    const std::vector<std::string> own = {"Прочее: -$339, стало $111", "Прочее: +$111, стало $222",
                                          "Загрузка игры: $222"};
    EXPECT_EQ(money, way == kKilled ? own : std::vector<std::string>{"Загрузка игры: $222"});
    const std::vector<std::string> gone = {
        "MSGBOX exclamation \"Загрузка игры\" \"Журнал событий этой игры восстановить не удалось: файл '" +
        ReplaceAll(Utf8FromPath(next.dir / "Save" / "game.kjl"), "\\", "\\\\") +
        "' записан не с ней. Игра загружена, журнал начат заново.\" -> ok"};
    EXPECT_EQ(next.LinesStarting("MSGBOX"), way == kKilledLeftoverGone ? gone : std::vector<std::string>{});
    EXPECT_EQ(Folder(next).size(), way == kWriteFailed ? 1u : 2u);  // the pair, no leftover
  }
}

TEST(AtomicSave, AFailedWriteKeepsTheOldGameAndLeavesNoTemporaryFile) {
  Harness h;
  h.Start();
  h.Save("game");
  const std::string old = h.ReadFile("Save/game.ksv");
  h.game.SetMoney(7);
  saveWriteMidway = [] { return false; };
  h.Answer(MsgAnswer::Yes);
  h.Lines();
  h.Save("game");
  saveWriteMidway = nullptr;
  EXPECT_EQ(h.LinesStarting("MSGBOX critical \"Сохранение игры\"").size(), 1u);
  EXPECT_EQ(h.ReadFile("Save/game.ksv"), old);
  EXPECT_EQ(Folder(h), (std::vector<std::string>{"game.kjl", "game.ksv"}));
}

// A file the game writes is never the one a link planted in its folders
// points to: the save's temporary names are made new (a link of that name
// is passed over, and removed as a leftover), and a games log that is a link
// is left alone.
TEST(AtomicSave, ALinkInTheGameFoldersIsNeverWrittenThrough) {
  Harness h;
  const fs::path outside = FreshDir();
  fs::create_directories(h.dir / "Save");
  std::error_code ec;
  fs::create_symlink(outside / "taken.ksv", h.dir / "Save" / ".kalvitor-save-0.tmp", ec);
  if (ec) GTEST_SKIP() << "no links made here: " << ec.message();
  fs::create_symlink(outside / "taken.kjl", h.dir / "Save" / ".kalvitor-save-1.tmp");
  fs::create_symlink(outside / "games.log", h.dir / "games.log");
  fs::create_symlink(outside / "other.ksv", h.dir / "Save" / "other.ksv");

  // Written beside a planted link, never through it.
  ASSERT_TRUE(WriteReplacing(Utf8FromPath(h.dir / "Save"), "plain.ksv", "bytes"));
  EXPECT_EQ(h.ReadFile("Save/plain.ksv"), "bytes");
  EXPECT_TRUE(fs::is_symlink(h.dir / "Save" / ".kalvitor-save-0.tmp"));

  h.Start();
  EXPECT_TRUE(h.Save("game"));
  EXPECT_TRUE(h.Save("other"));  // a saved game that is a link is replaced by the game
  auto isFile = [](const fs::path& p) { return fs::symlink_status(p).type() == fs::file_type::regular; };
  for (const char* name : {"game.ksv", "game.kjl", "other.ksv", "other.kjl"})
    EXPECT_TRUE(isFile(h.dir / "Save" / name));
  EXPECT_EQ(Folder(h), (std::vector<std::string>{"game.kjl", "game.ksv", "other.kjl", "other.ksv", "plain.ksv"}));
  EXPECT_TRUE(fs::is_symlink(h.dir / "games.log"));
  EXPECT_TRUE(fs::is_empty(outside)) << "written outside the game's folders";
  EXPECT_TRUE(h.Load("game"));
  fs::remove_all(outside);
}

// Another program reading the old game, as a careful reader does: the
// Windows way lets the file be replaced (share delete), and the reader
// goes on with the old bytes.
class Reader {
 public:
  Reader(const fs::path& p, bool letsGo) {
#ifdef _WIN32
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | (letsGo ? FILE_SHARE_DELETE : 0);
    h_ = ::CreateFileW(p.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
#else
    (void)letsGo;
    in_.open(p, std::ios::binary);
#endif
  }
  ~Reader() {
#ifdef _WIN32
    if (h_ != INVALID_HANDLE_VALUE) ::CloseHandle(h_);
#endif
  }
  std::string All() {
#ifdef _WIN32
    char buf[4096];
    DWORD got = 0;
    return ::ReadFile(h_, buf, sizeof buf, &got, nullptr) ? std::string(buf, got) : "<unread>";
#else
    std::ostringstream ss;
    ss << in_.rdbuf();
    return ss.str();
#endif
  }

 private:
#ifdef _WIN32
  HANDLE h_ = INVALID_HANDLE_VALUE;
#else
  std::ifstream in_;
#endif
};

// What a save over a game that another program is reading does: Linux and
// Windows 10 replace it and the reader goes on with the old bytes; a reader
// on Windows that holds the file fast, or any reader under Wine, whose
// rename is the classic one of older Windows, keeps the old game, and the
// save fails as a full disk would, with nothing left behind.
TEST(AtomicSave, AGameAnotherProgramReadsIsReplacedOrKeptWholeNeverHalf) {
#ifdef _WIN32
  const bool wine = ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  const struct { bool letsGo, replaced; } rows[] = {{true, !wine}, {false, false}};
#else
  const struct { bool letsGo, replaced; } rows[] = {{true, true}};
#endif
  for (const auto& row : rows) {
    SCOPED_TRACE(row.letsGo ? "a reader that lets the file go" : "a reader that holds it fast");
    Harness h;
    h.Start();
    h.Save("game");
    const std::string old = h.ReadFile("Save/game.ksv");
    {
      Reader reader(h.dir / "Save" / "game.ksv", row.letsGo);
      h.game.SetMoney(5555);
      h.Answer(MsgAnswer::Yes);
      h.Lines();
      EXPECT_EQ(h.Save("game"), row.replaced);
      EXPECT_EQ(h.LinesStarting("MSGBOX critical \"Сохранение игры\"").size(), row.replaced ? 0u : 1u) << h.out.str();
      EXPECT_EQ(reader.All(), old);
    }
    EXPECT_EQ(h.ReadFile("Save/game.ksv") == old, !row.replaced);
    EXPECT_TRUE(h.Load("game"));
    EXPECT_EQ(h.s().Money, row.replaced ? 5555 : 450);
    EXPECT_EQ(Folder(h), (std::vector<std::string>{"game.kjl", "game.ksv"}));
  }
}

TEST(AtomicSave, NoNumberOfLeftoversMakesASaveFail) {
  Harness h;
  h.Start();
  fs::create_directories(h.dir / "Save");
  for (int i = 0; i < 1500; ++i) std::ofstream(h.dir / "Save" / (".kalvitor-save-" + std::to_string(i) + ".tmp")) << i;
  std::ofstream(h.dir / "Save" / "notes.tmp") << "not the game's";
  h.Lines();
  h.Save("game");
  EXPECT_TRUE(h.LinesStarting("MSGBOX").empty());
  EXPECT_EQ(Folder(h), (std::vector<std::string>{"game.kjl", "game.ksv", "notes.tmp"}));
}

// Windows and Linux name files in Unicode: a Russian player in a folder of
// Russian words with spaces saves and loads under the names he sees.
TEST(SavedGame, ARussianNameInARussianFolderSavesAndLoads) {
  const fs::path base = FreshDir();
  {
    Harness h{Harness::InFolder{base / PathFromUtf8("Мои игры") / PathFromUtf8("Калвитор 1.6")}};
    h.Start("Вася");
    h.game.SetMoney(4321);
    h.Lines();
    EXPECT_TRUE(h.Save("Вася"));
    EXPECT_TRUE(h.LinesStarting("MSGBOX").empty()) << h.out.str();
    EXPECT_EQ(Folder(h), (std::vector<std::string>{"Вася.kjl", "Вася.ksv"}));
    EXPECT_EQ(ListSavedGames(Utf8FromPath(h.dir / "Save")), std::vector<std::string>{"Вася.ksv"});
    // The games log beside, in the Windows code page.
    EXPECT_NE(h.ReadFile("games.log").find("NAME \xC2\xE0\xF1\xFF DIFFICULT"), std::string::npos);
    h.game.SetMoney(1);
    EXPECT_TRUE(h.Load("вася"));
    EXPECT_EQ(h.s().Money, 4321);
    EXPECT_EQ(h.s().PlayerName, "Вася");
  }
  fs::remove_all(base);
}

TEST(SavedGame, EveryGameTheGameWritesLoadsBack) {
  // The name box holds 40 letters, however many are typed.
  Harness h;
  std::string typed;
  for (int i = 0; i < 5000; ++i) typed += "Я";
  h.Start(typed);
  ASSERT_EQ(Utf8Length(h.s().PlayerName), 40u);
  // Random games within every variable's range, saved and loaded back.
  std::mt19937 gen(9);
  auto any = [&gen](int64_t lo, int64_t hi) { return std::uniform_int_distribution<int64_t>(lo, hi)(gen); };
  const std::string letters[] = {"a", "Z", "я", "Ё", " ", "№", "\"", "—", "’", "9"};
  for (int round = 0; round < 60; ++round) {
    GameState& s = h.s();
    s.Money = static_cast<int32_t>(any(INT32_MIN, INT32_MAX));
    s.Mood = static_cast<int16_t>(any(-99, 32767));
    s.GameTime = static_cast<int>(any(0, 1439));
    s.GameDate = static_cast<int32_t>(any(SerialFromCivil(1900, 1, 1), SerialFromCivil(9999, 12, 31)));
    h.game.SetJob(static_cast<int16_t>(any(0, 12)));
    for (size_t i = 0; i < 9; ++i) s.Hw[i] = static_cast<int16_t>(any(0, HardwareTopModel(static_cast<int>(i))));
    for (size_t i = 0; i < 6; ++i) s.Soft[i] = static_cast<int16_t>(any(0, SoftwareTopModel(static_cast<int>(i))));
    for (size_t i = 0; i < 4; ++i) s.Hw[i] = kTopHw[i];  // every program's needs met
    s.Soft[0] = 8;
    s.Health = static_cast<int16_t>(any(-49, 32767));
    s.Satiety = static_cast<int16_t>(any(-19, 32767));
    s.StatusRank = static_cast<int16_t>(any(1, 8));
    s.Education = static_cast<int16_t>(any(INT16_MIN, INT16_MAX));
    s.BankLoan = static_cast<int32_t>(any(INT32_MIN, INT32_MAX));
    s.PlayerName.clear();
    for (int64_t n = any(1, 40); n > 0; --n) s.PlayerName += letters[any(0, 9)];
    const GameState saved = s;
    h.Answer(MsgAnswer::Yes);
    h.Save("round");
    ASSERT_TRUE(h.Load("round")) << round;
    auto values = [](const GameState& g) {
      return std::vector<int64_t>{g.Money,  g.Mood,    g.GameTime,   g.GameDate,  g.JobIndex,
                                  g.Health, g.Satiety, g.StatusRank, g.Education, g.BankLoan};
    };
    EXPECT_EQ(values(s), values(saved));
    EXPECT_EQ(s.PlayerName, saved.PlayerName);
    EXPECT_EQ(s.Hw, saved.Hw);
    EXPECT_EQ(s.Soft, saved.Soft);
  }
}

}  // namespace
}  // namespace kalvitor::testing
