// Loading saved games and reading the jokes file must survive any bytes (the
// sanitizer build is the judge), and whatever loads saves and loads back. A
// few hundred files from a fixed seed in the normal run; set
// KALVITOR_FUZZ_ROUNDS for a long run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "harness.h"

namespace kalvitor::testing {
namespace {

namespace fs = std::filesystem;

struct Maker {
  std::mt19937 gen{20261206};
  int Below(int n) { return static_cast<int>(gen() % static_cast<uint32_t>(n)); }
  std::string Bytes(int max) {
    std::string s(static_cast<size_t>(Below(max + 1)), '\0');
    for (char& c : s) c = static_cast<char>(gen());
    return s;
  }
  // Something that might stand on a line of a saved game.
  std::string Value() {
    static const char* const kSamples[] = {
        "0",     "-1",         "32767",      "-32768",           "32768", "2147483647", "-2147483649", "7:30:00",
        "24:00", "05.03.2002", "31.02.2002", "\xC2\xE0\xF1\xFF", "",      " 12 ",       "-",           "12.5",
        "\r",    "\x98"};
    switch (Below(4)) {
      case 0:
        return kSamples[Below(sizeof kSamples / sizeof kSamples[0])];
      case 1:
        return std::to_string(static_cast<int64_t>(gen()) - (1LL << 31));
      case 2:
        return Below(40) == 0 ? std::string(static_cast<size_t>(5000 + Below(5000)), '7') : Bytes(12);
      default:
        return std::to_string(Below(12) - 2);
    }
  }
  std::string SavedGame() {
    if (Below(5) == 0) return Bytes(400);
    const char* ends[] = {"\r\n", "\n", "\r", ""};
    const char* end = ends[Below(10) == 0 ? Below(4) : Below(2)];
    std::string text = (Below(10) == 0 ? Bytes(70) : "Brindlex Kalvitor ver. 1.06.2002 / Standard Game File Format") +
                       std::string(end);
    for (int i = Below(45); i > 0; --i) text += Value() + end;
    if (Below(3) == 0) text.resize(static_cast<size_t>(Below(static_cast<int>(text.size()) + 1)));
    return text;
  }
  std::string Jokes() {
    std::string text = (Below(2) == 0 ? "**ANECDOT DATA FILE**\r\n" : "") + Bytes(300);
    if (Below(4) == 0) text += "<CRLF><CRLF" + Bytes(10) + "\n<CRLF>";
    return text;
  }
};

TEST(PersistFuzz, MalformedFilesNeverBreakLoadingOrTheJokes) {
  const char* env = std::getenv("KALVITOR_FUZZ_ROUNDS");
  const int rounds = env != nullptr ? std::atoi(env) : 300;
  Harness h;
  h.Start();
  Maker make;
  for (int i = 0; i < rounds; ++i) {
    h.WriteFile("Save/fuzz.ksv", make.SavedGame());
    if (h.port.playerAnswers.empty()) h.QueuePlayer("Вася");  // a file that kills starts a new game
    h.Load("fuzz");
    ASSERT_TRUE(h.port.fileAnswers.empty());
    if (i % 10 == 0) {  // whatever was loaded saves and loads back
      const GameState loaded = h.s();
      if (fs::exists(h.dir / "Save" / "again.ksv")) h.Answer(MsgAnswer::Yes);
      h.Save("again");
      ASSERT_TRUE(h.Load("again")) << "round trip " << i;
      ASSERT_EQ(h.s().Money, loaded.Money);
      ASSERT_EQ(h.s().PlayerName, loaded.PlayerName);
    }
    h.WriteFile("anecdot.dat", make.Jokes());
    h.game.GetRandomAnecdote();
    h.out.str("");
  }
}

}  // namespace
}  // namespace kalvitor::testing
