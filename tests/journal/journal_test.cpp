// The journal: its file form, its limit, the cause written beside each
// change of money, the dates it gives what happens at midnight and during a
// load, the summary of a life, a saved game whose journal is missing or
// spoilt, and the pause when the window is minimised.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "harness.h"
#include "screens/frm_happy.h"
#include "screens/frm_hospital.h"
#include "screens/frm_shop.h"
#include "shell/frm_main.h"
#include "util/date.h"

namespace fs = std::filesystem;
using namespace kalvitor;
using kalvitor::testing::Harness;

namespace {

std::vector<std::string> Dump(const Journal& j) {
  std::vector<std::string> v;
  for (const auto& e : j.Entries()) v.push_back(JournalLine(e));
  for (const auto& s : j.Samples()) v.push_back(StatsLine(s));
  return v;
}

const JournalEntry* LastOf(const Journal& j, JournalKind kind) {
  for (auto it = j.Entries().rbegin(); it != j.Entries().rend(); ++it)
    if (it->kind == kind) return &*it;
  return nullptr;
}

void Save(Harness& h, const std::string& name) {
  h.port.fileAnswers.push_back({headless::FileAnswer::Name, name, 0});
  h.game.SaveGame();
}

bool Load(Harness& h, const std::string& name) {
  h.port.fileAnswers.push_back({headless::FileAnswer::Name, name, 0});
  return h.game.LoadGame();
}

void Click(Form& f, const std::string& control) {
  f.ShowModal();
  f.Click(control, -1);
}

TEST(JournalFile, ReadsBackWhatItWritesAndSkipsDamage) {
  Journal j;
  j.SetLife(LifeRecord{SerialFromCivil(2027, 1, 1), 1500, 3});
  j.Add({SerialFromCivil(2027, 1, 1), 8 * 60, JournalKind::Game, "Новая игра: Вася"});
  j.Add({SerialFromCivil(2027, 1, 2), 0, JournalKind::MsgBox, "«Круто, да?» a \"quote\", a \\ and\na break\r"});
  j.Add({SerialFromCivil(2027, 1, 2), 23 * 60 + 59, JournalKind::Money, "Магазин: -$15, стало $-5"});
  j.AddSample({SerialFromCivil(2027, 1, 1), -5, 100, 500, -49, -19, -99, 100, 8});
  j.AddSample({SerialFromCivil(2027, 1, 2), 2147483647, -2147483647 - 1, 0, 32767, -32768, 0, 0, 1});

  auto back = Journal::FromText(j.ToText());
  ASSERT_TRUE(back);
  EXPECT_EQ(Dump(*back), Dump(j));
  EXPECT_TRUE(back->HasLifeRecord());
  EXPECT_EQ(back->Life().bestMoney, 1500);
  EXPECT_EQ(back->Life().jobsHeld, 3);

  // Lines that do not read are left out; the rest is taken.
  const std::string text = j.ToText();
  const char* const damaged[] = {
      "JOURNAL 32.01.2027 00:00 MONEY \"bad day\"",  "JOURNAL 01.01.2027 24:00 MONEY \"bad hour\"",
      "JOURNAL 01.01.2027 00:00 WHAT \"bad kind\"",  "JOURNAL 01.01.2027 00:00 MONEY no quotes",
      "JOURNAL 01.01.2027 00:00 MONEY \"bad \\q\"",  "STATS 01.01.2027 1 2 3",
      "STATS 01.01.2027 1 2 3 4 5 6 7 99999",        "STATS 01.01.2027 1 2 3 4 5 6 7 x",
      "something else entirely",                     "",
  };
  std::string spoilt = text;
  for (const char* d : damaged) spoilt.insert(spoilt.find("JOURNAL"), std::string(d) + "\n");
  spoilt += "JOURNAL 01.01.2027 00:00 MON";  // cut off
  back = Journal::FromText(spoilt);
  ASSERT_TRUE(back);
  EXPECT_EQ(Dump(*back), Dump(j));

  // Not a journal at all.
  EXPECT_FALSE(Journal::FromText(""));
  EXPECT_FALSE(Journal::FromText("Brindlex Kalvitor ver. 1.06.2002 / Standard Game File Format\r\n450\r\n"));
}

TEST(JournalFile, KeepsTheLastTenThousandEntries) {
  Journal j;
  for (int i = 0; i < 10005; ++i) j.Add({0, 0, JournalKind::Message, std::to_string(i)});
  ASSERT_EQ(j.Entries().size(), 10000u);
  EXPECT_EQ(j.Entries().front().text, "5");
  EXPECT_EQ(j.Entries().back().text, "10004");
  EXPECT_EQ(j.AddedCount(), 10005u);
  auto back = Journal::FromText(j.ToText() + "JOURNAL 01.01.2027 00:00 MESSAGE \"one more\"\n");
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Entries().size(), 10000u);
  EXPECT_EQ(back->Entries().front().text, "6");
}

// Each row starts a game with $450 on the normal level and does one thing.
struct MoneyRow {
  const char* what;
  std::function<void(Harness&)> act;
  const char* entry;  // the journal's text, or its start
};

TEST(JournalMoney, EveryChangeNamesItsCause) {
  const MoneyRow rows[] = {
      {"shop", [](Harness& h) { Click(h.game.ShopForm(), "Command1"); }, "Магазин: -$15, стало $435"},
      {"hospital", [](Harness& h) { Click(h.game.HospitalForm(), "Command3"); }, "Больница: -$20, стало $430"},
      {"entertainment", [](Harness& h) { Click(h.game.HappyForm(), "Command4"); }, "Развлечения: -$5, стало $445"},
      {"bank", [](Harness& h) { h.game.BankOperation(2, 500); }, "Банк: +$500, стало $950"},
      {"cheat", [](Harness& h) { h.game.ApplyCheatCode("qarventos"); }, "Чит-код: +$100, стало $550"},
      {"wage",
       [](Harness& h) {
         h.game.SetJob(1);
         h.Rnd({0.5, 0.0, 0.0});  // no virus, no family news, no event
         h.game.DailyPass();
       },
       "Зарплата: +$10, стало $460"},
      {"tax", [](Harness& h) { h.game.YearlyPass(); }, "Налоги: -$112, стало $338"},
      {"event",
       [](Harness& h) {
         h.Rnd({0.0, 0.75});  // the grandmother's gift
         h.game.DailyEvents(false);
       },
       "Событие: +$150, стало $600"},
      {"purchase", [](Harness& h) { h.game.BuyHardware(0, 1, kTrue); }, "Покупка: -$"},
      {"child support",
       [](Harness& h) {
         h.s().Alimony = 100;
         h.Rnd({0.0, 0.0});
         h.game.DailyEvents(true);
       },
       "Алименты: -$100, стало $350"},
      {"school",
       [](Harness& h) {
         h.s().AttendsSchool = kTrue;
         h.Rnd({0.0, 0.0});
         h.game.DailyEvents(true);
       },
       "Учёба: -$50, стало $400"},
      {"wedding", [](Harness& h) { h.game.FamilyEvent(8); }, "Свадьба: -$50, стало $400"},
      {"virus",
       [](Harness& h) {
         h.s().Soft[0] = 1;
         h.port.virusFights.push_back(false);
         h.Rnd({0.42, 0.0, 0.0});  // the virus's 21 of 50
         h.game.DailyPass();
         const auto& e = h.game.journal.Entries();
         EXPECT_TRUE(std::any_of(e.begin(), e.end(), [](const JournalEntry& x) {
           return x.kind == JournalKind::MsgBox && x.text == "«Внимание! Вирус!» На Вашем компьютере обнаружен злой вирус!";
         }));
       },
       "Вирус: -$22, стало $428"},
  };
  for (const MoneyRow& row : rows) {
    SCOPED_TRACE(row.what);
    Harness h;
    h.Start();
    row.act(h);
    const JournalEntry* e = LastOf(h.game.journal, JournalKind::Money);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->text.substr(0, std::string(row.entry).size()), row.entry);
  }
}

TEST(JournalMoney, NothingIsWrittenWhenTheMoneyStaysTheSame) {
  Harness h;
  h.Start();
  const size_t before = h.game.journal.Entries().size();
  h.game.SetJob(0);
  h.Rnd({0.5, 0.0, 0.0});
  h.game.DailyPass();  // no wage
  h.game.SetMoney(450);
  EXPECT_EQ(LastOf(h.game.journal, JournalKind::Money), nullptr);
  EXPECT_EQ(h.game.journal.Entries().size(), before);
}

TEST(JournalDates, MidnightBelongsToTheNewDayAndTheSampleToTheOldOne) {
  Harness h("30.01.2027 23:50:00");
  h.Start();
  h.game.SetJob(1);
  h.Rnd({0.5, 0.0, 0.0});
  h.Ticks(1);  // 23:50 + 30 minutes
  const JournalEntry* wage = LastOf(h.game.journal, JournalKind::Money);
  ASSERT_NE(wage, nullptr);
  EXPECT_EQ(JournalLine(*wage), "JOURNAL 31.01.2027 00:00 MONEY \"Зарплата: +$10, стало $460\"");
  ASSERT_EQ(h.game.journal.Samples().size(), 1u);
  // The normal level wears health by 2, satiety by 5 and mood by 2 a day.
  EXPECT_EQ(StatsLine(h.game.journal.Samples()[0]), "STATS 30.01.2027 460 0 0 38 70 23 20 1");
}

TEST(JournalDates, ALoadIsDatedByTheSavedGamesClock) {
  Harness h("01.03.2027 10:00:00");
  h.Start();
  h.s().GameDate = SerialFromCivil(2030, 5, 17);
  h.s().GameTime = 6 * 60 + 30;
  Save(h, "late");
  h.QueuePlayer("Коля");
  h.game.NewGame();
  ASSERT_TRUE(Load(h, "late"));
  const auto& entries = h.game.journal.Entries();
  ASSERT_GE(entries.size(), 2u);
  EXPECT_EQ(JournalLine(entries[entries.size() - 2]), "JOURNAL 17.05.2030 06:30 GAME \"Загрузка игры: late.ksv\"");
  EXPECT_EQ(JournalLine(entries.back()), "JOURNAL 17.05.2030 06:30 MONEY \"Загрузка игры: $450\"");
}

TEST(JournalSaved, AMissingOrSpoiltJournalNeverStopsALoad) {
  const char* const kJournals[] = {"", "not a journal\n", "\xff\xfe\x01garbage", nullptr};
  for (const char* journalBytes : kJournals) {
    SCOPED_TRACE(journalBytes == nullptr ? "missing" : journalBytes);
    Harness h;
    h.Start();
    h.game.SetMoney(777);
    Save(h, "g");
    const fs::path kjl = h.dir / "Save" / "g.kjl";
    ASSERT_TRUE(fs::exists(kjl));
    if (journalBytes == nullptr) {
      fs::remove(kjl);
    } else {
      std::ofstream(kjl, std::ios::binary | std::ios::trunc) << journalBytes;
    }
    h.Lines();
    ASSERT_TRUE(Load(h, "g"));
    EXPECT_TRUE(h.LinesStarting("MSGBOX").empty());
    EXPECT_EQ(h.s().Money, 777);
    // Only what the load itself wrote.
    ASSERT_EQ(h.game.journal.Entries().size(), 2u);
    EXPECT_TRUE(h.game.journal.Samples().empty());
    // The life's record begins with the loaded game.
    EXPECT_EQ(h.game.Summary().daysLived, 0);
    EXPECT_EQ(h.game.Summary().bestMoney, 777);
  }
}

TEST(JournalSaved, AJournalInOtherLettersIsFound) {
  Harness h;
  h.Start();
  h.game.ApplyCheatCode("qarventos");
  Save(h, "Big");
  fs::rename(h.dir / "Save" / "Big.kjl", h.dir / "Save" / "BIG.KJL");
  const size_t saved = h.game.journal.Entries().size();
  h.QueuePlayer("Коля");
  h.game.NewGame();
  ASSERT_TRUE(Load(h, "Big"));
  EXPECT_EQ(h.game.journal.Entries().size(), saved + 2);
}

TEST(JournalLife, TheSummaryCountsThisLifeAndThisRun) {
  Harness h;
  h.Start();
  h.game.SetJob(1);
  h.game.SetJob(3);
  h.game.SetJob(0);  // fired: no job more held
  h.game.SetMoney(5000);
  h.game.SetMoney(10);
  h.s().Daughters = 2;
  h.s().Sons = 1;
  h.s().GameDate += 40;
  Game::LifeSummary sum = h.game.Summary();
  EXPECT_EQ(sum.daysLived, 40);
  EXPECT_EQ(sum.bestMoney, 5000);
  EXPECT_EQ(sum.jobsHeld, 2);
  EXPECT_EQ(sum.children, 3);
  EXPECT_EQ(sum.deaths, 0);

  // A death: the run's count goes on, the life's record starts again.
  h.QueuePlayer("Петя");
  h.game.SetHealth(-50);
  sum = h.game.Summary();
  EXPECT_EQ(sum.deaths, 1);
  EXPECT_EQ(sum.daysLived, 0);
  EXPECT_EQ(sum.bestMoney, 450);
  EXPECT_EQ(sum.jobsHeld, 0);
  const auto& e = h.game.journal.Entries();
  auto death = std::find_if(e.begin(), e.end(), [](const JournalEntry& x) { return x.kind == JournalKind::Death; });
  ASSERT_NE(death, e.end());
  EXPECT_EQ(death->text, "Смерть: здоровье -50%");
  EXPECT_EQ(e.back().kind, JournalKind::Game);
}

// AutoPause as stored -> whether minimising pauses.
struct AutoPauseRow {
  const char* stored;  // nullptr: not stored
  bool pauses;
};

TEST(AutoPause, MinimisingPausesOnlyWhenSwitchedOn) {
  const AutoPauseRow rows[] = {{nullptr, false}, {"0", false}, {"1", true}, {"yes", false}, {"", false}};
  for (const AutoPauseRow& row : rows) {
    SCOPED_TRACE(row.stored == nullptr ? "missing" : row.stored);
    Harness h;
    if (row.stored != nullptr) h.port.settings["AutoPause"] = row.stored;
    h.Start();
    FrmMain& m = h.game.MainForm();
    EXPECT_EQ(h.game.MainForm().FindItemByName("mnuSpeedAutoPause")->checked, row.pauses);
    const int time = h.s().GameTime;
    m.WindowMinimized();
    EXPECT_EQ(m.Paused(), row.pauses);
    EXPECT_EQ(m.lblPause.props.visible, row.pauses);
    EXPECT_EQ(m.Enabled(), !row.pauses);
    h.Ticks(8);
    EXPECT_EQ(h.s().GameTime == time, row.pauses);
  }
}

TEST(AutoPause, OnlyPResumesAndTheMenuKeepsTheSwitch) {
  Harness h;
  h.Start();
  FrmMain& m = h.game.MainForm();
  MenuItem* item = m.FindItemByName("mnuSpeedAutoPause");
  ASSERT_NE(item, nullptr);
  item->action();
  EXPECT_EQ(h.port.settings["AutoPause"], "1");
  EXPECT_TRUE(item->checked);

  // "Свернуть игру" pauses; minimising again changes nothing; P resumes.
  m.Click("Command1", -1);
  EXPECT_TRUE(m.Paused());
  m.WindowMinimized();
  EXPECT_TRUE(m.Paused());
  m.FormKeyPress("p");
  EXPECT_FALSE(m.Paused());
  EXPECT_FALSE(m.lblPause.props.visible);

  item->action();
  EXPECT_EQ(h.port.settings["AutoPause"], "0");
  EXPECT_FALSE(item->checked);
  m.WindowMinimized();
  EXPECT_FALSE(m.Paused());
}

}  // namespace
