// Vitals and deaths, careers, family, cheat codes and the games log.
#include <gtest/gtest.h>

#include "harness.h"
#include "headless_port.h"
#include "shell/frm_main.h"

namespace kalvitor::testing {

TEST(Vitals, ColoursAndDeathThresholds) {
  Harness h;
  h.Start();
  h.game.SetHealth(-30);
  EXPECT_EQ(h.Label("lblHealth"), "-30%");
  EXPECT_EQ(h.LabelColor("lblHealth"), kLightCyan);
  h.game.SetHealth(-31);
  EXPECT_EQ(h.LabelColor("lblHealth"), kRed);
  h.game.SetHealth(-49);
  h.game.SetSatiety(-19);
  EXPECT_EQ(h.LabelColor("lblEat"), kRed);
  h.game.SetMood(-99);
  EXPECT_EQ(h.LabelColor("lblHappy"), kRed);
  h.game.SetMood(-75);
  EXPECT_EQ(h.LabelColor("lblHappy"), kLightCyan);
  EXPECT_FALSE(h.Saw("SFX LOSE"));
  EXPECT_EQ(h.s().PlayerName, "Вася");
}

struct DeathCase {
  Vital vital;
  int16_t value;
  const char* message;
};

class Deaths : public ::testing::TestWithParam<DeathCase> {};

TEST_P(Deaths, EachVitalKillsWithItsMessageAndStartsANewGame) {
  const DeathCase c = GetParam();
  Harness h;
  h.Start();
  h.s().GameTime = 7 * 60 + 5;
  h.game.SetMoney(99);
  h.QueuePlayer("Второй", 2);
  h.Lines();
  switch (c.vital) {
    case Vital::Health: h.game.SetHealth(c.value); break;
    case Vital::Satiety: h.game.SetSatiety(c.value); break;
    case Vital::Mood: h.game.SetMood(c.value); break;
  }
  auto lines = h.Lines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "SFX LOSE");
  EXPECT_EQ(lines[1], c.message);
  EXPECT_EQ(h.s().PlayerName, "Второй");
  EXPECT_EQ(h.s().Money, 450);
  EXPECT_EQ(h.s().WinMoney, 30000);
  EXPECT_EQ(h.game.MainForm().Caption(), "Brindlex Kalvitor 1.6 -- Второй");
}

INSTANTIATE_TEST_SUITE_P(
    Vitals, Deaths,
    ::testing::Values(
        DeathCase{Vital::Health, -50,
                  "MSGBOX information \"Dr. Green\" \"Вы скончались от полученных травм. Время смерти -- 7:05:00\" -> ok"},
        DeathCase{Vital::Satiety, -20,
                  "MSGBOX information \"Желаю тебе быть большим и тольстым\" \"Вы умерли голодной смертью!\" -> ok"},
        DeathCase{Vital::Mood, -100,
                  "MSGBOX information \"Критический уровень настроения\" \"Вы спрыгнули с 15 этажа и разбились "
                  "насмерть!!!\" -> ok"}));

TEST(NewGame, KeepsFamilyBankAndSchoolOfTheGameBefore) {
  Harness h;
  h.Start();
  h.s().Married = kTrue;
  h.s().WasMarried = kTrue;
  h.s().Sons = 2;
  h.s().BankLoan = 500;
  h.s().AttendsCourses = kTrue;
  h.QueuePlayer("Снова");
  h.game.SetHealth(-60);
  EXPECT_EQ(h.Label("lblfamily"), "YES:0:2");
  EXPECT_EQ(h.s().BankLoan, 500);
  EXPECT_EQ(h.s().AttendsCourses, kTrue);
  for (int16_t m : h.s().HwModels) EXPECT_EQ(m, 0);
  EXPECT_EQ(h.Label("lblhard(0)"), "<no such label>");
  EXPECT_EQ(h.game.MainForm().lblhard[8]->Text(), "Нет вооще");
}

TEST(NewGame, AnEmptyNameOrCancelEndsTheProgramWithoutALogLine) {
  Harness h;
  h.QueuePlayer("");
  EXPECT_THROW(h.game.RunMain(), headless::ProgramEnded);
  std::string log = h.ReadFile("games.log");
  EXPECT_EQ(log, "Brindlex Kalvitor ver. 1.06.2002 for Windows 9.x/NT\r\nGames Log\r\n"
                 "------------------------------\r\nFor Supervisor and Services ONLY\r\n\r\n");
  EXPECT_TRUE(h.Saw("SFX LOGOSOUND muted"));
  EXPECT_TRUE(h.Saw("END"));

  Harness c;
  c.port.playerAnswers.push_back({headless::PlayerAnswer::Cancel, 1, ""});
  EXPECT_THROW(c.game.RunMain(), headless::ProgramEnded);
}

TEST(GamesLog, FirstRunWritesTheHeaderAndLaterRunsOnlyTheirLines) {
  Harness h("05.03.2027 09:04:07");
  h.Start("Игрок", 0);
  const std::string header =
      "Brindlex Kalvitor ver. 1.06.2002 for Windows 9.x/NT\r\nGames Log\r\n------------------------------\r\n"
      "For Supervisor and Services ONLY\r\n\r\n";
  // Written after the starting values, whose job effect plays for 1.6 seconds.
  const std::string created = "CREATED 05.03.2027 AT 9:04:08 NAME \xC8\xE3\xF0\xEE\xEA DIFFICULT 2\r\n";
  EXPECT_EQ(h.ReadFile("games.log"), header + created);
  // A second run of the program in the same folder.
  Harness second("05.03.2027 09:04:07");
  std::filesystem::copy_file(h.dir / "games.log", second.dir / "games.log");
  second.Start("Игрок", 0);
  EXPECT_EQ(second.ReadFile("games.log"), header + created + created);
  EXPECT_FALSE(std::filesystem::exists(second.dir / "Games.log"));
}

TEST(Careers, JobsRanksAndEducation) {
  Harness h;
  h.Start();
  h.Lines();
  h.game.SetJob(12);
  EXPECT_EQ(h.s().Wage, 750);
  EXPECT_EQ(h.Label("lblCurrWork"), "Работа: Босс hack-фирмы ($750/день)");
  for (int16_t bad : {13, -1}) {
    h.game.SetJob(bad);
    EXPECT_EQ(h.s().JobIndex, 12);
    EXPECT_EQ(h.s().Wage, 750);
  }
  EXPECT_EQ(h.LinesStarting("SFX WORK").size(), 3u);
  h.game.SetStatus(9);
  EXPECT_EQ(h.s().StatusRank, 9);
  EXPECT_EQ(h.Label("lblStatus"), "");
  h.game.SetStatus(7);
  EXPECT_EQ(h.Label("lblStatus"), "HACKER");
  h.game.SetEducation(99);
  EXPECT_EQ(h.Label("lblEducation"), "99%");
}

TEST(Family, MarriageDivorceAndChildren) {
  Harness h;
  h.Start();
  h.Lines();
  h.game.FamilyEvent(24);  // not married: the sound only
  EXPECT_EQ(h.s().Daughters, 0);
  EXPECT_EQ(h.Lines(), (std::vector<std::string>{"SFX BABY"}));
  h.game.FamilyEvent(12);  // not married: the sound only
  EXPECT_EQ(h.Lines(), (std::vector<std::string>{"SFX DIVORCE"}));
  EXPECT_EQ(h.Label("lblfamily"), "NO:0:0");

  h.game.FamilyEvent(8);
  EXPECT_EQ(h.s().Money, 400);
  EXPECT_EQ(h.s().Mood, 50);
  EXPECT_EQ(h.Label("lblfamily"), "YES:0:0");
  h.Lines();
  h.game.FamilyEvent(8);  // married already: nothing at all
  EXPECT_TRUE(h.Lines().empty());

  h.game.FamilyEvent(24);
  h.game.FamilyEvent(32);
  h.game.FamilyEvent(32);
  EXPECT_TRUE(h.Saw("MSGBOX information \"Медбрат\" \"Поздравляем! У вас родилась дочь!\" -> ok"));
  h.Lines();
  h.game.FamilyEvent(12);
  EXPECT_EQ(h.s().Alimony, 150);
  EXPECT_EQ(h.Label("lblfamily"), "LEFT:1:2");
  EXPECT_EQ(h.LinesStarting("MSGBOX").size(), 2u);

  // Married again without new children: the second divorce counts them all again.
  h.s().Alimony = 0;
  h.game.FamilyEvent(8);
  h.game.FamilyEvent(12);
  EXPECT_EQ(h.s().Alimony, 150);
  EXPECT_EQ(h.s().WasMarried, kTrue);
}

TEST(Family, DivorceWithoutChildrenKeepsTheAlimony) {
  Harness h;
  h.Start();
  h.s().Alimony = 77;
  h.game.FamilyEvent(8);
  h.game.FamilyEvent(12);
  EXPECT_EQ(h.s().Alimony, 77);
  EXPECT_EQ(h.Label("lblfamily"), "LEFT:0:0");
}

TEST(Cheats, CodesAreWholeWordsInAnyCase) {
  Harness h;
  h.Start();
  h.game.ApplyCheatCode("qarventos");
  EXPECT_EQ(h.s().Money, 550);
  h.game.SetHealth(-40);
  h.game.ApplyCheatCode("MELKIR");
  EXPECT_EQ(h.s().Health, -15);
  EXPECT_EQ(h.LabelColor("lblHealth"), kLightCyan);
  h.game.ApplyCheatCode("TrUvO");
  EXPECT_EQ(h.s().Mood, 50);
  h.game.ApplyCheatCode("balnosh");
  EXPECT_EQ(h.s().Satiety, 100);
  h.game.ApplyCheatCode("skavorine");
  EXPECT_EQ(h.s().Education, 99);
  h.game.ApplyCheatCode("nelux");
  EXPECT_EQ(h.Label("lblStatus"), "HACKER");
  h.game.ApplyCheatCode(" NELUX");
  h.game.ApplyCheatCode("NELUXX");
  h.game.ApplyCheatCode("");
  h.Lines();
  h.game.ApplyCheatCode("tobrelin");  // not married
  EXPECT_EQ(h.Lines(), (std::vector<std::string>{"SFX BABY"}));
  EXPECT_EQ(h.s().Sons, 0);
  h.s().Married = kTrue;
  h.game.ApplyCheatCode("FELDRANOVIKASH");
  EXPECT_EQ(h.s().Daughters, 1);
  h.game.ApplyCheatCode("zorpik");
  EXPECT_EQ(h.s().CheatWin, kTrue);
  h.QueuePlayer("После");
  h.game.ApplyCheatCode("grimlo");
  EXPECT_TRUE(h.Saw("MSGBOX information \"Критический уровень настроения\" \"Вы спрыгнули с 15 этажа и разбились "
                    "насмерть!!!\" -> ok"));
  EXPECT_EQ(h.s().PlayerName, "После");
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
