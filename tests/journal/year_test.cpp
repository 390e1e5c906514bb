// A year of play through the driver: the journal holds every typed message,
// every message box, every change of money (each one carries on from the
// last, so none is missing), every marriage, divorce and birth; the samples
// come one a day; the saved game is byte for byte the one the game saved
// before it kept a journal; and loading the save brings the journal and the
// samples back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "driver.h"
#include "util/date.h"

namespace fs = std::filesystem;
using kalvitor::headless::Driver;
using kalvitor::headless::Options;

namespace {

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> v;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) v.push_back(l);
  return v;
}

std::vector<std::string> Starting(const std::vector<std::string>& lines, const std::string& prefix) {
  std::vector<std::string> v;
  for (const auto& l : lines)
    if (l.rfind(prefix, 0) == 0) v.push_back(l);
  return v;
}

// The journal lines of one kind.
std::vector<std::string> Kind(const std::vector<std::string>& lines, const std::string& kind) {
  std::vector<std::string> v;
  const std::regex re("^JOURNAL \\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d " + kind + " (\".*\")$");
  std::smatch m;
  for (const auto& l : lines)
    if (std::regex_match(l, m, re)) v.push_back(m[1]);
  return v;
}

class YearOfPlay : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("kalvitor-year-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                       "-" + std::to_string(reinterpret_cast<uintptr_t>(this)));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  std::vector<std::string> Run(const std::string& script) {
    Options o;
    o.dir = dir.string();
    o.seed = 7;
    o.nowDate = kalvitor::SerialFromCivil(2027, 1, 1);
    o.nowMillis = 8LL * 3600 * 1000;
    std::ostringstream out;
    std::istringstream in(script);
    Driver driver(o, out);
    EXPECT_EQ(driver.Run(in), 0) << out.str().substr(out.str().size() > 400 ? out.str().size() - 400 : 0);
    return Lines(out.str());
  }

  fs::path dir;
};

TEST_F(YearOfPlay, JournalHoldsEverythingAndTheSaveIsUnchanged) {
  const auto out = Run(ReadAll(KALVITOR_YEAR_SCRIPT) + "dump journal\ndump stats\n");

  // The saved game is what the game wrote before it kept a journal.
  EXPECT_EQ(ReadAll(dir / "Save" / "year.ksv"), ReadAll(KALVITOR_YEAR_GOLDEN));
  ASSERT_TRUE(fs::exists(dir / "Save" / "year.kjl"));

  // Every typed message, in order.
  std::vector<std::string> typed;
  for (const auto& l : Starting(out, "TYPED ")) typed.push_back(l.substr(6));
  EXPECT_GT(typed.size(), 50u);
  EXPECT_EQ(Kind(out, "MESSAGE"), typed);

  // Every message box, in order, with its title and text.
  const std::regex box("^MSGBOX \\w+ \"(.*)\" \"(.*)\" -> \\w+$");
  std::vector<std::string> boxes;
  std::smatch m;
  for (const auto& l : Starting(out, "MSGBOX "))
    if (std::regex_match(l, m, box)) boxes.push_back("\"«" + m[1].str() + "» " + m[2].str() + "\"");
  EXPECT_GT(boxes.size(), 10u);
  EXPECT_EQ(Kind(out, "MSGBOX"), boxes);

  // Money: each change carries on from the one before; a new game starts at
  // $450; the last one is the money saved.
  const std::regex change("^\"[^:]+: ([+-])\\$(\\d+), стало (-?)\\$(\\d+)\"$");
  const std::regex newGame("^\"Новая игра: .*, \\$(\\d+)\"$");
  long long money = 0;
  int changes = 0;
  const std::regex entry("^JOURNAL \\S+ \\S+ (MONEY|GAME) (\".*\")$");
  for (const auto& l : out) {
    if (!std::regex_match(l, m, entry)) continue;
    const std::string text = m[2];
    std::smatch g;
    if (m[1] == "GAME") {
      if (std::regex_match(text, g, newGame)) money = std::stoll(g[1]);
      continue;
    }
    ASSERT_TRUE(std::regex_match(text, g, change)) << text;
    const long long amount = std::stoll(g[2]) * (g[1] == "-" ? -1 : 1);
    const long long after = std::stoll(g[4]) * (g[3] == "-" ? -1 : 1);
    EXPECT_EQ(money + amount, after) << l;
    money = after;
    ++changes;
  }
  EXPECT_GT(changes, 500);
  const std::string saved = ReadAll(dir / "Save" / "year.ksv");
  EXPECT_EQ(std::to_string(money), Lines(saved)[1].substr(0, Lines(saved)[1].size() - 1));

  // Family changes: each news box of a wedding, a divorce or a birth.
  auto count = [&](const std::vector<std::string>& v, const std::string& part) {
    return std::count_if(v.begin(), v.end(), [&](const std::string& s) { return s.find(part) != std::string::npos; });
  };
  const auto family = Kind(out, "FAMILY");
  EXPECT_EQ(count(family, "Свадьба"), count(boxes, "ты женился"));
  EXPECT_EQ(count(family, "Развод"), count(boxes, "ушла жена"));
  EXPECT_EQ(count(family, "Родил"), count(boxes, "У вас родил"));
  EXPECT_GT(family.size(), 5u);

  // One sample a day, day after day, up to the day before the save.
  const auto stats = Starting(out, "STATS ");
  ASSERT_GT(stats.size(), 100u);
  std::optional<int32_t> last;
  for (const auto& l : stats) {
    auto date = kalvitor::ParseShortDate(l.substr(6, 10));
    ASSERT_TRUE(date) << l;
    if (last) {
      EXPECT_EQ(*date, *last + 1) << l;
    }
    last = date;
  }
  auto savedDate = kalvitor::ParseShortDate(Lines(saved)[4].substr(0, 10));
  ASSERT_TRUE(savedDate);
  EXPECT_EQ(*last + 1, *savedDate);
}

TEST_F(YearOfPlay, LoadingTheSaveBringsJournalAndSamplesBack) {
  const auto first = Run(ReadAll(KALVITOR_YEAR_SCRIPT) + "dump journal\ndump stats\n");
  const auto journal = Starting(first, "JOURNAL ");
  const auto stats = Starting(first, "STATS ");

  const auto again = Run("player-load\nfile year.ksv\nstart\ndump journal\ndump stats\n");
  const auto loaded = Starting(again, "JOURNAL ");
  const auto loadedStats = Starting(again, "STATS ");
  ASSERT_EQ(loaded.size(), journal.size() + 2);  // the load and its money
  EXPECT_TRUE(std::equal(journal.begin(), journal.end(), loaded.begin()));
  EXPECT_NE(loaded[journal.size()].find("GAME \"Загрузка игры: year.ksv\""), std::string::npos);
  EXPECT_NE(loaded[journal.size() + 1].find("MONEY \"Загрузка игры: $"), std::string::npos);
  // Dated by the saved game's clock, not the computer's.
  EXPECT_EQ(loaded.back().substr(8, 16), journal.back().substr(8, 16));
  EXPECT_EQ(loadedStats, stats);
}

}  // namespace
