// The rules of one game, row by row: vitals and deaths, victory, the job and
// rank ladders, the level and speed setters, family, cheat codes, the games
// log and a new game.
#include <gtest/gtest.h>

#include "harness.h"
#include "headless_port.h"
#include "util/date.h"
#include "windows/shell/frm_main.h"

namespace kalvitor::testing {
namespace {

const char* const kHeader =
    "Brindlex Kalvitor ver. 1.06.2002 for Windows 9.x/NT\r\nGames Log\r\n------------------------------\r\n"
    "For Supervisor and Services ONLY\r\n\r\n";

}  // namespace

TEST(Vitals, ColourAndDeathThresholdsOfEachVital) {
  const struct {
    void (Life::*set)(int16_t);
    const char* label;
    int16_t redBelow, deathAt;
    const char* title;
    const char* text;
  } rows[] = {
      {&Life::SetHealth, "lblHealth", -30, -50, "Dr. Green",
       "Вы скончались от полученных травм. Время смерти -- 7:05:00"},
      {&Life::SetSatiety, "lblEat", -10, -20, "Желаю тебе быть большим и тольстым", "Вы умерли голодной смертью!"},
      {&Life::SetMood, "lblHappy", -75, -100, "Критический уровень настроения",
       "Вы спрыгнули с 15 этажа и разбились насмерть!!!"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.label);
    Harness h;
    h.Start();
    h.s().GameTime = 7 * 60 + 5;
    auto set = [&](int value) { (static_cast<Life&>(h.game).*r.set)(static_cast<int16_t>(value)); };
    for (int v : {r.redBelow + 0, 32000, 0}) {
      set(v);
      EXPECT_EQ(h.Label(r.label), std::to_string(v) + "%");
      EXPECT_EQ(h.LabelColor(r.label), kLightCyan) << v;
    }
    for (int v : {r.redBelow - 1, r.deathAt + 1}) {
      set(v);
      EXPECT_EQ(h.LabelColor(r.label), kRed) << v;
    }
    EXPECT_FALSE(h.Saw("SFX LOSE"));
    h.game.SetMoney(99);
    h.QueuePlayer("Второй", 2);
    h.Lines();
    set(r.deathAt);
    const auto lines = h.Lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "SFX LOSE");
    EXPECT_EQ(lines[1], InfoBox(r.title, r.text));
    EXPECT_EQ(h.s().PlayerName, "Второй");
    EXPECT_EQ(h.s().Money, 450);
    EXPECT_EQ(h.game.MainForm().Caption(), "Brindlex Kalvitor 1.6 -- Второй");
  }
}

// The clock goes on while the death's box is up, so another game may begin
// meanwhile (here: the player loads one); the death then starts no new game
// over it.
TEST(Vitals, AGameBegunWhileTheDeathBoxIsUpIsNotReplaced) {
  Harness h;
  h.Start();
  h.game.SetMoney(1000);
  ASSERT_TRUE(h.Save("rich"));
  h.LoadMeanwhile("rich");
  h.game.SetHealth(-50);  // no name is queued: a new game would stop the test
  EXPECT_EQ(h.s().Money, 1000);
  EXPECT_EQ(h.s().Health, 40);
}

TEST(Victory, EveryConditionAtItsEdgeOnEachLevel) {
  const struct {
    int level;
    int32_t goal;
  } levels[] = {{0, 5000}, {1, 10000}, {2, 30000}};
  const struct {
    const char* what;
    int32_t moneyOverGoal;
    int16_t job, married;
    int32_t loan;
    int shortSlot;  // a slot one model below its top, or -1
    bool wins;
  } rows[] = {
      {"all met", 1, 12, kTrue, 0, -1, true},        {"money equal to the goal", 0, 12, kTrue, 0, -1, false},
      {"job 11", 1, 11, kTrue, 0, -1, false},        {"not married", 1, 12, kFalse, 0, -1, false},
      {"married 1", 1, 12, 1, 0, -1, false},         {"a loan of 1", 1, 12, kTrue, 1, -1, false},
      {"a loan of -1", 1, 12, kTrue, -1, -1, false}, {"processor short", 1, 12, kTrue, 0, 0, false},
      {"printer short", 1, 12, kTrue, 0, 8, false},
  };
  for (const auto& l : levels) {
    Harness h;
    h.Start("Вася", l.level);
    EXPECT_EQ(h.s().WinMoney, l.goal);
    for (const auto& r : rows) {
      SCOPED_TRACE(std::string(r.what) + " at level " + std::to_string(l.level));
      h.s().Money = l.goal + r.moneyOverGoal;
      h.s().JobIndex = r.job;
      h.s().Married = r.married;
      h.s().BankLoan = r.loan;
      for (int16_t i = 0; i < 9; ++i)
        h.game.BuyHardware(i, static_cast<int16_t>(kTopHw[i] - (i == r.shortSlot)), kFalse);
      EXPECT_EQ(h.game.VictoryConditionHolds(), r.wins);
    }
  }
}

TEST(Careers, EveryJobRowAndRankName) {
  const struct {
    const char* title;
    int16_t wage;
  } jobs[] = {{"Безработный", 0},
              {"Дворник", 10},
              {"Сантехник", 15},
              {"Инженер", 20},
              {"Менеджер", 80},
              {"Дизайнер", 95},
              {"Архитектор", 115},
              {"Бухгалтер", 125},
              {"Программист", 150},
              {"Сисадмин", 175},
              {"Спец. по комп. безоп.", 200},
              {"Хакер", 540},
              {"Босс hack-фирмы", 750}};
  Harness h;
  h.Start();
  for (int16_t j = 0; j <= 12; ++j) {
    h.Lines();
    h.game.SetJob(j);
    EXPECT_EQ(h.s().JobIndex, j);
    EXPECT_EQ(h.s().Wage, jobs[j].wage) << jobs[j].title;
    EXPECT_EQ(h.s().JobTitle, jobs[j].title);
    EXPECT_EQ(h.Label("lblCurrWork"),
              "Работа: " + std::string(jobs[j].title) + " ($" + std::to_string(jobs[j].wage) + "/день)");
    EXPECT_EQ(h.Lines(), std::vector<std::string>{"SFX WORK"});
  }
  for (int16_t bad : {13, -1}) {
    h.game.SetJob(bad);
    EXPECT_EQ(h.s().JobIndex, 12);
    EXPECT_EQ(h.s().Wage, 750);
    EXPECT_TRUE(h.Saw("SFX WORK"));
  }
  const char* const ranks[] = {"", "BEGIN", "USER", "GAMER", "LAMER", "PROG-ER", "ADMIN", "HACKER", "PROF", ""};
  for (int16_t r = 0; r <= 9; ++r) {
    EXPECT_EQ(Game::StatusName(r), ranks[r]);
    h.game.SetStatus(r);
    EXPECT_EQ(h.s().StatusRank, r);
    EXPECT_EQ(h.Label("lblStatus"), ranks[r]);
  }
  h.game.SetEducation(99);
  EXPECT_EQ(h.Label("lblEducation"), "99%");
}

TEST(MainSetters, LevelAndSpeedRows) {
  Harness h;
  h.Start();
  const struct {
    int16_t level, goal, code;
    const char* label;
  } levels[] = {{0, 5000, 2, "Сложность: Лёгкая"},
                {1, 10000, 1, "Сложность: Нормальная"},
                {2, 30000, 0, "Сложность: Сложная"},
                {3, 30000, 0, "Сложность: Сложная"},
                {-1, 30000, 0, "Сложность: Сложная"}};
  for (const auto& l : levels) {
    h.game.SetDifficulty(l.level);
    EXPECT_EQ(h.s().WinMoney, l.goal) << l.level;
    EXPECT_EQ(h.s().DifficultyCode, l.code) << l.level;
    EXPECT_EQ(h.Label("lblGameLevel"), l.label) << l.level;
  }
  const struct {
    int16_t minutes;
    const char* label;
  } speeds[] = {{15, "Медленная"}, {45, "Медленная"}, {60, "Быстрая"}, {45, "Быстрая"}, {30, "Нормальная"}};
  for (const auto& s : speeds) {
    h.game.SetSpeed(s.minutes);
    EXPECT_EQ(h.s().TickMinutes, s.minutes);
    EXPECT_EQ(h.Label("lblGameSpeed"), std::string("Скорость игры: ") + s.label) << s.minutes;
  }
  h.game.SetMoney(-20);
  EXPECT_EQ(h.Label("lblMoney"), "$-20");
}

TEST(Family, MarriageDivorceAndChildren) {
  Harness h;
  h.Start();
  h.Lines();
  h.game.FamilyEvent(24);  // not married: the sound only
  EXPECT_EQ(h.Lines(), std::vector<std::string>{"SFX BABY"});
  EXPECT_EQ(h.Label("lblfamily"), "NO:0:0");

  h.game.FamilyEvent(8);
  EXPECT_EQ(h.Lines(), (std::vector<std::string>{"SFX MARRY", InfoBox("Женится или не женится... Всё равно потом "
                                                                      "раскаиваться буду!",
                                                                      "Поздравляем! Вчера ты "
                                                                      "женился! Заплатите за свадьбу $50")}));
  EXPECT_EQ(h.s().Money, 400);
  EXPECT_EQ(h.s().Mood, 50);
  EXPECT_EQ(h.Label("lblfamily"), "YES:0:0");
  h.game.FamilyEvent(8);  // married already: nothing at all
  EXPECT_TRUE(h.Lines().empty());

  h.game.FamilyEvent(24);
  h.game.FamilyEvent(32);
  h.game.FamilyEvent(32);
  EXPECT_EQ(h.Lines(), (std::vector<std::string>{"SFX BABY", InfoBox("Медбрат", "Поздравляем! У вас родилась дочь!"),
                                                 "SFX BABY", InfoBox("Медбрат", "Поздравляем! У вас родился сын!"),
                                                 "SFX BABY", InfoBox("Медбрат", "Поздравляем! У вас родился сын!")}));
  h.s().Alimony = 7;
  h.game.FamilyEvent(12);
  EXPECT_EQ(h.s().Alimony, 150);
  EXPECT_EQ(h.Label("lblfamily"), "LEFT:1:2");
  EXPECT_EQ(h.Lines(),
            (std::vector<std::string>{"SFX DIVORCE", InfoBox("Вот и раскаивайся!", "От тебя ушла жена!"),
                                      InfoBox("Круто, да?",
                                              "Но не тут-то было! Она забрала с собой твоих детей и ты должен "
                                              "выплачивать ей по $50 за ребенка в месяц!")}));
  // Married again without new children: the second divorce counts them all again.
  h.s().Alimony = 0;
  h.game.FamilyEvent(8);
  h.game.FamilyEvent(12);
  EXPECT_EQ(h.s().Alimony, 150);
  EXPECT_EQ(h.s().WasMarried, kTrue);
}

TEST(Cheats, EveryCodeInAnyCaseAndNothingElse) {
  const struct {
    const char* code;
    int32_t money;
    int16_t health, mood, satiety, education, rank, daughters, sons, cheatWin;
  } rows[] = {
      {"qarventos", 550, 40, 25, 75, 20, 1, 0, 0, 0},      {"MELKIR", 450, 65, 25, 75, 20, 1, 0, 0, 0},
      {"TrUvO", 450, 40, 50, 75, 20, 1, 0, 0, 0},          {"balnosh", 450, 40, 25, 100, 20, 1, 0, 0, 0},
      {"skavorine", 450, 40, 25, 75, 99, 1, 0, 0, 0},      {"nelux", 450, 40, 25, 75, 20, 7, 0, 0, 0},
      {"FELDRANOVIKASH", 450, 40, 25, 75, 20, 1, 1, 0, 0}, {"tobrelin", 450, 40, 25, 75, 20, 1, 0, 1, 0},
      {"zorpik", 450, 40, 25, 75, 20, 1, 0, 0, kTrue},     {" NELUX", 450, 40, 25, 75, 20, 1, 0, 0, 0},
      {"NELUXX", 450, 40, 25, 75, 20, 1, 0, 0, 0},         {"", 450, 40, 25, 75, 20, 1, 0, 0, 0},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.code);
    Harness h;
    h.Start();
    h.s().Married = kTrue;
    h.game.ApplyCheatCode(r.code);
    const GameState& s = h.s();
    EXPECT_EQ(
        (std::vector<int>{s.Money, s.Health, s.Mood, s.Satiety, s.Education, s.StatusRank, s.Daughters, s.Sons,
                          s.CheatWin}),
        (std::vector<int>{r.money, r.health, r.mood, r.satiety, r.education, r.rank, r.daughters, r.sons, r.cheatWin}));
  }
  Harness h;
  h.Start();
  h.game.ApplyCheatCode("nelux");
  EXPECT_EQ(h.Label("lblStatus"), "HACKER");
  h.QueuePlayer("После");
  h.game.ApplyCheatCode("grimlo");
  EXPECT_TRUE(h.Saw(InfoBox("Критический уровень настроения", "Вы спрыгнули с 15 этажа и разбились насмерть!!!")));
  EXPECT_EQ(h.s().PlayerName, "После");
}

TEST(GamesLog, HeaderOnceThenALinePerGameInAFileOfAnyLetterCase) {
  Harness h("05.03.2027 09:04:07");
  h.Start("Игрок", 0);
  // Written after the starting values, whose job effect plays for 1.6 seconds.
  const std::string created = "CREATED 05.03.2027 AT 9:04:08 NAME \xC8\xE3\xF0\xEE\xEA DIFFICULT 2\r\n";
  EXPECT_EQ(h.ReadFile("games.log"), kHeader + created);

  // A second run in a folder whose log is called GAMES.LOG: the lines go there.
  Harness second("05.03.2027 09:04:07");
  std::filesystem::copy_file(h.dir / "games.log", second.dir / "GAMES.LOG");
  second.Start("Игрок", 0);
  EXPECT_EQ(second.ReadFile("GAMES.LOG"), kHeader + created + created);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(second.dir), std::filesystem::directory_iterator()), 1);

  // A log left empty (a first start on a full disk makes it and writes
  // nothing): the next start writes the header first.
  Harness full("05.03.2027 09:04:07");
  full.WriteFile("games.log", "");
  full.Start("Игрок", 0);
  EXPECT_EQ(full.ReadFile("games.log"), kHeader + created);

  // An empty name ends the program before any line.
  Harness empty;
  empty.QueuePlayer("");
  EXPECT_THROW(empty.game.RunMain(), headless::ProgramEnded);
  EXPECT_EQ(empty.ReadFile("games.log"), kHeader);
  Harness cancel;
  cancel.port.playerAnswers.push_back({headless::PlayerAnswer::Cancel, 1, ""});
  EXPECT_THROW(cancel.game.RunMain(), headless::ProgramEnded);
}

TEST(NewGame, StartingValuesAndWhatTheGameBeforeLeaves) {
  Harness h;
  h.Start();
  h.s().Married = kTrue;
  h.s().WasMarried = kTrue;
  h.s().Sons = 2;
  h.s().BankLoan = 500;
  h.s().BankDeposit = 70;
  h.s().AttendsCourses = kTrue;
  h.game.BuyHardware(8, 4, kFalse);
  h.game.SetDownloadedMb(9);
  h.QueuePlayer("Снова");
  h.game.SetHealth(-60);
  const GameState& s = h.s();
  // The bank, the courses and the family stay.
  EXPECT_EQ((std::vector<int>{s.Money, s.Mood, s.JobIndex, s.Satiety, s.Health, s.TickMinutes, s.DownloadedMb,
                              s.StatusRank, s.Education, s.BankLoan, s.BankDeposit, s.AttendsCourses}),
            (std::vector<int>{450, 25, 0, 75, 40, 30, 0, 1, 20, 500, 70, kTrue}));
  EXPECT_EQ(h.Label("lblfamily"), "YES:0:2");
  for (int16_t m : s.HwModels) EXPECT_EQ(m, 0);
  EXPECT_EQ(h.game.MainForm().lblhard[8]->Text(), "Нет вооще");
  EXPECT_EQ(h.Label("lblOther"), "0 Мб");
}

TEST(Saturation, ValuesNeverWrap) {
  Harness h;
  h.Start();
  h.game.SetMood(32760);
  h.game.ApplyCheatCode("TRUVO");
  EXPECT_EQ(h.s().Mood, 32767);
  h.game.SetMoney(2147483600);
  h.game.ApplyCheatCode("QARVENTOS");
  EXPECT_EQ(h.s().Money, 2147483647);
  h.s().Married = kTrue;
  h.s().Sons = 32767;
  h.game.FamilyEvent(32);
  EXPECT_EQ(h.s().Sons, 32767);
  h.game.FamilyEvent(12);
  EXPECT_EQ(h.s().Alimony, 32767);
}

}  // namespace kalvitor::testing
