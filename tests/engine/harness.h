// A game on the scripted driver's port, for engine tests: virtual time,
// queued answers and every line the player would see or hear, recorded.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "headless_port.h"
#include "windows/game.h"

namespace kalvitor::testing {

// A new empty folder under the system's temporary one.
std::filesystem::path FreshDir();

// Runs this test program again, as a child, for the one test named (a
// disabled one too), with the environment variable `name` set to `value`
// (UTF-8); returns the child's exit status. One way on Linux and Windows.
int RunTestInChild(const std::string& test, const std::string& name, const std::string& value);
// Whether it can: the browser build's tests run under Node, which starts no
// child process of a program.
#ifdef __EMSCRIPTEN__
constexpr bool kCanRunChildren = false;
#else
constexpr bool kCanRunChildren = true;
#endif
// The value a parent handed this child, "" in a run of its own.
std::string ValueFromParent(const std::string& name);

// The driver's port, on which something else happens (the player loads a
// saved game, say) while the next message box, input box or typed message
// is up: the other events a wait lets run.
class MeanwhilePort : public headless::HeadlessPort {
 public:
  using HeadlessPort::HeadlessPort;
  // Runs once, at the next box, input box or typed message.
  std::function<void()> meanwhile;
  // A box or input box with nothing queued is answered as a curious player
  // would (Yes, OK, "100") instead of stopping the test.
  bool answerAll = false;
  // The text of the box, input box or typed message `meanwhile` runs in.
  std::string waitText;

  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon icon, MsgButtons buttons) override;
  std::optional<std::string> InputBox(const std::string& title, const std::string& prompt,
                                      const std::string& defaultText) override;
  void OnMessageTyping(const std::string& text) override;
  // The language menu, as the desktop and the browser have it.
  bool OffersLanguages() const override { return true; }
  int languageChanges = 0;
  void LanguageChanged() override { ++languageChanges; }

 private:
  void RunMeanwhile(const std::string& text);
};

class Harness {
 public:
  // now: the computer's clock when the run starts.
  explicit Harness(const std::string& now = "06.12.2026 21:47:00", uint64_t seed = 1);
  // A game in a folder of the caller's (made when missing), which stays.
  struct InFolder {
    std::filesystem::path path;
  };
  explicit Harness(const InFolder& folder);
  ~Harness();

  std::filesystem::path dir;
  std::ostringstream out;
  MeanwhilePort port;
  Game game;
  // The state for a test's set-up; the game itself (and every window) reads
  // it through a const view.
  GameState& s() { return game.StateForSetUp(); }
  static_assert(std::is_same_v<decltype(Life::s), const GameState&>);

  // Runs the program's entry with a player's answer queued (effects muted
  // until the main window has read the settings, as on a real start).
  void Start(const std::string& name = "Вася", int level = 1);
  void QueuePlayer(const std::string& name, int level = 1);
  void Answer(MsgAnswer a) { port.msgAnswers.push_back(a); }
  void Rnd(std::initializer_list<double> values);
  void Ticks(int n) { port.RunFor(250LL * n); }

  // The lines printed since the last call, and clears them.
  std::vector<std::string> Lines();
  // True when a line printed since the last Lines() equals `line`.
  bool Saw(const std::string& line);
  // Lines since the last Lines() that start with `prefix`.
  std::vector<std::string> LinesStarting(const std::string& prefix);
  std::string Label(const std::string& name);
  uint32_t LabelColor(const std::string& name);
  std::string ReadFile(const std::string& relative);
  // Writes `bytes` as the whole file, making its folders.
  void WriteFile(const std::string& relative, const std::string& bytes);
  // Saves or loads through the file dialog, answered with `name`.
  bool Save(const std::string& name);
  bool Load(const std::string& name);
  // While the next box, input box or typed message is up, the player loads
  // the saved game `name` (from the menu, say).
  void LoadMeanwhile(const std::string& name);

 private:
  bool ownDir_ = true;
  // The lines printed since the last Lines(), left in place.
  std::vector<std::string> Pending() const;
};

// The line a message box with the information icon and OK prints.
inline std::string InfoBox(const std::string& title, const std::string& text) {
  return "MSGBOX information \"" + title + "\" \"" + text + "\" -> ok";
}

// The top model of each hardware slot, processor to printer.
inline constexpr std::array<int16_t, 9> kTopHw = {10, 7, 7, 7, 6, 6, 6, 6, 4};

}  // namespace kalvitor::testing
