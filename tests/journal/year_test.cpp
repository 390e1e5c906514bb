// A year of play through the driver: the journal holds every typed message,
// every message box, every change of money (each one carries on from the
// last, so none is missing), every death, marriage, divorce and birth; the
// samples come one a day; the saved game is byte for byte the one the game
// saved before it kept a journal; and loading the save brings the journal
// and the samples back, the load itself dated by the saved game's clock.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>

#include "driver.h"
#include "harness.h"
#include "util/date.h"
#include "util/paths.h"

using kalvitor::testing::Harness;

namespace {

// The whole lines of the output that match the pattern, each rewritten by
// the format.
std::vector<std::string> Rewritten(Harness& h, const std::string& pattern, const char* format) {
  std::vector<std::string> v;
  const std::regex re(pattern);
  for (const auto& l : h.LinesStarting(""))
    if (std::regex_match(l, re)) v.push_back(std::regex_replace(l, re, format));
  return v;
}

// Plays the script in the harness's folder, the computer's clock at
// 01.01.2027 08:00, into the harness's lines, and dumps the journal and the
// samples at the end. The harness's own game stays unstarted.
void Play(Harness& h, const std::string& script) {
  const kalvitor::headless::Options o{kalvitor::Utf8FromPath(h.dir), 7, kalvitor::SerialFromCivil(2027, 1, 1),
                                      8LL * 3600 * 1000};
  h.Lines();
  std::istringstream in(script + "dump journal\ndump stats\n");
  const int status = kalvitor::headless::Driver(o, h.out).Run(in);
  EXPECT_EQ(status, 0) << h.out.str().substr(h.out.str().size() > 400 ? h.out.str().size() - 400 : 0);
}

TEST(YearOfPlay, JournalHoldsEverythingTheSaveIsUnchangedAndALoadBringsItBack) {
  Harness h;
  Play(h, h.ReadFile(KALVITOR_YEAR_SCRIPT));  // an absolute path reads as it is
  const std::string saved = h.ReadFile("Save/year.ksv");
  EXPECT_EQ(saved, h.ReadFile(KALVITOR_YEAR_GOLDEN));
  const auto journal = h.LinesStarting("JOURNAL ");

  // Every typed message, every message box with its title and text, in order.
  const auto typed = Rewritten(h, "TYPED (.*)", "$1");
  EXPECT_GT(typed.size(), 50u);
  EXPECT_EQ(Rewritten(h, "JOURNAL \\S+ \\S+ MESSAGE (.*)", "$1"), typed);
  const auto boxes = Rewritten(h, "MSGBOX \\w+ \"(.*)\" \"(.*)\" -> \\w+", "\"«$1» $2\"");
  EXPECT_GT(boxes.size(), 10u);
  EXPECT_EQ(Rewritten(h, "JOURNAL \\S+ \\S+ MSGBOX (.*)", "$1"), boxes);

  // Money: each change carries on from the one before (none of $0); a new
  // game starts afresh; the last one is the money saved.
  const std::regex entry("^JOURNAL \\S+ \\S+ (MONEY|GAME) (\".*\")$");
  const std::regex change("^\"[^:]+: ([+-])\\$(\\d+), стало (-?)\\$(\\d+)\"$");
  const std::regex newGame("^\"Новая игра: .*, \\$(\\d+)\"$");
  long long money = 0;
  int changes = 0;
  std::smatch m;
  for (const auto& l : journal) {
    if (!std::regex_match(l, m, entry)) continue;
    const std::string text = m[2];
    std::smatch g;
    if (m[1] == "GAME") {
      if (std::regex_match(text, g, newGame)) money = std::stoll(g[1]);
      continue;
    }
    ASSERT_TRUE(std::regex_match(text, g, change)) << text;
    const long long after = std::stoll(g[4]) * (g[3] == "-" ? -1 : 1);
    EXPECT_EQ(money + std::stoll(g[2]) * (g[1] == "-" ? -1 : 1), after) << l;
    money = after;
    ++changes;
  }
  EXPECT_GT(changes, 500);
  // The money on the second line of the save, its date on the fifth.
  std::smatch file;
  ASSERT_TRUE(std::regex_search(saved, file, std::regex("^.*\r\n(.*)\r\n.*\r\n.*\r\n(.*)\r\n")));
  EXPECT_EQ(std::to_string(money), file[1]);

  // Each death, written with its cause, began a new game.
  const auto deaths = Rewritten(h, "JOURNAL \\S+ \\S+ DEATH \"Смерть: (здоровье|сытость|настроение) -\\d+%\"", "");
  EXPECT_GT(deaths.size(), 0u);
  EXPECT_EQ(Rewritten(h, "JOURNAL \\S+ \\S+ GAME \"Новая игра: .*", "").size(), deaths.size() + 1);

  // Family changes: an entry for each news box of a wedding, a divorce or a birth.
  EXPECT_GT(Rewritten(h, "JOURNAL \\S+ \\S+ FAMILY .*", "").size(), 5u);
  const std::pair<const char*, const char*> family[] = {
      {"Свадьба", "ты женился"}, {"Развод", "ушла жена"}, {"Родил", "У вас родил"}};
  for (const auto& [entry, box] : family)
    EXPECT_EQ(Rewritten(h, std::string("JOURNAL \\S+ \\S+ FAMILY \"") + entry + ".*", "").size(),
              Rewritten(h, std::string("MSGBOX .*") + box + ".*", "").size());

  // One sample a day, day after day, up to the day before the save.
  const auto stats = h.LinesStarting("STATS ");
  ASSERT_GT(stats.size(), 100u);
  int32_t next = kalvitor::ParseShortDate(stats[0].substr(6, 10)).value();
  for (const auto& l : stats) EXPECT_EQ(kalvitor::ParseShortDate(l.substr(6, 10)), next++) << l;
  EXPECT_EQ(kalvitor::ParseShortDate(file[2].str()), next);

  // The load, its journal spelt in other letters: the journal as it was,
  // then the load and its money, dated by the saved game's clock, not the
  // computer's; the samples as they were.
  std::filesystem::rename(h.dir / "Save" / "year.kjl", h.dir / "Save" / "YEAR.KJL");
  Play(h, "player-load\nfile year.ksv\nstart\n");
  const auto loaded = h.LinesStarting("JOURNAL ");
  ASSERT_EQ(loaded.size(), journal.size() + 2);
  EXPECT_TRUE(std::equal(journal.begin(), journal.end(), loaded.begin()));
  const std::string when = journal.back().substr(0, 24);
  EXPECT_EQ(loaded[journal.size()], when + " GAME \"Загрузка игры: year.ksv\"");
  EXPECT_TRUE(loaded.back().starts_with(when + " MONEY \"Загрузка игры: $")) << loaded.back();
  EXPECT_EQ(h.LinesStarting("STATS "), stats);
}

}  // namespace
