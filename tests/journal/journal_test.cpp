// The journal: its file form, its limits, the cause written beside each
// change of money, the date it gives what happens at midnight, a saved game
// whose journal is missing, spoilt or another game's, and the pause on
// minimising. The year
// in year_test.cpp covers the rest: every message, box, death and family
// change written, no change of $0, a load dated by the saved game's clock, a
// journal in other letters; tool_windows_test.cpp the summary of a life.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "harness.h"
#include "util/date.h"
#include "windows/screens/counters.h"
#include "windows/shell/frm_main.h"

namespace fs = std::filesystem;
using namespace kalvitor;
using kalvitor::testing::Harness;

namespace {

const JournalEntry* LastOf(const Journal& j, JournalKind kind) {
  for (auto it = j.Entries().rbegin(); it != j.Entries().rend(); ++it)
    if (it->kind == kind) return &*it;
  return nullptr;
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
  EXPECT_EQ(back->ToText(), j.ToText());

  // Lines that do not read are left out; the rest is taken.
  const char* const damaged[] = {
      "JOURNAL 32.01.2027 00:00 MONEY \"bad day\"",
      "JOURNAL 01.01.2027 24:00 MONEY \"bad hour\"",
      "JOURNAL 01.01.2027 00:00 WHAT \"bad kind\"",
      "JOURNAL 01.01.2027 00:00 MONEY no quotes",
      "JOURNAL 01.01.2027 00:00 MONEY \"bad \\q\"",
      "STATS 01.01.2027 1 2 3",
      "STATS 01.01.2027 1 2 3 4 5 6 7 99999",
      "STATS 01.01.2027 1 2 3 4 5 6 7 x",
      "something else entirely",
      "",
  };
  std::string spoilt = j.ToText();
  for (const char* d : damaged) spoilt.insert(spoilt.find("JOURNAL"), std::string(d) + "\n");
  back = Journal::FromText(spoilt + "JOURNAL 01.01.2027 00:00 MON");  // the last line cut off
  ASSERT_TRUE(back);
  EXPECT_EQ(back->ToText(), j.ToText());
}

// The record of the life (the day it began, the best money, the jobs held)
// is saved with the game and comes back with it, not with the game that was
// running when it was loaded.
TEST(JournalSaved, TheLifeRecordComesBackWithItsGame) {
  Harness h;
  h.Start();
  const int32_t began = h.s().GameDate;
  h.game.SetMoney(5000);
  h.game.SetJob(1);
  h.game.SetJob(2);
  h.game.SetMoney(100);
  ASSERT_TRUE(h.Save("life"));
  h.s().GameDate += 3;
  h.QueuePlayer("Петя");
  h.game.NewGame();
  h.game.SetMoney(700);
  ASSERT_TRUE(h.Load("life"));
  const LifeRecord& life = h.game.journal.Life();
  EXPECT_EQ(life.startDate, began);
  EXPECT_EQ(life.bestMoney, 5000);
  EXPECT_EQ(life.jobsHeld, 2);
  EXPECT_EQ(h.game.Summary().bestMoney, 5000);
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

void DayPasses(Harness& h) { h.game.DailyPass(); }
void MonthBegins(Harness& h) { h.game.DailyEvents(true); }

// Each row starts a game with $450 on the normal level, sets the scene,
// forces the draws of chance and does one thing.
struct MoneyRow {
  const char* entry;  // the journal's text, or its start
  std::function<void(Harness&)> scene;
  std::vector<double> draws;
  std::function<void(Harness&)> act;
};

TEST(JournalMoney, EveryChangeNamesItsCause) {
  const MoneyRow rows[] = {
      {"Чит-код: +$100, стало $550", nullptr, {}, [](Harness& h) { h.game.ApplyCheatCode("qarventos"); }},
      {"Налоги: -$112, стало $338", nullptr, {}, [](Harness& h) { h.game.YearlyPass(); }},
      {"Свадьба: -$50, стало $400", nullptr, {}, [](Harness& h) { h.game.FamilyEvent(8); }},
      // No virus, no family news, no event.
      {"Зарплата: +$10, стало $460", [](Harness& h) { h.game.SetJob(1); }, {0.5, 0.0, 0.0}, DayPasses},
      // The grandmother's gift.
      {"Событие: +$150, стало $600", nullptr, {0.0, 0.75}, [](Harness& h) { h.game.DailyEvents(false); }},
      {"Алименты: -$100, стало $350", [](Harness& h) { h.s().Alimony = 100; }, {0.0, 0.0}, MonthBegins},
      {"Учёба: -$50, стало $400", [](Harness& h) { h.s().AttendsSchool = kTrue; }, {0.0, 0.0}, MonthBegins},
      // The virus's 21 of 50, and the player loses the fight.
      {"Вирус: -$22, стало $428",
       [](Harness& h) {
         h.s().Soft[0] = 1;
         h.port.virusFights.push_back(false);
       },
       {0.42, 0.0, 0.0},
       DayPasses},
  };
  for (const MoneyRow& row : rows) {
    SCOPED_TRACE(row.entry);
    Harness h;
    h.Start();
    if (row.scene) row.scene(h);
    for (double d : row.draws) h.game.rnd.Force(d);
    row.act(h);
    const JournalEntry* e = LastOf(h.game.journal, JournalKind::Money);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->text.substr(0, std::string(row.entry).size()), row.entry);
  }
}

// A purchase at a place says what it was for: the meal, the treatment, the
// pastime, the bank's operation, the model. A game with $450 (and $200 on
// deposit, $300 owed), one click through the place's window.
TEST(JournalMoney, EveryPurchaseNamesItsRow) {
  const struct {
    const char* form;
    const char* control;
    int index;
    const char* answer;  // the bank's input box
    const char* entry;
  } rows[] = {
      {"frmShop", "Command1", -1, nullptr, "Магазин, биг-мак: -$15, стало $435"},
      {"frmShop", "Command2", -1, nullptr, "Магазин, хэппи-мил: -$45, стало $405"},
      {"frmShop", "Command3", -1, nullptr, "Магазин, альпен гольд: -$120, стало $330"},
      {"frmShop", "Command4", -1, nullptr, "Магазин, яичница: -$10, стало $440"},
      {"frmShop", "Command5", -1, nullptr, "Магазин, обед: -$60, стало $390"},
      {"frmHospital", "Command1", -1, nullptr, "Больница, полный курс: -$250, стало $200"},
      {"frmHospital", "Command2", -1, nullptr, "Больница, лекарства: -$100, стало $350"},
      {"frmHospital", "Command3", -1, nullptr, "Больница, вывих: -$20, стало $430"},
      {"frmHospital", "Command4", -1, nullptr, "Больница, осмотр: -$2, стало $448"},
      {"frmHospital", "Command5", -1, nullptr, "Больница, роды: -$250, стало $200"},
      {"frmHospital", "Command6", -1, nullptr, "Больница, водка: -$20, стало $430"},
      {"frmHospital", "Command7", -1, nullptr, "Больница, спирт: -$25, стало $425"},
      {"frmHappy", "Command1", -1, nullptr, "Развлечения, казино: -$25, стало $425"},
      {"frmHappy", "Command2", -1, nullptr, "Развлечения, ресторан: -$50, стало $400"},
      {"frmHappy", "Command3", -1, nullptr, "Развлечения, сауна: -$75, стало $375"},
      {"frmHappy", "Command4", -1, nullptr, "Развлечения, пять минут отдыха: -$5, стало $445"},
      {"frmHappy", "Command5", -1, nullptr, "Развлечения, перерыв: -$15, стало $435"},
      {"frmBank", "Command1", -1, "100", "Банк, вклад: -$100, стало $350"},
      {"frmBank", "Label7", -1, "150", "Банк, со вклада: +$150, стало $600"},
      {"frmBank", "Label1", -1, "500", "Банк, ссуда: +$500, стало $950"},
      {"frmBank", "Label6", -1, "300", "Банк, выплата ссуды: -$300, стало $150"},
      {"frmHard", "cmdUpggrade", 0, nullptr, "Покупка, 486 DX2-66 MHz: -$25, стало $425"},
      {"frmHard", "cmdUpggrade", 8, nullptr, "Покупка, Epson LX400: -$50, стало $400"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.entry);
    Harness h;
    h.Start();
    h.s().BankDeposit = 200;
    h.s().BankLoan = 300;
    if (row.answer) h.port.inputs.push_back(row.answer);
    Form& place = *h.game.FindForm(row.form);
    place.ShowModal();
    place.Click(row.control, row.index);
    const JournalEntry* e = LastOf(h.game.journal, JournalKind::Money);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->text, row.entry);
  }
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

TEST(JournalSaved, AMissingSpoiltOrAnotherGamesJournalNeverStopsALoad) {
  // The journal file as saved with the game, with its second line (which
  // names the game) as given; "-" drops that line, as journals were written
  // before they named their game. Bytes of their own, or none: no file.
  // -> whether the load takes it, and whether it says it did not.
  const std::tuple<const char*, const char*, bool, bool> rows[] = {
      {"-", nullptr, true, false},
      {"SAVED 1 0000000000000000", nullptr, false, true},
      {"SAVED", nullptr, false, true},
      {nullptr, "", false, false},
      {nullptr, "not a journal\n", false, false},
      {nullptr, "\xff\xfe\x01garbage", false, false},
      {nullptr, nullptr, false, false},
  };
  for (const auto& [second, bytes, taken, told] : rows) {
    SCOPED_TRACE(second != nullptr ? second : bytes != nullptr ? bytes : "missing");
    Harness h;
    h.Start();
    h.game.SetMoney(777);
    h.Save("g");
    std::string text = h.ReadFile("Save/g.kjl");
    const size_t from = text.find('\n') + 1, to = text.find('\n', from) + 1;
    ASSERT_TRUE(fs::remove(h.dir / "Save" / "g.kjl"));
    if (second != nullptr) text.replace(from, to - from, second == std::string("-") ? "" : second + std::string("\n"));
    if (second != nullptr || bytes != nullptr) h.WriteFile("Save/g.kjl", second != nullptr ? text : bytes);
    h.Lines();
    ASSERT_TRUE(h.Load("g"));
    EXPECT_EQ(h.LinesStarting("MSGBOX exclamation \"Загрузка игры\"").size(), told ? 1u : 0u);
    EXPECT_EQ(h.s().Money, 777);
    // Taken, it tells of the save; else only what the load wrote is there, and
    // the life's record begins with the loaded game.
    EXPECT_EQ(h.game.journal.Entries().size(), (taken ? 5u : 2u) + (told ? 1u : 0u));
    EXPECT_TRUE(h.game.journal.Samples().empty());
    EXPECT_EQ(h.game.Summary().daysLived, 0);
    EXPECT_EQ(h.game.Summary().bestMoney, 777);
  }
}

TEST(JournalFile, AnEntryIsCutToItsLimitAndAHugeLineIsLeftOut) {
  // The game's own long texts are cut to 2000 bytes at a whole letter, "…"
  // (three bytes) included; quotes, written as two, still fit a line.
  std::string letters, quotes(5000, '"');
  for (int i = 0; i < 3000; ++i) letters += "Ж";
  Journal j;
  j.Add({0, 0, JournalKind::Message, letters});
  j.Add({0, 0, JournalKind::MsgBox, quotes});
  EXPECT_EQ(j.Entries()[0].text, letters.substr(0, 998 * 2) + "…");
  EXPECT_EQ(j.Entries()[1].text, quotes.substr(0, 1997) + "…");
  auto back = Journal::FromText(j.ToText());
  ASSERT_TRUE(back);
  EXPECT_EQ(back->ToText(), j.ToText());

  // A file with an entry of 30 MB between two others: that line is left
  // out, the rest is taken. A line of 4096 bytes is taken, also with a CR
  // before its LF, one more is not. An entry read back is kept to 2000
  // bytes as one made in play (these hold about 4050), and written back so.
  const auto line = [](const std::string& text) {
    return JournalLine({SerialFromCivil(2027, 1, 1), 0, JournalKind::Message, text}) + "\n";
  };
  const std::string head = "Brindlex Kalvitor journal 1\n";
  const std::string longest = line(std::string(Journal::kMaxLineBytes - line("").size() + 1, 'y'));
  ASSERT_EQ(longest.size(), Journal::kMaxLineBytes + 1);  // with its line end
  const std::string longestCrLf = longest.substr(0, longest.size() - 1) + "\r\n";
  back = Journal::FromText(head + line("before") + line(std::string(30u << 20, 'x')) + longest + longestCrLf +
                           line(std::string(Journal::kMaxLineBytes, 'z')) + line("after"));
  ASSERT_TRUE(back);
  const std::string cut = line(std::string(1997, 'y') + "…");
  EXPECT_EQ(back->ToText(), head + line("before") + cut + cut + line("after"));
}

TEST(AutoPause, MinimisingPausesOnlyWhenSwitchedOnAndOnlyPResumes) {
  // AutoPause as stored (nullptr: not stored), the menu's switch chosen so
  // many times -> what is stored then, and whether minimising pauses.
  const std::tuple<const char*, int, const char*, bool> rows[] = {
      {nullptr, 0, "", false}, {"0", 0, "0", false},    {"1", 0, "1", true},  {"yes", 0, "yes", false},
      {"", 0, "", false},      {nullptr, 1, "1", true}, {"1", 1, "0", false}, {nullptr, 2, "0", false}};
  for (const auto& [stored, choices, written, pauses] : rows) {
    SCOPED_TRACE(::testing::Message() << (stored == nullptr ? "missing" : stored) << ", chosen " << choices);
    Harness h;
    if (stored != nullptr) h.port.settings["AutoPause"] = stored;
    h.Start();
    FrmMain& m = h.game.MainForm();
    MenuItem* item = m.FindItemByName("mnuSpeedAutoPause");
    for (int i = 0; i < choices; ++i) item->action();
    EXPECT_EQ(item->checked, pauses);
    EXPECT_EQ(h.port.settings["AutoPause"], written);
    m.Click("Command1", -1);  // "Свернуть игру"
    EXPECT_EQ(m.Paused(), pauses);
    m.WindowMinimized();  // minimised again: nothing changes
    EXPECT_EQ(m.Paused(), pauses);
    m.FormKeyPress("p");
    EXPECT_EQ(m.Paused(), !pauses);
  }
}

}  // namespace
