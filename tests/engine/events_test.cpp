// The daily pass, the sixteen events, the monthly accounts and the taxes.
#include <gtest/gtest.h>

#include "harness.h"
#include "util/date.h"
#include "windows/screens/frm_education.h"
#include "windows/screens/frm_virus.h"
#include "windows/shell/frm_main.h"

namespace kalvitor::testing {
namespace {

// Forces the draws of one run of DailyEvents: family number f, event e (and
// the slot k of events 8 and 20).
double Of(int value, int n) { return value >= n ? 0.999 : static_cast<double>(value) / n; }

void Draw(Harness& h, int f, int e, int k = -1) {
  h.Rnd({Of(f, 75), Of(e, 32)});
  if (k >= 0) h.Rnd({Of(k, 8)});
}

// A whole day's pass: the virus draw `virus`, no family news, event e.
void Pass(Harness& h, int e = 0, double virus = 0.0) {
  h.Rnd({virus});
  Draw(h, 0, e);
  h.game.DailyPass();
}

struct Player {
  bool married = false;
  bool children = false;
  int16_t wage = 0;
  int16_t level = 1;  // the dialog's level: 0 easy, 1 normal, 2 hard
};

Harness& Begin(Harness& h, const Player& s) {
  h.Start("Вася", s.level);
  if (s.wage > 0) {
    h.game.SetJob(1);
    h.s().Wage = s.wage;
  }
  h.s().Married = s.married ? kTrue : kFalse;
  h.s().WasMarried = h.s().Married;
  if (s.children) h.s().Sons = 1;
  h.s().Mood = h.s().Health = h.s().Satiety = 1000;
  // The passes are called directly here: the clock must not run meanwhile
  // (typed messages let time pass).
  h.game.MainForm().tmrTime.SetEnabled(false);
  h.Lines();
  return h;
}

}  // namespace

TEST(Events, NoEventWithoutTheJobOrTheFamilyItNeeds) {
  const std::pair<int, Player> cases[] = {{2, {}},  {18, {}}, {30, {}},           {10, {}},
                                          {14, {}}, {16, {}}, {8, {true, false}}, {8, {false, true}}};
  for (const auto& [e, setup] : cases) {
    Harness h;
    Begin(h, setup);
    Draw(h, 0, e, 3);
    h.game.DailyEvents(false);
    EXPECT_TRUE(h.LinesStarting("TYPED").empty()) << "event " << e;
  }
}

TEST(Events, TheFullEffectOfEachEventAtEachLevel) {
  // Amounts by level: hard, normal, easy; the daily wear comes on top.
  struct ByLevel {
    int hard, normal, easy;
  };
  const struct {
    int e;
    bool married;
    int16_t wage;
    ByLevel money, mood, health, satiety;
    const char* message;
    const char* afterSum = nullptr;  // the message names the sum taken between the two
  } rows[] = {
      {0, false, 0, {}, {}, {}, {}, nullptr},
      {1, false, 0, {}, {}, {}, {}, nullptr},
      {31, false, 0, {}, {}, {}, {}, nullptr},
      {2,
       false,
       10,
       {},
       {},
       {-30, -15, -5},
       {-60, -20, -10},
       "Сообщение от Вашего босса: Уважаемый Вася! Вы уволены!!!"},
      // $450 robbed of a quarter (112.5 -> 112, 337.5 -> 338 left), a tenth, a fiftieth.
      {4,
       false,
       0,
       {-112, -45, -9},
       {-50, -20, -10},
       {-30, -15, -5},
       {-40, -20, -10},
       "Сообщение от Майора Милиции Петрова А.Н.: Мне очень жаль, но к вам пробрались грабители и стащили ",
       " долларов."},
      {6,
       false,
       0,
       {},
       {-60, -45, -25},
       {-40, -30, -15},
       {-5, 2, 10},
       "Сообщение от хирурга Жукина В.М.: Кто-то напал на Вас и сломал ребро!"},
      {10,
       true,
       0,
       {},
       {-10, -10, -10},
       {},
       {},
       "Сообщение от твоей жены: Ах ты дрянь! Ты где деньги деваешь? А? Какой такой пентиум! Какой такой "
       "джифорс! Ты чё??? Совсем уже..."},
      {12,
       false,
       0,
       {-50, -50, -50},
       {},
       {},
       {},
       "Сообщение от соседки: Ах ты пьянь, ах ты падла... Ты посмотри что ты на полу наделал! С тебя 50 долларов"},
      {14,
       true,
       0,
       {-150, -150, -150},
       {},
       {},
       {},
       "Сообщение от Майора Милиции Петрова А.Н.: Слушай ты чё? Совсем офигел? Ты же вчера чуть жену не утопил в "
       "унитазе? Чё? Какое такое Интел! Какой такое ISDN??? Чего? RAID-контроллер купить хочешь? А она деньги "
       "забрала? Ясно. Ну штраф заплати 150 долларов!"},
      {16,
       true,
       0,
       {-350, -350, -350},
       {},
       {},
       {},
       "Сообщение от хирурга Жукина В.М.: Мдаа мужик! Не изменяй больше жене никогда! Мы тебе 70 кубиков "
       "адреналина ввели чтобы завести тебя! Что? Где рука? У жены спроси! За операцию 350 долларов!"},
      {22,
       false,
       0,
       {-50, -50, -50},
       {50, 50, 50},
       {},
       {100, 100, 100},
       "Поздравляем! Вы сегодня приглашены на день рождения к своему другу!"},
      {24, false, 0, {150, 150, 150}, {}, {}, {}, "Бабушка вам подарила 150 долларов! Скажите ей спасибо!"},
      {26, false, 0, {}, {}, {-50, -50, -50}, {}, "Вас сбила машина!"},
      {28, false, 0, {25, 25, 25}, {50, 50, 50}, {}, {}, "Вы нашли на дороге 100 долларов! 25% ваших!"},
      {30, false, 10, {}, {}, {}, {}, "Поздравляем! Вы ударили по морде босса! Вы уволены!"},
      {32, false, 0, {}, {75, 75, 75}, {-10, -10, -10}, {}, "Вы познакомились с интересной девушкой!"},
  };
  const struct {
    int16_t dialog;  // the name dialog's level: 2 hard, 1 normal, 0 easy
    int ByLevel::*column;
    int wearMood, wearSatiety, wearHealth;
  } levels[] = {{2, &ByLevel::hard, 5, 10, 5}, {1, &ByLevel::normal, 2, 5, 2}, {0, &ByLevel::easy, 1, 2, 1}};
  for (const auto& r : rows) {
    for (const auto& l : levels) {
      SCOPED_TRACE("event " + std::to_string(r.e) + " at level " + std::to_string(l.dialog));
      Harness h;
      Begin(h, Player{r.married, false, r.wage, l.dialog});
      Draw(h, 0, r.e);
      h.game.DailyEvents(false);
      const GameState& s = h.s();
      EXPECT_EQ(s.Money, 450 + r.money.*l.column);
      EXPECT_EQ(s.Mood, 1000 + r.mood.*l.column - l.wearMood);
      EXPECT_EQ(s.Health, 1000 + r.health.*l.column - l.wearHealth);
      EXPECT_EQ(s.Satiety, 1000 + r.satiety.*l.column - l.wearSatiety);
      const std::string sum = r.afterSum ? std::to_string(-(r.money.*l.column)) + r.afterSum : "";
      const std::string typed = r.message ? "TYPED \"" + std::string(r.message) + sum + "\"" : "";
      EXPECT_EQ(h.LinesStarting("TYPED"), r.message ? std::vector{typed} : std::vector<std::string>{});
      EXPECT_EQ(s.Wage, 0);  // dismissed, or never employed
    }
  }
}

TEST(MonthlyAccounts, FeesInterestAndTheCoursesUpToTheTopRank) {
  const char* const ranks[] = {"", "BEGIN", "USER", "GAMER", "LAMER", "PROG-ER", "ADMIN", "HACKER", "PROF"};
  for (int16_t rank = 1; rank <= 8; ++rank) {
    SCOPED_TRACE(rank);
    Harness h;
    Begin(h, {});
    h.s().AttendsCourses = kTrue;
    h.s().StatusRank = rank;
    Draw(h, 0, 0);
    h.game.DailyEvents(true);
    const bool last = rank == 7, past = rank == 8;
    EXPECT_EQ(h.s().Money, past ? 450 : 375);
    EXPECT_EQ(h.s().StatusRank, past ? 8 : rank + 1);
    EXPECT_EQ(h.Label("lblStatus"), past ? "BEGIN" : ranks[rank + 1]);
    EXPECT_EQ(h.s().AttendsCourses, last ? kFalse : kTrue);
    EXPECT_EQ(h.LinesStarting("MSGBOX"),
              past ? std::vector<std::string>{}
                   : std::vector<std::string>{
                         "MSGBOX information \"Доцент\" \"" +
                         std::string(last ? "Вы прошли компьютерные курсы!"
                                          : "Поздравляем. Теперь Вы -- " + std::string(ranks[rank + 1])) +
                         "\" -> ok"});
    EXPECT_EQ(h.game.Window<FrmEducation>().Loaded() && !h.game.Window<FrmEducation>().coursesButton.Enabled(), last);
  }
  // Alimony, interest (halves to even, negative balances grow downwards) and the school fee below 100.
  const struct {
    int16_t alimony, education;
    int32_t deposit, loan, money, depositAfter, loanAfter;
  } rows[] = {{100, 99, 1150, 605, 450 - 100 - 50, 1322, 665},
              {0, 100, -1000, 500, 450, -1150, 550},
              {0, 0, 2147483647, 2000000000, 400, 2147483647, 2147483647}};
  for (const auto& r : rows) {
    Harness h;
    Begin(h, {});
    h.s().Alimony = r.alimony;
    h.s().AttendsSchool = kTrue;
    h.s().Education = r.education;
    h.s().BankDeposit = r.deposit;
    h.s().BankLoan = r.loan;
    Draw(h, 0, 0);
    h.game.DailyEvents(true);
    EXPECT_EQ((std::vector<int32_t>{h.s().Money, h.s().BankDeposit, h.s().BankLoan}),
              (std::vector<int32_t>{r.money, r.depositAfter, r.loanAfter}));
    EXPECT_TRUE(h.Saw("SFX MONTHUP"));
  }
}

TEST(Events, RaisesRoundHalvesToEvenArePaidTheSameDayAndTheDismissalStopsTheWage) {
  for (auto [from, to] : {std::pair{10, 12}, {15, 19}, {150, 188}, {32767, 32767}}) {
    Harness h;
    Begin(h, Player{false, false, static_cast<int16_t>(from)});
    h.s().Money = 0;
    Pass(h, 18);
    EXPECT_EQ(h.s().Wage, to);
    EXPECT_EQ(h.s().Money, to);
    EXPECT_EQ(h.Label("lblCurrWork"), "Работа: Дворник ($" + std::to_string(to) + "/день)");
    Pass(h, 30);
    EXPECT_EQ(h.s().Money, to);
  }
}

TEST(Events, RobberyRoundsTheSumAndTheMoneySeparately) {
  const struct {
    int16_t level;
    int32_t money;
    const char* said;
    int32_t left;
  } cases[] = {
      {2, 2, "0", 2},        {2, 1000, "250", 750},    {2, -1000, "-250", -750},
      {1, 1000, "100", 900}, {1, -1000, "100", -1100}, {1, 15, "2", 14},
      {0, 1000, "20", 980},  {0, -1000, "-20", -980},  {0, 25, "0", 24},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.money) + " at level " + std::to_string(c.level));
    Harness h;
    Begin(h, Player{false, false, 0, c.level});
    h.s().Money = c.money;
    Draw(h, 0, 4);
    h.game.DailyEvents(false);
    EXPECT_TRUE(h.Saw(std::string("TYPED \"Сообщение от Майора Милиции Петрова А.Н.: Мне очень жаль, но к вам "
                                  "пробрались грабители и стащили ") +
                      c.said + " долларов.\""));
    EXPECT_EQ(h.s().Money, c.left);
  }
}

TEST(Events, TheChildBreaksAndTheFriendGivesComputerParts) {
  Harness h;
  Begin(h, Player{true, true, 0});
  h.game.BuyHardware(4, 3, kFalse);
  Draw(h, 0, 8, 4);
  h.game.DailyEvents(false);
  EXPECT_TRUE(
      h.Saw("TYPED \"Сообщение от твоего ребенка: Папа я тут на твой компьютер... ну... молоко парное... "
            "туда... того... И чё-то искры посыпались с cd-rom\""));
  EXPECT_EQ(h.s().Hw[4], 0);
  EXPECT_EQ(h.s().HwModels[4], 0);

  h.Lines();
  Draw(h, 0, 20, 0);
  h.game.DailyEvents(false);
  EXPECT_TRUE(h.Saw("TYPED \"Поздравляем! Грег Маккен вам подарил новый процессор 486 DX2-66 MHz\""));
  EXPECT_EQ(h.s().Hw[0], 1);
  EXPECT_EQ(h.game.MainForm().lblhard[0]->Text(), "486 DX2-66 MHz");

  h.game.BuyHardware(8, 4, kFalse);
  h.Lines();
  Draw(h, 0, 20, 8);  // the printer is at its top model
  h.game.DailyEvents(false);
  EXPECT_TRUE(h.LinesStarting("TYPED").empty());
  EXPECT_EQ(h.s().Hw[8], 4);
}

TEST(Events, AnEventThatKillsStartsANewGameAndTheRestIsDropped) {
  Harness h;
  Begin(h, {});
  h.s().Health = -10;
  Draw(h, 0, 26);
  h.QueuePlayer("Новый");
  h.game.DailyEvents(true);
  EXPECT_EQ(h.s().PlayerName, "Новый");
  EXPECT_EQ(h.s().Health, 40);  // no wear taken from the new game
  EXPECT_EQ(h.s().Mood, 25);
  EXPECT_FALSE(h.Saw("SFX MONTHUP"));
}

// A game the player loads while the event's message types is not the
// event's: the robbery (all three vitals and the money), the neighbour (money
// only), the car (health only) reach none of it, nor does the day's wear or
// the month's accounts.
TEST(Events, AGameLoadedWhileTheMessageTypesIsNotTouchedByTheEvent) {
  for (int e : {4, 12, 26}) {
    SCOPED_TRACE("event " + std::to_string(e));
    Harness h;
    h.Start();
    h.game.MainForm().tmrTime.SetEnabled(false);
    h.game.SetMoney(1000);
    ASSERT_TRUE(h.Save("rich"));  // $1000 and the vitals of a new game
    h.game.SetMoney(450);
    h.game.SetMood(60);
    h.LoadMeanwhile("rich");
    Draw(h, 0, e);
    h.Lines();
    h.game.DailyEvents(true);
    EXPECT_EQ(h.s().Money, 1000);
    EXPECT_EQ(h.s().Mood, 25);
    EXPECT_EQ(h.s().Health, 40);
    EXPECT_EQ(h.s().Satiety, 75);
    EXPECT_FALSE(h.Saw("SFX MONTHUP"));
    for (const JournalEntry& entry : h.game.journal.Entries())
      EXPECT_EQ(entry.text.find("Событие"), std::string::npos) << entry.text;
  }
}

TEST(Events, FamilyDraws) {
  Harness h;
  Begin(h, Player{true, false, 0});
  // A daughter, a son, a divorce, and 8, which the draw never turns into a wedding.
  for (int f : {24, 32, 12, 8}) {
    Draw(h, f, 0);
    h.game.DailyEvents(false);
  }
  EXPECT_EQ((std::vector<int>{h.s().Daughters, h.s().Sons, h.s().Married, h.s().Alimony}),
            (std::vector<int>{1, 1, kFalse, 100}));
}

TEST(DailyPass, TheVirusNeedsAnOperatingSystemAndEatsWhatTheFightLoses) {
  const struct {
    int16_t os, antivirus;
    bool fights;
    double r;
    int32_t money, left;
    const char* said;  // nullptr: no virus at all
  } cases[] = {{0, 1, true, 0.0, 1000, 1000, nullptr},
               {1, 0, false, 0.0, 30, 28, "Вирус сожрал 2 баксов!"},  // 1.5 goes to the even 2
               {1, 0, true, 0.9, 1000, 950, "Нет у вас антивируса! Вирус сожрал 50 баксов!"},
               {1, 1, true, 0.6, 1000, 1000, "Поздравляю! Вирус убит!"},
               {1, 1, true, 0.5, 1000, 950, "Не повезло! Он сожрал 50 баксов!"},
               {1, 1, true, 0.55, 1000, 1000, "Поздравляю! Вирус убит!"}};  // 5.5 goes to the even 6
  for (const auto& c : cases) {
    SCOPED_TRACE(c.said ? c.said : "no system");
    Harness h;
    Begin(h, {});
    h.s().Money = c.money;
    h.s().Soft[0] = c.os;
    h.s().Soft[1] = c.antivirus;
    h.port.virusFights.push_back(c.fights);
    h.Rnd({21.0 / 50});
    Pass(h, 0, c.r);
    EXPECT_EQ(h.Saw("SHOW frmVirus"), c.said != nullptr);
    const std::string box = c.said ? "MSGBOX exclamation \"Сообщение\" \"" + std::string(c.said) + "\" -> ok" : "";
    EXPECT_EQ(h.LinesStarting("MSGBOX exclamation"), c.said ? std::vector{box} : std::vector<std::string>{});
    EXPECT_EQ(h.s().Money, c.left);
  }
}

TEST(VirusDialog, TheCloseBoxLetsTheVirusGo) {
  Harness h;
  h.Start();
  h.s().Money = 1000;
  h.game.Window<FrmVirus>().Load();
  h.game.Window<FrmVirus>().CloseBox();
  EXPECT_TRUE(h.Saw("MSGBOX exclamation \"Сообщение\" \"Вирус сожрал 50 баксов!\" -> ok"));
  EXPECT_EQ(h.s().Money, 950);
}

TEST(DailyPass, SchoolOnEvenDaysAndGraduationTheDayAfter) {
  Harness h;
  Begin(h, {});
  h.s().AttendsSchool = kTrue;
  h.s().Education = 99;
  const std::string graduated = InfoBox("Поздравляем!", "Вы имеете два высших образования!");
  h.s().GameDate = SerialFromCivil(2027, 3, 3);
  Pass(h);
  EXPECT_EQ(h.s().Education, 99);  // an odd day
  h.s().GameDate = SerialFromCivil(2027, 3, 4);
  Pass(h);
  EXPECT_EQ(h.s().Education, 100);
  EXPECT_FALSE(h.Saw(graduated));
  h.s().GameDate = SerialFromCivil(2027, 3, 5);
  Pass(h);
  EXPECT_TRUE(h.Saw(graduated));
  EXPECT_EQ(h.s().AttendsSchool, kFalse);
  EXPECT_FALSE(h.game.Window<FrmEducation>().schoolButton.Enabled());

  // Above 100 (a loaded game): no rise, no message, the flag stays.
  Harness g;
  Begin(g, {});
  g.s().AttendsSchool = kTrue;
  g.s().Education = 120;
  Pass(g);
  EXPECT_EQ(g.s().AttendsSchool, kTrue);
  EXPECT_EQ(g.s().Education, 120);
}

TEST(YearlyPass, TaxesByDifficulty) {
  const struct {
    int16_t level;
    int32_t money;
    int64_t tax;
    int mood;
  } cases[] = {{1, 0, 0, 10}, {1, 1, 0, 10}, {2, 10, 5, 20}, {0, 150, 15, 5}, {2, -1000, -500, 20}};
  for (const auto& c : cases) {
    Harness h;
    Begin(h, Player{false, false, 0, c.level});
    h.s().Money = c.money;
    h.game.YearlyPass();
    EXPECT_TRUE(h.Saw("TYPED \"Сообщение от Налогового Инспектора: Пора платить налоги!!! Вы заплатили " +
                      std::to_string(c.tax) + " долларов\""));
    EXPECT_EQ(h.s().Money, c.money - c.tax);
    EXPECT_EQ(h.s().Mood, 1000 - c.mood);
  }
}

}  // namespace kalvitor::testing
