#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

#include "harness.h"
#include "computer/hardware_catalogue.h"
#include "computer/software_catalogue.h"
#include "persist/frm_save_load.h"
#include "persist/save_file.h"
#include "shell/frm_main.h"
#include "util/date.h"
#include "util/text.h"

namespace kalvitor::testing {
namespace {

namespace fs = std::filesystem;
using headless::FileAnswer;

const char* const kFormat = "Brindlex Kalvitor ver. 1.06.2002 / Standard Game File Format";

void Save(Harness& h, const std::string& name) {
  h.port.fileAnswers.push_back({FileAnswer::Name, name, 0});
  h.game.SaveGame();
}

bool Load(Harness& h, const std::string& name) {
  h.port.fileAnswers.push_back({FileAnswer::Name, name, 0});
  return h.game.LoadGame();
}

void WriteSave(Harness& h, const std::string& name, const std::string& bytes) {
  fs::create_directories(h.dir / "Save");
  std::ofstream f(h.dir / "Save" / name, std::ios::binary | std::ios::trunc);
  f << bytes;
}

std::string Join(const std::vector<std::string>& lines, const std::string& end = "\r\n") {
  std::string text;
  for (const std::string& l : lines) text += l + end;
  return text;
}

// A saved game, line by line, with a small computer whose software fits it.
std::vector<std::string> GoodLines() {
  return {kFormat, "-1234", "-60", "0:00:00", "05.03.2002", "\xC2\xE0\xF1\xFF", "20", "3",
          "\xC8\xED\xE6\xE5\xED\xE5\xF0", "2", "1", "1", "1", "1", "1", "1", "0", "1", "2", "1", "0", "0", "1", "1",
          "33", "-5", "-1", "0", "4", "57", "-1", "-1", "1", "50", "2", "1000", "-100"};
}

// Sets up the state that GoodLines() describes.
void SetGoodState(Harness& h) {
  GameState& s = h.s();
  s.Money = -1234, s.Mood = -60, s.GameTime = 0, s.GameDate = SerialFromCivil(2002, 3, 5), s.PlayerName = "Вася";
  h.game.SetJob(3);
  s.Hw = {2, 1, 1, 1, 1, 1, 1, 0, 1};
  s.Soft = {2, 1, 0, 0, 1, 1};
  s.Health = 33, s.Satiety = -5, s.AttendsCourses = kTrue, s.AttendsSchool = kFalse, s.StatusRank = 4;
  s.Education = 57, s.Married = kTrue, s.WasMarried = kTrue, s.Daughters = 1, s.Alimony = 50, s.Sons = 2;
  s.BankDeposit = 1000, s.BankLoan = -100;
}

TEST(SavedGame, WritesTheThirtySevenLinesByteForByte) {
  Harness h;
  h.Start();
  SetGoodState(h);
  h.Lines();
  Save(h, "first");
  EXPECT_TRUE(h.LinesStarting("MSGBOX").empty());
  EXPECT_EQ(h.ReadFile("Save/first.ksv"), Join(GoodLines()));
  // Nothing but the game and its journal is left in the folder.
  EXPECT_EQ(ListSavedGames((h.dir / "Save").string()), std::vector<std::string>{"first.ksv"});
  EXPECT_EQ(std::distance(fs::directory_iterator(h.dir / "Save"), fs::directory_iterator()), 2);
  EXPECT_TRUE(fs::exists(h.dir / "Save" / "first.kjl"));

  h.s().GameTime = 7 * 60 + 30;
  h.s().AttendsSchool = 1;  // any non-zero flag is written as -1
  Save(h, "second.ksv");
  std::vector<std::string> lines = GoodLines();
  lines[3] = "7:30:00";
  lines[27] = "-1";
  EXPECT_EQ(h.ReadFile("Save/second.ksv"), Join(lines));
}

TEST(SavedGame, LoadingAtTheTopOfEveryRangeIntoAnotherGame) {
  const int16_t hwTop[9] = {10, 7, 7, 7, 6, 6, 6, 6, 4}, softTop[6] = {8, 4, 5, 4, 5, 6};
  Harness h;
  h.Start("Петя");
  GameState& s = h.s();
  s.Money = 2147483647, s.Mood = 32767, s.GameTime = 23 * 60 + 59, s.GameDate = SerialFromCivil(2099, 12, 31);
  s.PlayerName = "Ёжик в тумане";
  h.game.SetJob(12);
  s.Wage = 999;  // a raised wage comes back at the job table's wage
  for (size_t i = 0; i < 9; ++i) s.Hw[i] = hwTop[i];
  for (size_t i = 0; i < 6; ++i) s.Soft[i] = softTop[i];
  s.Health = -49, s.Satiety = -19, s.AttendsCourses = kTrue, s.AttendsSchool = kTrue, s.StatusRank = 8;
  s.Education = 100, s.Married = kTrue, s.WasMarried = kTrue, s.Daughters = 2, s.Alimony = 32767, s.Sons = 3;
  s.BankDeposit = -2147483647 - 1, s.BankLoan = 2147483647;
  Save(h, "top");
  const GameState saved = s;

  // Another game meanwhile: another name, level, speed, family and computer.
  h.QueuePlayer("Коля", 2);
  h.game.NewGame();
  h.game.SetSpeed(15);
  h.game.SetDownloadedMb(12);
  h.game.BuyHardware(0, 1, kFalse);
  h.Lines();
  ASSERT_TRUE(Load(h, "top"));
  EXPECT_TRUE(h.LinesStarting("MSGBOX").empty());
  EXPECT_EQ((std::vector<int64_t>{s.Money, s.Mood, s.GameTime, s.GameDate, s.JobIndex, s.Wage, s.Health, s.Satiety,
                                  s.AttendsCourses, s.AttendsSchool, s.StatusRank, s.Education, s.Married,
                                  s.WasMarried, s.Daughters, s.Alimony, s.Sons, s.BankDeposit, s.BankLoan}),
            (std::vector<int64_t>{2147483647, 32767, 23 * 60 + 59, saved.GameDate, 12, 750, -49, -19, kTrue, kTrue, 8,
                                  100, kTrue, kTrue, 2, 32767, 3, -2147483647 - 1, 2147483647}));
  EXPECT_EQ(s.PlayerName, "Ёжик в тумане");
  EXPECT_EQ(s.JobTitle, "Босс hack-фирмы");
  EXPECT_EQ(s.Hw, saved.Hw);
  EXPECT_EQ(s.HwModels, saved.Hw);
  EXPECT_EQ(s.Soft, saved.Soft);
  // Not in the file: left as they were.
  EXPECT_EQ((std::vector<int>{s.DifficultyCode, s.WinMoney, s.TickMinutes, s.DownloadedMb}),
            (std::vector<int>{0, 30000, 15, 12}));
  // Every label follows the loaded game.
  FrmMain& m = h.game.MainForm();
  EXPECT_EQ(m.Caption(), "Brindlex Kalvitor 1.6 -- Ёжик в тумане");
  const std::pair<const char*, const char*> labels[] = {
      {"lblMoney", "$2147483647"}, {"lblHappy", "32767%"},   {"lblHealth", "-49%"},   {"lblEat", "-19%"},
      {"lblEducation", "100%"},    {"lblStatus", "PROF"},    {"lblfamily", "YES:2:3"},
      {"lblCurrWork", "Работа: Босс hack-фирмы ($750/день)"}, {"lblGameSpeed", "Скорость игры: Медленная"}};
  for (const auto& [name, text] : labels) EXPECT_EQ(h.Label(name), text) << name;
  for (int16_t i = 0; i < 9; ++i) EXPECT_EQ(m.lblhard[static_cast<size_t>(i)]->Text(), GetHardwareName(i, hwTop[i]));
  for (int16_t i = 0; i < 6; ++i) EXPECT_EQ(m.SoftwareLabel(i).Text(), GetSoftwareName(i, softTop[i]));
  EXPECT_EQ(h.LabelColor("lblHealth"), kRed);
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
  WriteSave(h, "weak.ksv", Join(lines));
  h.Lines();
  EXPECT_TRUE(Load(h, "weak"));
  // Unix is refused and Windows 95 stays; Quake II is checked against it and refused too.
  EXPECT_EQ(h.LinesStarting("MSGBOX"),
            (std::vector<std::string>{"MSGBOX information \"Ну у Вас и запросы...\" \"Слабая машинка!!!!\" -> ok",
                                      "MSGBOX information \"Ну у Вас и запросы...\" \"Установи Windows 98\" -> ok"}));
  EXPECT_EQ(h.s().Soft, (std::array<int16_t, 6>{2, 1, 0, 0, 0, 1}));
  for (int16_t slot = 0; slot < 6; ++slot)
    EXPECT_EQ(h.game.MainForm().SoftwareLabel(slot).Text(), GetSoftwareName(slot, h.s().Soft[static_cast<size_t>(slot)]));
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
  WriteSave(h, "lenient.ksv", Join(lines, "\n"));  // LF line ends
  EXPECT_TRUE(Load(h, "lenient"));
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
  WriteSave(h, "cut.ksv", Join(lines));
  EXPECT_FALSE(Load(h, "cut"));
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
  lines[2] = "40000";     // mood beyond 16 bits
  lines[4] = "31.02.2002";
  lines[7] = "13";        // no such job
  lines[9] = "99";        // no such processor
  lines[28] = "9";        // no such status
  lines[35] = "2147483648";
  lines[36] = "12abc";
  WriteSave(h, "bad.ksv", Join(lines));
  const GameState before = h.s();
  EXPECT_FALSE(Load(h, "bad"));
  // Each bad value is left as it was; its neighbours are taken.
  const GameState& s = h.s();
  EXPECT_EQ((std::vector<int64_t>{s.Mood, s.GameDate, s.JobIndex, s.Hw[0], s.Hw[1], s.StatusRank, s.BankDeposit,
                                  s.BankLoan, s.Money, s.Sons}),
            (std::vector<int64_t>{before.Mood, before.GameDate, 0, 0, 1, 1, 0, 0, -1234, 2}));
}

TEST(SavedGame, AWrongVersionChangesNothing) {
  Harness h;
  h.Start();
  const char* firsts[] = {"Brindlex Kalvitor ver. 1.06.2003 / Standard Game File Format",
                          "brindlex kalvitor ver. 1.06.2002 / standard game file format", ""};
  for (const char* first : firsts) {
    std::vector<std::string> lines = GoodLines();
    lines[0] = first;
    WriteSave(h, "v.ksv", Join(lines));
    h.Lines();
    EXPECT_FALSE(Load(h, "v"));
    EXPECT_EQ(h.LinesStarting("MSGBOX"), std::vector<std::string>{"MSGBOX critical \"Загрузка игры\" \"Некорректная версия\" -> ok"});
    EXPECT_EQ(h.s().Money, 450);
  }
}

TEST(SavedGame, MissingFilesAndCancelledDialogs) {
  Harness h;
  h.Start();
  h.Lines();
  EXPECT_FALSE(Load(h, "nope"));
  EXPECT_TRUE(h.Saw("MSGBOX critical \"Ошибка\" \"Файл '" + (h.dir / "Save" / "nope.ksv").string() +
                    "' не найден!\" -> ok"));
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
  Harness h;
  h.Start();
  SetGoodState(h);
  Save(h, "first");
  Harness g;
  fs::create_directories(g.dir / "Save");
  fs::copy_file(h.dir / "Save" / "first.ksv", g.dir / "Save" / "first.ksv");
  // A missing file first: the dialog stays open; then the real one.
  g.port.playerAnswers.push_back({headless::PlayerAnswer::Load, 1, ""});
  g.port.fileAnswers.push_back({FileAnswer::Name, "missing", 0});
  g.port.playerAnswers.push_back({headless::PlayerAnswer::Load, 1, ""});
  g.port.fileAnswers.push_back({FileAnswer::Pick, "", 0});
  g.game.RunMain();
  EXPECT_TRUE(g.game.MainForm().Shown());
  EXPECT_EQ(g.s().PlayerName, "Вася");
  EXPECT_EQ(g.s().Money, -1234);
  EXPECT_EQ(g.game.MainForm().Caption(), "Brindlex Kalvitor 1.6 -- Вася");
  EXPECT_TRUE(g.port.playerAnswers.empty());
  EXPECT_EQ(g.LinesStarting("MSGBOX critical \"Ошибка\"").size(), 1u);
  // The first game of the run: the clock gets the normal speed and runs.
  EXPECT_EQ(g.s().TickMinutes, 30);
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
  WriteSave(h, "dead.ksv", Join(lines));
  h.QueuePlayer("Петя");
  h.Lines();
  EXPECT_FALSE(Load(h, "dead"));
  EXPECT_TRUE(h.Saw("SHOW frmPlayerName"));
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
  for (const char* n : {"b.ksv", "A.ksv", "c.txt", "a.KSV", "Яблоко.ksv"}) WriteSave(h, n, "x");
  fs::create_directories(h.dir / "Save" / "dir.ksv");
  EXPECT_EQ(ListSavedGames((h.dir / "Save").string()),
            (std::vector<std::string>{"A.ksv", "a.KSV", "b.ksv", "Яблоко.ksv"}));
  EXPECT_EQ(CompleteSaveName("first"), "first.ksv");
  EXPECT_EQ(CompleteSaveName("first.ksv"), "first.ksv");
  EXPECT_EQ(CompleteSaveName("FIRST.KSV"), "FIRST.KSV.ksv");
  EXPECT_EQ(CompleteSaveName(""), ".ksv");
}

TEST(SaveLoadDialog, TheOverwriteQuestion) {
  Harness h;
  h.Start();
  Save(h, "first");
  const std::string original = h.ReadFile("Save/first.ksv");
  h.game.SetMoney(99);
  const std::string question =
      "MSGBOX none \"Вопрос\" \"Файл с таким именем уже существует. Переписать его?\" -> ";

  // No: the dialog stays open with the text as typed; then Отмена.
  h.Lines();
  h.port.fileAnswers.push_back({FileAnswer::Name, "First", 0});
  h.Answer(MsgAnswer::No);
  h.port.fileAnswers.push_back({FileAnswer::Cancel, "", 0});
  h.game.SaveGame();
  EXPECT_TRUE(h.Saw(question + "no"));
  EXPECT_EQ(h.ReadFile("Save/first.ksv"), original);

  // Yes: the game goes into the file that is there, letter case and all.
  h.Lines();
  h.port.fileAnswers.push_back({FileAnswer::Name, "First", 0});
  h.Answer(MsgAnswer::Yes);
  h.game.SaveGame();
  EXPECT_TRUE(h.Saw(question + "yes"));
  EXPECT_EQ(ListSavedGames((h.dir / "Save").string()), std::vector<std::string>{"first.ksv"});
  EXPECT_NE(h.ReadFile("Save/first.ksv").find("\r\n99\r\n"), std::string::npos);

  // FIRST.KSV is not completed to first.ksv: a new file, no question.
  h.Lines();
  Save(h, "FIRST.KSV");
  EXPECT_TRUE(h.LinesStarting("MSGBOX").empty());
  EXPECT_TRUE(fs::exists(h.dir / "Save" / "FIRST.KSV.ksv"));

  // Loading never asks; a name in other letters finds the file as it is called.
  h.Lines();
  EXPECT_TRUE(Load(h, "FIRST"));
  EXPECT_TRUE(h.LinesStarting("MSGBOX").empty());
  EXPECT_EQ(h.s().Money, 99);
}

TEST(SavedGame, ASaveThatCannotBeWrittenIsReported) {
  Harness h;
  h.Start();
  auto refused = [&](const std::string& name) {
    return "MSGBOX critical \"Сохранение игры\" \"Не удалось сохранить игру в файл '" + (h.dir / "Save").string() +
           "/" + ReplaceAll(name, "\\", "\\\\") + "'.\" -> ok";
  };
  // The Save folder is missing: it is made.
  Save(h, "one");
  EXPECT_TRUE(fs::is_regular_file(h.dir / "Save" / "one.ksv"));

  // A folder where the file should go: reported, the folder stays.
  fs::create_directories(h.dir / "Save" / "two.ksv");
  h.Lines();
  Save(h, "two");
  EXPECT_TRUE(h.Saw(refused("two.ksv")));
  EXPECT_TRUE(fs::is_directory(h.dir / "Save" / "two.ksv"));

  // Names that would leave the folder.
  for (const char* name : {"../evil", "a/b", "a\\b"}) {
    h.Lines();
    Save(h, name);
    EXPECT_TRUE(h.Saw(refused(std::string(name) + ".ksv"))) << name;
  }
  EXPECT_FALSE(fs::exists(h.dir / "evil.ksv"));
}

// The names in the Save folder.
std::vector<std::string> Folder(Harness& h) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(h.dir / "Save")) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(AtomicSave, ASaveKilledHalfWayLeavesTheOldGameWholeAndItsLeftoverGoes) {
  Harness h;
  h.Start();
  Save(h, "game");
  const std::string old = h.ReadFile("Save/game.ksv");
  h.game.SetMoney(123456);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {  // killed in the middle of writing
    saveWriteMidway = [] {
      _exit(7);
      return true;
    };
    h.Answer(MsgAnswer::Yes);
    Save(h, "game");
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_EQ(WEXITSTATUS(status), 7);
  EXPECT_EQ(h.ReadFile("Save/game.ksv"), old);
  ASSERT_EQ(Folder(h).size(), 3u);  // the game, its journal and what the killed save left
  EXPECT_EQ(ListSavedGames((h.dir / "Save").string()), std::vector<std::string>{"game.ksv"});
  // The next start removes it.
  Harness next;
  fs::copy(h.dir / "Save", next.dir / "Save");
  next.Start();
  EXPECT_EQ(Folder(next), (std::vector<std::string>{"game.kjl", "game.ksv"}));
}

TEST(AtomicSave, AFailedWriteKeepsTheOldGameAndLeavesNoTemporaryFile) {
  Harness h;
  h.Start();
  Save(h, "game");
  const std::string old = h.ReadFile("Save/game.ksv");
  h.game.SetMoney(7);
  saveWriteMidway = [] { return false; };
  h.Answer(MsgAnswer::Yes);
  h.Lines();
  Save(h, "game");
  saveWriteMidway = nullptr;
  EXPECT_EQ(h.LinesStarting("MSGBOX critical \"Сохранение игры\"").size(), 1u);
  EXPECT_EQ(h.ReadFile("Save/game.ksv"), old);
  EXPECT_EQ(Folder(h), (std::vector<std::string>{"game.kjl", "game.ksv"}));
}

TEST(AtomicSave, NoNumberOfLeftoversMakesASaveFail) {
  Harness h;
  h.Start();
  fs::create_directories(h.dir / "Save");
  for (int i = 0; i < 1500; ++i) std::ofstream(h.dir / "Save" / (".kalvitor-save-" + std::to_string(i) + ".tmp")) << i;
  std::ofstream(h.dir / "Save" / "notes.tmp") << "not the game's";
  h.Lines();
  Save(h, "game");
  EXPECT_TRUE(h.LinesStarting("MSGBOX").empty());
  EXPECT_EQ(Folder(h), (std::vector<std::string>{"game.kjl", "game.ksv", "notes.tmp"}));
  EXPECT_TRUE(IsSaveLeftover(".kalvitor-save-3.tmp"));
  EXPECT_FALSE(IsSaveLeftover("game.ksv"));
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
    s.Hw[0] = 10, s.Hw[1] = 7, s.Hw[2] = 7, s.Hw[3] = 7, s.Soft[0] = 8;  // every program's needs met
    s.Health = static_cast<int16_t>(any(-49, 32767));
    s.Satiety = static_cast<int16_t>(any(-19, 32767));
    s.StatusRank = static_cast<int16_t>(any(1, 8));
    s.Education = static_cast<int16_t>(any(INT16_MIN, INT16_MAX));
    s.BankLoan = static_cast<int32_t>(any(INT32_MIN, INT32_MAX));
    s.PlayerName.clear();
    for (int64_t n = any(1, 40); n > 0; --n) s.PlayerName += letters[any(0, 9)];
    const GameState saved = s;
    h.Answer(MsgAnswer::Yes);
    Save(h, "round");
    ASSERT_TRUE(Load(h, "round")) << round;
    auto values = [](const GameState& g) {
      return std::vector<int64_t>{g.Money,   g.Mood,       g.GameTime,  g.GameDate, g.JobIndex,
                                  g.Health,  g.Satiety,    g.StatusRank, g.Education, g.BankLoan};
    };
    EXPECT_EQ(values(s), values(saved));
    EXPECT_EQ(s.PlayerName, saved.PlayerName);
    EXPECT_EQ(s.Hw, saved.Hw);
    EXPECT_EQ(s.Soft, saved.Soft);
  }
}

}  // namespace
}  // namespace kalvitor::testing
