#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "harness.h"
#include "persist/frm_save_load.h"
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
  s.Money = -1234;
  s.Mood = -60;
  s.GameTime = 0;
  s.GameDate = SerialFromCivil(2002, 3, 5);
  s.PlayerName = "Вася";
  h.game.SetJob(3);
  s.Hw = {2, 1, 1, 1, 1, 1, 1, 0, 1};
  s.Soft = {2, 1, 0, 0, 1, 1};
  s.Health = 33;
  s.Satiety = -5;
  s.AttendsCourses = kTrue;
  s.AttendsSchool = kFalse;
  s.StatusRank = 4;
  s.Education = 57;
  s.Married = kTrue;
  s.WasMarried = kTrue;
  s.Daughters = 1;
  s.Alimony = 50;
  s.Sons = 2;
  s.BankDeposit = 1000;
  s.BankLoan = -100;
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

TEST(SavedGame, LoadingRestoresTheSavedGame) {
  Harness h;
  h.Start("Петя");
  SetGoodState(h);
  h.s().Wage = 999;  // a raised wage comes back at the job table's wage
  Save(h, "first");
  const GameState saved = h.s();

  // Another game meanwhile, at another level and speed.
  h.QueuePlayer("Коля", 2);
  h.game.NewGame();
  h.game.SetSpeed(60);
  h.game.SetDownloadedMb(12);
  h.Lines();
  EXPECT_TRUE(Load(h, "first"));
  const GameState& s = h.s();
  EXPECT_EQ(s.Money, -1234);
  EXPECT_EQ(s.Mood, -60);
  EXPECT_EQ(s.GameTime, 0);
  EXPECT_EQ(s.GameDate, saved.GameDate);
  EXPECT_EQ(s.PlayerName, "Вася");
  EXPECT_EQ(s.JobIndex, 3);
  EXPECT_EQ(s.Wage, 20);
  EXPECT_EQ(s.JobTitle, "Инженер");
  EXPECT_EQ(s.Hw, saved.Hw);
  EXPECT_EQ(s.HwModels, saved.Hw);
  EXPECT_EQ(s.Soft, saved.Soft);
  EXPECT_EQ(s.Health, 33);
  EXPECT_EQ(s.Satiety, -5);
  EXPECT_EQ(s.AttendsCourses, kTrue);
  EXPECT_EQ(s.AttendsSchool, kFalse);
  EXPECT_EQ(s.StatusRank, 4);
  EXPECT_EQ(s.Education, 57);
  EXPECT_EQ(s.Married, kTrue);
  EXPECT_EQ(s.WasMarried, kTrue);
  EXPECT_EQ(s.Daughters, 1);
  EXPECT_EQ(s.Alimony, 50);
  EXPECT_EQ(s.Sons, 2);
  EXPECT_EQ(s.BankDeposit, 1000);
  EXPECT_EQ(s.BankLoan, -100);
  // Not in the file: left as they were.
  EXPECT_EQ(s.DifficultyCode, 0);
  EXPECT_EQ(s.TickMinutes, 60);
  EXPECT_EQ(s.DownloadedMb, 12);
  // The main window follows.
  EXPECT_EQ(h.game.MainForm().Caption(), "Brindlex Kalvitor 1.6 -- Вася");
  EXPECT_EQ(h.Label("lblfamily"), "YES:1:2");
  EXPECT_EQ(h.Label("lblMoney"), "$-1234");
  EXPECT_EQ(h.Label("lblHappy"), "-60%");
  EXPECT_EQ(h.Label("lblCurrWork"), "Работа: Инженер ($20/день)");
  EXPECT_EQ(h.Label("lblOs"), "Microsoft Windows 95");
  EXPECT_TRUE(h.LinesStarting("MSGBOX").empty());
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
  EXPECT_EQ(h.s().GameTime, 7 * 60 + 30);
  EXPECT_EQ(h.s().GameDate, SerialFromCivil(2002, 3, 5));
  EXPECT_EQ(h.s().AttendsCourses, kTrue);
  EXPECT_EQ(h.s().WasMarried, kTrue);
  EXPECT_EQ(h.s().Money, 15);
  EXPECT_EQ(h.s().BankLoan, -100);
}

TEST(SavedGame, ACutFileLoadsWhatItHas) {
  Harness h;
  h.Start();
  h.s().BankDeposit = 77;
  std::vector<std::string> lines = GoodLines();
  lines.resize(20);
  WriteSave(h, "cut.ksv", Join(lines));
  EXPECT_FALSE(Load(h, "cut"));
  EXPECT_EQ(h.s().Money, -1234);
  EXPECT_EQ(h.s().PlayerName, "Вася");
  EXPECT_EQ(h.s().Hw[8], 1);
  EXPECT_EQ(h.s().Soft[0], 2);  // line 19
  EXPECT_EQ(h.s().Soft[1], 1);  // line 20
  EXPECT_EQ(h.s().Soft[4], 0);  // line 23 is not there: kept
  EXPECT_EQ(h.s().Health, 40);
  EXPECT_EQ(h.s().BankDeposit, 77);
  EXPECT_EQ(h.s().JobIndex, 3);  // SetJob still runs at the end
  EXPECT_EQ(h.s().Wage, 20);
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
  EXPECT_EQ(h.s().Mood, before.Mood);
  EXPECT_EQ(h.s().GameDate, before.GameDate);
  EXPECT_EQ(h.s().JobIndex, 0);
  EXPECT_EQ(h.s().Hw[0], 0);
  EXPECT_EQ(h.s().Hw[1], 1);  // the neighbours are in place
  EXPECT_EQ(h.s().StatusRank, 1);
  EXPECT_EQ(h.s().BankDeposit, 0);
  EXPECT_EQ(h.s().BankLoan, 0);
  EXPECT_EQ(h.s().Money, -1234);
  EXPECT_EQ(h.s().Sons, 2);
}

TEST(SavedGame, AWrongVersionChangesNothing) {
  Harness h;
  h.Start();
  const char* firsts[] = {"Brindlex Kalvitor ver. 1.06.2003 / Standard Game File Format",
                          "brindlex kalvitor ver. 1.06.2002 / standard game file format", "", "\xFF\xFE"};
  for (const char* first : firsts) {
    std::vector<std::string> lines = GoodLines();
    lines[0] = first;
    WriteSave(h, "v.ksv", Join(lines));
    h.Lines();
    EXPECT_FALSE(Load(h, "v"));
    EXPECT_TRUE(h.Saw("MSGBOX critical \"Загрузка игры\" \"Некорректная версия\" -> ok"));
    EXPECT_EQ(h.s().Money, 450);
    EXPECT_EQ(h.s().PlayerName, "Вася");
  }
  WriteSave(h, "empty.ksv", "");
  EXPECT_FALSE(Load(h, "empty"));
  EXPECT_EQ(h.s().Money, 450);
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
  EXPECT_EQ(h.s().PlayerName, "Петя");
  EXPECT_EQ(h.s().Health, 40);
  EXPECT_EQ(h.s().Satiety, 75);
  EXPECT_EQ(h.s().Married, kFalse);
  EXPECT_EQ(h.s().BankDeposit, 0);
  EXPECT_EQ(h.s().Money, 450);
  EXPECT_EQ(h.s().Hw[0], 0);
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

  // Picking the entry asks as well.
  h.Lines();
  h.port.fileAnswers.push_back({FileAnswer::Pick, "", 0});
  h.Answer(MsgAnswer::Yes);
  h.game.SaveGame();
  EXPECT_TRUE(h.Saw(question + "yes"));

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
  h.Lines();
  EXPECT_FALSE(Load(h, "../evil"));
  EXPECT_EQ(h.LinesStarting("MSGBOX critical \"Ошибка\"").size(), 1u);

  // No temporary file is left behind.
  for (auto& e : fs::directory_iterator(h.dir / "Save"))
    EXPECT_EQ(e.path().extension().string() == ".tmp", false) << e.path();

  // Save is a file, not a folder.
  Harness g;
  g.Start();
  { std::ofstream(g.dir / "Save") << "not a folder"; }
  g.Lines();
  Save(g, "one");
  EXPECT_EQ(g.LinesStarting("MSGBOX critical \"Сохранение игры\"").size(), 1u);
  EXPECT_EQ(g.ReadFile("Save"), "not a folder");
}

}  // namespace
}  // namespace kalvitor::testing
