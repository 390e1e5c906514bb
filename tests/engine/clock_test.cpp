// The game clock: rollovers of hours, days, months and years, the victory
// test, and ticks that never overlap.
#include <gtest/gtest.h>

#include "harness.h"
#include "util/date.h"
#include "windows/network/frm_network.h"
#include "windows/shell/frm_main.h"

namespace kalvitor::testing {
namespace {

// Forced draws for a quiet day: no virus, no family event, no event.
void QuietDay(Harness& h) { h.Rnd({0.0, 0.0, 0.0}); }

int32_t D(int y, int m, int d) { return SerialFromCivil(y, m, d); }

}  // namespace

TEST(Clock, NewGameAt2147ShowsTheTimeAfterItsFirstTick) {
  Harness h("06.12.2026 21:47:00");
  h.Start();
  EXPECT_EQ(h.s().GameTime, 21 * 60 + 47);
  h.Ticks(1);
  const std::pair<const char*, const char*> labels[] = {{"lblTime", "6 декабря 2026 / 22:17"},
                                                        {"lblHealth", "40%"},
                                                        {"lblEat", "75%"},
                                                        {"lblHappy", "25%"},
                                                        {"lblEducation", "20%"},
                                                        {"lblStatus", "BEGIN"},
                                                        {"lblGameSpeed", "Скорость игры: Нормальная"},
                                                        {"lblCurrWork", "Работа: Безработный ($0/день)"}};
  for (const auto& [name, text] : labels) EXPECT_EQ(h.Label(name), text) << name;
}

TEST(Clock, MinutesPastMidnightAreDropped) {
  Harness h("06.12.2026 20:46:00");
  h.Start();
  std::vector<std::string> seen;
  for (int i = 0; i < 7; ++i) {
    if (i == 6) QuietDay(h);
    h.Ticks(1);
    seen.push_back(FormatHHMM(h.s().GameTime));
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"21:16", "21:46", "22:16", "22:46", "23:16", "23:46", "00:00"}));
}

TEST(Clock, MidnightRunsTheHourlyThenTheDailyPass) {
  Harness h;
  h.Start();
  h.game.SetJob(1);
  h.s().GameTime = 23 * 60 + 30;
  QuietDay(h);
  h.Lines();
  h.Ticks(1);
  EXPECT_TRUE(h.game.Window<FrmNetwork>().Loaded());  // the hourly pass counts connection time there
  // The next day, a yard keeper's wage, the normal level's daily wear.
  const GameState& s = h.s();
  EXPECT_EQ((std::vector<int>{s.GameTime, s.GameDate, s.Money, s.Mood, s.Satiety, s.Health}),
            (std::vector<int>{0, D(2026, 12, 7), 460, 23, 70, 38}));
}

TEST(Clock, MonthAndYearPassesRunInOrder) {
  const struct {
    int32_t from, to;
    int monthPasses;
    bool yearPass;
  } rows[] = {{D(2027, 1, 31), D(2027, 2, 1), 1, false}, {D(2027, 4, 30), D(2027, 5, 1), 1, false},
              {D(2027, 2, 28), D(2027, 3, 1), 1, false}, {D(2028, 2, 28), D(2028, 2, 29), 0, false},
              {D(2028, 2, 29), D(2028, 3, 1), 1, false}, {D(2026, 12, 31), D(2027, 1, 1), 1, true},
              {D(2027, 6, 15), D(2027, 6, 16), 0, false}};
  for (const auto& r : rows) {
    SCOPED_TRACE(FormatShortDate(r.from));
    Harness h;
    h.Start();
    h.s().GameDate = r.from;
    h.s().GameTime = 23 * 60 + 30;
    h.s().AttendsSchool = kTrue;
    h.s().Education = 50;
    QuietDay(h);
    for (int i = 0; i < r.monthPasses; ++i) h.Rnd({0.0, 0.0});  // a quiet month change
    h.Lines();
    h.Ticks(1);
    EXPECT_EQ(h.s().GameDate, r.to);
    // The daily pass sees the day that ends: school on its even days.
    EXPECT_EQ(h.s().Education, 50 + (CivilFromSerial(r.from).day % 2 == 0));
    EXPECT_EQ(static_cast<int>(h.LinesStarting("SFX MONTHUP").size()), r.monthPasses);
    const auto lines = h.Lines();
    const auto year = std::find(lines.begin(), lines.end(), "SFX YEARUP");
    EXPECT_EQ(year != lines.end(), r.yearPass);
    // The tax comes after the monthly accounts.
    EXPECT_TRUE(!r.yearPass || std::find(lines.begin(), year, "SFX MONTHUP") != year);
  }
}

TEST(Clock, ATickThatFindsTheVictoryLogsItAndStartsANewGame) {
  Harness h;
  h.Start();
  h.s().Money = 10001;
  h.s().JobIndex = 12;
  h.s().Married = kTrue;
  for (int16_t i = 0; i < 9; ++i) h.game.BuyHardware(i, kTopHw[i], kFalse);
  h.QueuePlayer("Петя");
  h.Lines();
  h.Ticks(1);
  const auto lines = h.Lines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "SFX WIN");
  EXPECT_EQ(lines[1], "MSGBOX exclamation \"Наконец-то\" \"Вы прошли всю игру\" -> ok");
  EXPECT_EQ(h.s().PlayerName, "Петя");
  EXPECT_NE(h.ReadFile("games.log").find("\r\nWIN 06.12.2026 AT 21:47:06 NAME \xC2\xE0\xF1\xFF DIFFICULT 1\r\n"),
            std::string::npos);
}

TEST(Clock, CheatVictoryWaitsForTheFirstTickAfterThePause) {
  Harness h;
  h.Start();
  h.game.ApplyCheatCode("zorpik");
  h.game.MainForm().FormKeyPress("p");
  h.Ticks(8);
  EXPECT_EQ(h.s().CheatWin, kTrue);
  EXPECT_FALSE(h.Saw("SFX WIN"));
  h.game.MainForm().FormKeyPress("з");
  h.QueuePlayer("Снова");
  h.Ticks(1);
  EXPECT_TRUE(h.Saw("SFX WIN"));
  EXPECT_EQ(h.s().CheatWin, kFalse);
}

TEST(Clock, TicksThatFallDueDuringATickAreDropped) {
  Harness h;
  h.Start();
  h.s().GameTime = 23 * 60 + 30;
  // A day with event 26 ("Вас сбила машина!"): its typed message holds the
  // tick for (17 + 1) * 0.1 + 2 seconds.
  h.Rnd({0.0, 0.0, 26.0 / 32});
  h.Ticks(1);
  EXPECT_TRUE(h.Saw("TYPED \"Вас сбила машина!\""));
  EXPECT_EQ(h.s().GameTime, 0);
  // The 15 ticks that fell due while the message was typed are not made up.
  h.Ticks(1);
  EXPECT_EQ(h.s().GameTime, 30);
}

TEST(Clock, EveryTickEndsByReseedingFromTheComputersClock) {
  // Two games alike but for the second the computer's clock reads at their
  // start: after a quiet tick their next draws part.
  Harness a("06.12.2026 21:47:00"), b("06.12.2026 21:47:01");
  a.Start();
  b.Start();
  a.Ticks(1);
  b.Ticks(1);
  ASSERT_EQ(a.s().GameTime, b.s().GameTime);
  EXPECT_NE(a.game.rnd.Rnd(), b.game.rnd.Rnd());
}

}  // namespace kalvitor::testing
