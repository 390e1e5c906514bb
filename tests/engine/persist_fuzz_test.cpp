// Loading saved games and reading the jokes file must survive any bytes: a
// few thousand malformed files, made from a fixed seed so that a failure
// repeats.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "harness.h"

namespace kalvitor::testing {
namespace {

namespace fs = std::filesystem;

const char* const kFormat = "Brindlex Kalvitor ver. 1.06.2002 / Standard Game File Format";

class Maker {
 public:
  explicit Maker(uint32_t seed) : gen_(seed) {}

  int Below(int n) { return static_cast<int>(gen_() % static_cast<uint32_t>(n)); }

  std::string Bytes(int maxLength) {
    std::string s(static_cast<size_t>(Below(maxLength + 1)), '\0');
    for (char& c : s) c = static_cast<char>(gen_());
    return s;
  }

  // Something that might stand on a line of a saved game.
  std::string Value() {
    static const char* const kSamples[] = {"0",          "-1",        "1",           "32767",      "-32768",
                                           "32768",      "2147483647", "-2147483649", "99999999999999999999999",
                                           "7:30:00",    "24:00",     "05.03.2002",  "31.02.2002", "1.1.100",
                                           "\xC2\xE0\xF1\xFF", "",    " 12 ",        "-",          "+",
                                           "12.5",       "0x10",      "\r",          "\xFF\xFE",   "\x98"};
    switch (Below(4)) {
      case 0:
        return kSamples[Below(sizeof kSamples / sizeof kSamples[0])];
      case 1:
        return std::to_string(static_cast<int64_t>(gen_()) - (1LL << 31)) + (Below(8) == 0 ? "x" : "");
      case 2:
        return Below(40) == 0 ? std::string(static_cast<size_t>(5000 + Below(20000)), '7') : Bytes(12);
      default:
        return std::to_string(Below(12) - 2);
    }
  }

  std::string SavedGame() {
    switch (Below(5)) {
      case 0:
        return Bytes(400);
      default: {
        std::string text = Below(10) == 0 ? Bytes(70) : kFormat;
        const int lines = Below(45);
        const char* ends[] = {"\r\n", "\n", "\r", ""};
        const char* end = ends[Below(10) == 0 ? Below(4) : Below(2)];
        text += end;
        for (int i = 0; i < lines; ++i) text += Value() + end;
        if (Below(3) == 0 && !text.empty()) text.resize(static_cast<size_t>(Below(static_cast<int>(text.size()))));
        return text;
      }
    }
  }

  std::string Jokes() {
    std::string text = Below(2) == 0 ? "**ANECDOT DATA FILE**\r\n" : "";
    text += Bytes(300);
    if (Below(4) == 0) text += "<CRLF><CRLF" + Bytes(10) + "\n<CRLF>";
    if (Below(50) == 0) text += std::string(100000, 'x');
    return text;
  }

 private:
  std::mt19937 gen_;
};

// A fresh file each time: cutting an old one short makes the file system
// flush it to the disk at once, which would make the loop slow.
void Write(const fs::path& path, const std::string& bytes) {
  fs::remove(path);
  std::ofstream f(path, std::ios::binary);
  f << bytes;
}

TEST(PersistFuzz, MalformedFilesNeverBreakLoadingOrTheJokes) {
  Harness h;
  h.Start();
  fs::create_directories(h.dir / "Save");
  Maker make(20261206);
  int roundTrips = 0;
  for (int i = 0; i < 3000; ++i) {
    Write(h.dir / "Save" / "fuzz.ksv", make.SavedGame());
    // A file that kills the player starts a new game, which asks for a name.
    if (h.port.playerAnswers.empty()) h.QueuePlayer("Вася");
    h.port.fileAnswers.push_back({headless::FileAnswer::Name, "fuzz", 0});
    h.game.LoadGame();
    ASSERT_TRUE(h.port.fileAnswers.empty());

    if (i % 10 == 0) {
      // Whatever was loaded saves and loads back cleanly.
      const int32_t money = h.s().Money;
      h.port.fileAnswers.push_back({headless::FileAnswer::Name, "again", 0});
      if (fs::exists(h.dir / "Save" / "again.ksv")) h.Answer(MsgAnswer::Yes);
      h.game.SaveGame();
      h.port.fileAnswers.push_back({headless::FileAnswer::Name, "again", 0});
      ASSERT_TRUE(h.game.LoadGame()) << "round trip " << i;
      ASSERT_EQ(h.s().Money, money);
      ++roundTrips;
    }

    Write(h.dir / "anecdot.dat", make.Jokes());
    const std::string joke = h.game.GetRandomAnecdote();
    ASSERT_LE(joke.size(), 2u * 1024 * 1024);
    h.out.str("");
  }
  EXPECT_EQ(roundTrips, 300);
}

}  // namespace
}  // namespace kalvitor::testing
