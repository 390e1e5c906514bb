#include <gtest/gtest.h>

#include <fstream>

#include "harness.h"

namespace kalvitor::testing {
namespace {

void Write(Harness& h, const std::string& bytes) {
  std::ofstream f(h.dir / "anecdot.dat", std::ios::binary | std::ios::trunc);
  f << bytes;
}

std::string Complaint(Harness& h) {
  return "MSGBOX critical \"Ошибка 745\" \"Файл анекдотов '" + (h.dir / "anecdot.dat").string() +
         "' повреждён или имеет неверный формат\" -> ok";
}

TEST(Anecdotes, AMissingFileIsReportedWithItsFullPath) {
  Harness h;
  h.Start();
  h.Lines();
  EXPECT_EQ(h.game.GetRandomAnecdote(), "");
  EXPECT_TRUE(h.Saw(Complaint(h)));
}

TEST(Anecdotes, MarkerAndLineBreaks) {
  Harness h;
  h.Start();
  // One joke: always that joke, whatever the draw.
  Write(h, "**ANECDOT DATA FILE**\r\n\xD0\xE0\xE7<CRLF>\xC4\xE2\xE0 <crlf> x\r\n");
  for (double r : {0.0, 0.5, 0.999}) {
    h.game.rnd.Force(r);
    EXPECT_EQ(h.game.GetRandomAnecdote(), "Раз\r\nДва <crlf> x");
  }
  EXPECT_TRUE(h.LinesStarting("MSGBOX").empty());

  // The marker in lower case is reported, and a joke is still given.
  Write(h, "**anecdot data file**\r\nA\r\n");
  EXPECT_EQ(h.game.GetRandomAnecdote(), "A");
  EXPECT_TRUE(h.Saw(Complaint(h)));
  h.Lines();

  // LF line ends, a last line without one; the file is read again at every call.
  Write(h, "**ANECDOT DATA FILE**\nfirst\nsecond\r\nthird");
  const char* expected[] = {"first", "second", "third"};
  for (int i = 0; i < 3; ++i) {
    h.game.rnd.Force((i + 0.5) / 3);
    EXPECT_EQ(h.game.GetRandomAnecdote(), expected[i]);
  }
  EXPECT_TRUE(h.LinesStarting("MSGBOX").empty());

  // The marker alone: no joke to give.
  Write(h, "**ANECDOT DATA FILE**\r\n");
  EXPECT_EQ(h.game.GetRandomAnecdote(), "");
  // Something more after the marker on its line is not the marker; an empty file neither.
  Write(h, "**ANECDOT DATA FILE** \r\nA\r\n");
  EXPECT_EQ(h.game.GetRandomAnecdote(), "A");
  EXPECT_TRUE(h.Saw(Complaint(h)));
  h.Lines();
  Write(h, "");
  EXPECT_EQ(h.game.GetRandomAnecdote(), "");
  EXPECT_TRUE(h.Saw(Complaint(h)));
}

}  // namespace
}  // namespace kalvitor::testing
