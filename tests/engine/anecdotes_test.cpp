#include <gtest/gtest.h>

#include "harness.h"
#include "util/text.h"

namespace kalvitor::testing {
namespace {

std::string Complaint(Harness& h) {
  return "MSGBOX critical \"Ошибка 745\" \"Файл анекдотов '" +
         ReplaceAll((h.dir / "anecdot.dat").string(), "\\", "\\\\") + "' повреждён или имеет неверный формат\" -> ok";
}

TEST(Anecdotes, MarkerAndLineBreaks) {
  Harness h;
  h.Start();
  // A missing file is reported with its full path.
  h.Lines();
  EXPECT_EQ(h.game.GetRandomAnecdote(), "");
  EXPECT_TRUE(h.Saw(Complaint(h)));
  h.Lines();
  // One joke: always that joke, whatever the draw.
  h.WriteFile("anecdot.dat", "**ANECDOT DATA FILE**\r\n\xD0\xE0\xE7<CRLF>\xC4\xE2\xE0 <crlf> x\r\n");
  for (double r : {0.0, 0.5, 0.999}) {
    h.game.rnd.Force(r);
    EXPECT_EQ(h.game.GetRandomAnecdote(), "Раз\r\nДва <crlf> x");
  }
  EXPECT_TRUE(h.LinesStarting("MSGBOX").empty());

  // The marker in lower case is reported, and a joke is still given.
  h.WriteFile("anecdot.dat", "**anecdot data file**\r\nA\r\n");
  EXPECT_EQ(h.game.GetRandomAnecdote(), "A");
  EXPECT_TRUE(h.Saw(Complaint(h)));
  h.Lines();

  // LF line ends, a last line without one; the file is read again at every call.
  h.WriteFile("anecdot.dat", "**ANECDOT DATA FILE**\nfirst\nsecond\r\nthird");
  const char* expected[] = {"first", "second", "third"};
  for (int i = 0; i < 3; ++i) {
    h.game.rnd.Force((i + 0.5) / 3);
    EXPECT_EQ(h.game.GetRandomAnecdote(), expected[i]);
  }
  EXPECT_TRUE(h.LinesStarting("MSGBOX").empty());

  // The marker alone: no joke to give.
  h.WriteFile("anecdot.dat", "**ANECDOT DATA FILE**\r\n");
  EXPECT_EQ(h.game.GetRandomAnecdote(), "");
  // Something more after the marker on its line is not the marker; an empty file neither.
  h.WriteFile("anecdot.dat", "**ANECDOT DATA FILE** \r\nA\r\n");
  EXPECT_EQ(h.game.GetRandomAnecdote(), "A");
  EXPECT_TRUE(h.Saw(Complaint(h)));
  h.Lines();
  h.WriteFile("anecdot.dat", "");
  EXPECT_EQ(h.game.GetRandomAnecdote(), "");
  EXPECT_TRUE(h.Saw(Complaint(h)));
}

}  // namespace
}  // namespace kalvitor::testing
