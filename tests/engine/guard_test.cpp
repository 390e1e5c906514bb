// A death ends the game at once: the setter that caused it starts a new game
// before it returns. Whatever the step that made the change still had to do
// (the rest of an event, the day's wear, the month's accounts, the tax, the
// bill of a purchase, the nurse's news) was meant for the game that died.
// Every step that makes several changes is run here once for each of its
// changes, with the life set to end at exactly that change; the new game must
// then be a fresh start with nothing of the step applied to it.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>

#include "harness.h"
#include "util/date.h"
#include "windows/shell/frm_main.h"

namespace kalvitor::testing {
namespace {

// One change of a step, in the order the step makes it: a vital moved by an
// amount, or a wait (a typed message, a box, an input box), named by a piece
// of its text, during which the player types the deadly cheat code. Money never
// kills, so a step's money changes are not listed: one made after the death
// shows in the new game's $450.
struct Change {
  enum Kind { Mood, Health, Satiety, Wait } kind;
  int amount = 0;
  const char* text = nullptr;
};
Change M(int amount) { return {Change::Mood, amount}; }
Change H(int amount) { return {Change::Health, amount}; }
Change S(int amount) { return {Change::Satiety, amount}; }
Change W(const char* text) { return {Change::Wait, 0, text}; }
using Changes = std::vector<Change>;
std::string Named(const Change& c) {
  if (c.kind == Change::Wait) return std::string("during \"") + c.text + "\"";
  const char* const vitals[] = {"mood", "health", "satiety"};
  return std::string(vitals[c.kind]) + (c.amount < 0 ? " " : " +") + std::to_string(c.amount);
}

// The death line of each vital (at or below it the player dies) and its box.
struct DeathRule {
  int16_t GameState::*vital;
  int line;
  const char* box;
};
const DeathRule kDeaths[] = {{&GameState::Mood, -100, "Вы спрыгнули с 15 этажа и разбились насмерть!!!"},
                             {&GameState::Health, -50, "Вы скончались от полученных травм. Время смерти -- "},
                             {&GameState::Satiety, -20, "Вы умерли голодной смертью!"}};

// The day's wear by the name dialog's level: 0 easy, 1 normal, 2 hard.
Changes Wear(int level) {
  const int mood[] = {1, 2, 5}, satiety[] = {2, 5, 10}, health[] = {1, 2, 5};
  return {M(-mood[level]), S(-satiety[level]), H(-health[level])};
}
Changes operator+(Changes a, const Changes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

using Action = std::function<void(Harness&)>;

// The Rnd that makes a draw of 0..n (Rnd * n rounded, Rnd below 1) give `value`.
double Of(int value, int n) { return value >= n ? 0.999 : static_cast<double>(value) / n; }
// Midnight of the day given comes with the next tick: the virus draw (21
// brings one), then for each run of the day's events the family draw and the
// event number.
void Night(Harness& h, int y, int m, int d, std::initializer_list<int> events, int family = 0, int virus = 0) {
  h.s().GameDate = SerialFromCivil(y, m, d);
  h.Rnd({Of(virus, 50)});
  for (int e : events) h.Rnd({Of(family, 75), Of(e, 32)});
}
void Midnight(Harness& h) {
  h.s().GameTime = 23 * 60 + 45;
  h.Ticks(1);
}
void TypeCheat(Harness& h, const std::string& code) {
  FrmMain& main = h.game.MainForm();
  main.FormKeyPress("c");
  main.txtCheat.SetText(code);
  main.Click("cmdCheatOk", -1);
}
// The main window's button `opener` opens a place, where the player clicks `button`.
Action Click(const char* opener, const char* button) {
  return [=](Harness& h) {
    h.game.MainForm().Click(opener, -1);
    h.game.ActiveModal()->Click(button, -1);
  };
}
Action Cheat(const char* code) {
  return [=](Harness& h) { TypeCheat(h, code); };
}
void Married(Harness& h) { h.s().Married = h.s().WasMarried = kTrue; }

struct Step {
  const char* name;
  int level;  // the name dialog's: 0 easy, 1 normal, 2 hard
  Action arrange;
  Action act;
  Changes changes;
};

const std::vector<Step>& Steps() {
  static const std::vector<Step> steps = {
      // A day: its event's message and changes, then the wear; the wage after.
      {"event 2, fired", 1,
       [](Harness& h) {
         Night(h, 2030, 5, 10, {2});
         h.game.SetJob(1);
       },
       Midnight, Changes{W("Вы уволены!!!"), H(-15), S(-20)} + Wear(1)},
      {"event 4, robbers", 2, [](Harness& h) { Night(h, 2030, 5, 10, {4}); }, Midnight,
       Changes{W("грабители"), M(-50), H(-30), S(-40)} + Wear(2)},
      {"event 6, broken rib", 0, [](Harness& h) { Night(h, 2030, 5, 10, {6}); }, Midnight,
       Changes{W("сломал ребро"), M(-25), H(-15), S(10)} + Wear(0)},
      {"event 10, the wife", 1,
       [](Harness& h) {
         Night(h, 2030, 5, 10, {10});
         Married(h);
       },
       Midnight, Changes{W("Ах ты дрянь!"), M(-10)} + Wear(1)},
      {"event 12, the neighbour", 1, [](Harness& h) { Night(h, 2030, 5, 10, {12}); }, Midnight,
       Changes{W("С тебя 50 долларов")} + Wear(1)},
      {"event 22, birthday", 2, [](Harness& h) { Night(h, 2030, 5, 10, {22}); }, Midnight,
       Changes{W("день рождения"), M(50), S(100)} + Wear(2)},
      {"event 26, run over", 1, [](Harness& h) { Night(h, 2030, 5, 10, {26}); }, Midnight,
       Changes{W("Вас сбила машина!"), H(-50)} + Wear(1)},
      {"event 28, money found", 2, [](Harness& h) { Night(h, 2030, 5, 10, {28}); }, Midnight,
       Changes{W("25% ваших!"), M(50)} + Wear(2)},
      {"event 32, a girl", 0, [](Harness& h) { Night(h, 2030, 5, 10, {32}); }, Midnight,
       Changes{W("интересной девушкой"), M(75), H(-10)} + Wear(0)},
      // The virus, the school's end and a daughter come before the day's event.
      {"virus, school done, a daughter, event 28", 1,
       [](Harness& h) {
         Night(h, 2030, 5, 12, {28}, 24, 21);
         h.s().Soft[0] = 1;
         h.port.virusFights.push_back(false);
         h.s().AttendsSchool = kTrue;
         h.s().Education = 100;
         Married(h);
       },
       Midnight,
       Changes{W("Вирус сожрал"), W("два высших образования"), W("родилась дочь"), W("25% ваших!"), M(50)} + Wear(1)},
      // The last of April: the day's run, then the month's run with its accounts.
      {"end of April, event 4, courses", 1,
       [](Harness& h) {
         Night(h, 2030, 4, 30, {0, 4});
         h.s().AttendsCourses = h.s().AttendsSchool = kTrue;
         h.s().StatusRank = 2;
         h.s().Education = 50;
         h.s().Alimony = 100;
       },
       Midnight, Wear(1) + Changes{W("грабители"), M(-20), H(-15), S(-20)} + Wear(1) + Changes{W("GAMER")}},
      // The year's end: the day's and the month's runs, the last rank of the
      // courses, then the tax.
      {"end of the year, last rank, tax", 2,
       [](Harness& h) {
         Night(h, 2030, 12, 31, {0, 0});
         h.s().AttendsCourses = h.s().AttendsSchool = kTrue;
         h.s().StatusRank = 7;
         h.s().Education = 50;
       },
       Midnight, Wear(2) + Wear(2) + Changes{W("компьютерные курсы"), W("Налогового Инспектора"), M(-20)}},
      // The places: a click's changes in the place's order. The bill comes after
      // the satiety in the shop, after the health and the mood in the hospital,
      // first in entertainment.
      {"shop Command1", 1, nullptr, Click("cmdShop", "Command1"), {S(10)}},
      {"shop Command2", 1, nullptr, Click("cmdShop", "Command2"), {S(20), M(-15)}},
      {"shop Command3", 1, nullptr, Click("cmdShop", "Command3"), {S(50)}},
      {"shop Command4", 1, nullptr, Click("cmdShop", "Command4"), {S(15), M(-20)}},
      {"shop Command5", 1, nullptr, Click("cmdShop", "Command5"), {S(75)}},
      {"hospital Command1", 1, nullptr, Click("cmdHealth", "Command1"), {H(50)}},
      {"hospital Command2", 1, nullptr, Click("cmdHealth", "Command2"), {H(15)}},
      {"hospital Command3", 1, nullptr, Click("cmdHealth", "Command3"), {H(2)}},
      {"hospital Command4", 1, nullptr, Click("cmdHealth", "Command4"), {H(0)}},
      {"hospital Command5", 1, nullptr, Click("cmdHealth", "Command5"), {H(75), M(-50), W("Юниор")}},
      {"hospital Command6", 1, nullptr, Click("cmdHealth", "Command6"), {H(10)}},
      {"hospital Command7", 1, nullptr, Click("cmdHealth", "Command7"), {H(10), M(10)}},
      {"entertainment Command1", 1, nullptr, Click("cmdHappy", "Command1"), {M(20)}},
      {"entertainment Command2", 1, nullptr, Click("cmdHappy", "Command2"), {M(25)}},
      {"entertainment Command3", 1, nullptr, Click("cmdHappy", "Command3"), {M(50)}},
      {"entertainment Command4", 1, nullptr, Click("cmdHappy", "Command4"), {M(5)}},
      {"entertainment Command5", 1, nullptr, Click("cmdHappy", "Command5"), {M(10)}},
      {"wedding", 1, nullptr, Click("cmdFamily", "Command1"), {W("Вчера ты женился!"), M(25)}},
      {"divorce with a son",
       1,
       [](Harness& h) {
         Married(h);
         h.s().Sons = 1;
       },
       Click("cmdFamily", "Label2"),
       {W("От тебя ушла жена!"), W("Она забрала с собой твоих детей")}},
      {"bank deposit",
       1,
       [](Harness& h) { h.port.inputs.push_back("300"); },
       Click("cmdBank", "Command1"),
       {W("Сколько вы хотите вложить")}},
      {"cheat FELDRANOVIKASH", 1, Married, Cheat("FELDRANOVIKASH"), {W("родилась дочь")}},
  };
  return steps;
}

// What a new game leaves as it was: the family, the bank, the studies.
std::vector<int> Kept(const GameState& s) {
  return {s.Married,     s.WasMarried, s.Daughters,      s.Sons,         s.Alimony,
          s.BankDeposit, s.BankLoan,   s.AttendsCourses, s.AttendsSchool};
}

// Sets the vital that change i moves to where that change, and no earlier
// one, reaches its death line.
bool DieAt(Harness& h, const Changes& changes, size_t i) {
  const DeathRule& rule = kDeaths[changes[i].kind];
  int sum = 0, lowestBefore = INT_MAX;
  for (size_t j = 0; j <= i; ++j) {
    if (changes[j].kind != changes[i].kind) continue;
    sum += changes[j].amount;
    if (j < i) lowestBefore = std::min(lowestBefore, sum);
  }
  EXPECT_LT(sum, lowestBefore) << "an earlier change of the same vital would kill first";
  h.s().*rule.vital = static_cast<int16_t>(rule.line - sum);
  return sum < lowestBefore;
}

void EndTheLifeAt(const Step& step, size_t i) {
  Harness h;
  h.Start("Вася", step.level);
  GameState& s = h.s();
  s.Money = s.Mood = s.Health = s.Satiety = 1000;
  s.BankDeposit = 1000;
  s.BankLoan = 500;
  if (step.arrange) step.arrange(h);
  const Change& kill = step.changes[i];
  if (kill.kind != Change::Wait && !DieAt(h, step.changes, i)) return;
  h.QueuePlayer("Новый", 1);

  // The death comes in the wait after the step's waits before change i: a
  // vital's death box, or the wait of change i itself.
  int waitsToPass = static_cast<int>(std::count_if(step.changes.begin(), step.changes.begin() + i,
                                                   [](const Change& c) { return c.kind == Change::Wait; }));
  bool died = false;
  std::vector<int> keptAtDeath;
  std::function<void()> watch = [&] {
    if (waitsToPass-- > 0) {
      h.port.meanwhile = watch;
      return;
    }
    died = true;
    keptAtDeath = Kept(s);
    if (kill.kind == Change::Wait) {
      EXPECT_NE(h.port.waitText.find(kill.text), std::string::npos) << h.port.waitText;
      TypeCheat(h, "GRIMLO");
    } else {
      const DeathRule& rule = kDeaths[kill.kind];
      EXPECT_EQ(h.port.waitText.rfind(rule.box, 0), 0u) << h.port.waitText;
      EXPECT_EQ(s.*rule.vital, rule.line);
    }
  };
  h.port.meanwhile = watch;
  step.act(h);

  ASSERT_TRUE(died) << "no death at this change";
  EXPECT_EQ(h.game.journal.deathsThisRun, 1);
  EXPECT_EQ(s.PlayerName, "Новый");
  EXPECT_TRUE(h.port.playerAnswers.empty());
  // A new game starts with $450, mood 25, satiety 75, health 40, education
  // 20, rank 1, no job, an empty computer, on the computer's date, at the
  // normal level the dialog chose.
  EXPECT_EQ((std::vector<int>{s.Money, s.Mood, s.Satiety, s.Health, s.Education, s.StatusRank, s.JobIndex, s.Wage,
                              s.DifficultyCode}),
            (std::vector<int>{450, 25, 75, 40, 20, 1, 0, 0, 1}));
  EXPECT_EQ(s.Hw, (std::array<int16_t, kHardwareSlots>{}));
  EXPECT_EQ(s.Soft, (std::array<int16_t, kSoftwareSlots>{}));
  EXPECT_EQ(s.GameDate, h.port.Now().date);
  EXPECT_EQ(Kept(s), keptAtDeath);
  EXPECT_TRUE(h.game.journal.Samples().empty()) << "a day's sample taken in the new game";
}

}  // namespace

TEST(Guard, NothingOfAStepAfterADeathReachesTheNewGame) {
  for (const Step& step : Steps()) {
    for (size_t i = 0; i < step.changes.size(); ++i) {
      SCOPED_TRACE(std::string(step.name) + ": death at change " + std::to_string(i + 1) + " of " +
                   std::to_string(step.changes.size()) + ", " + Named(step.changes[i]));
      EndTheLifeAt(step, i);
    }
  }
}

}  // namespace kalvitor::testing
