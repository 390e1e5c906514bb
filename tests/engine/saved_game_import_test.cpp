// A saved game brought in from elsewhere: checked as a load reads it, and
// put into the Save folder as a save puts it.
#include "life/persist/saved_game_import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "harness.h"
#include "life/persist/journal_file.h"
#include "util/paths.h"
#include "util/text.h"

namespace kalvitor::testing {
namespace {

namespace fs = std::filesystem;

// A game the game wrote with that money, and its journal.
struct Written {
  std::string game, journal;
};
Written WrittenGame(Harness& h, const std::string& name, int32_t money) {
  h.game.SetMoney(money);
  h.Save(name);
  return {h.ReadFile("Save/" + name + ".ksv"), h.ReadFile("Save/" + name + ".kjl")};
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  for (size_t end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
    lines.push_back(text.substr(at, end + 1 - at));
  return lines;
}

std::string Replaced(const std::string& text, size_t line, const std::string& with) {
  std::vector<std::string> lines = Lines(text);
  lines[line - 1] = with;
  std::string out;
  for (const std::string& l : lines) out += l;
  return out;
}

TEST(SavedGameImport, ChecksTheFilesAsALoadReadsThem) {
  Harness h;
  h.Start();
  const Written a = WrittenGame(h, "a", 435);
  const Written b = WrittenGame(h, "b", 20);
  const std::string oldJournal = Replaced(a.journal, 2, "");  // no SAVED line: written before journals named games
  const std::string hugeJournal = a.journal + std::string(33u << 20, '\n');
  const std::optional<std::string> none;
  struct Case {
    const char* what;
    std::string game;
    std::optional<std::string> journal;
    ImportVerdict verdict;
  };
  const Case cases[] = {
      {"a game alone", a.game, none, ImportVerdict::Imported},
      {"with its journal", a.game, a.journal, ImportVerdict::Imported},
      {"with a journal that names no game", a.game, oldJournal, ImportVerdict::Imported},
      {"with LF line ends and blanks", ReplaceAll(Replaced(a.game, 2, " 435 \r\n"), "\r\n", "\n"), none,
       ImportVerdict::Imported},
      {"cut in half", a.game.substr(0, a.game.size() / 2), none, ImportVerdict::Damaged},
      {"its last line gone", a.game.substr(0, a.game.rfind('\n', a.game.size() - 3) + 1), none, ImportVerdict::Damaged},
      {"a job beyond the ladder", Replaced(a.game, 8, "13\r\n"), none, ImportVerdict::Damaged},
      {"no such date", Replaced(a.game, 5, "31.02.2002\r\n"), none, ImportVerdict::Damaged},
      {"another format", Replaced(a.game, 1, "Brindlex Kalvitor ver. 1.06.2003 / Standard Game File Format\r\n"), none,
       ImportVerdict::NotASavedGame},
      {"empty", "", none, ImportVerdict::NotASavedGame},
      {"a picture", std::string("\x89PNG\r\n\x1a\n", 8) + std::string(100, '\0'), none, ImportVerdict::NotASavedGame},
      {"the journal for the game", a.journal, none, ImportVerdict::NotASavedGame},
      {"another game's journal", a.game, b.journal, ImportVerdict::JournalOfAnotherGame},
      {"a text for a journal", a.game, std::string("hello\n"), ImportVerdict::NotAJournal},
      {"a journal too big to load", a.game, hugeJournal, ImportVerdict::NotAJournal},
      {"the game for its journal", a.game, a.game, ImportVerdict::NotAJournal},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(CheckImport(c.game, c.journal), c.verdict);
  }
}

std::vector<std::string> Folder(Harness& h) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(h.dir / "Save")) names.push_back(Utf8FromPath(e.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

TEST(SavedGameImport, PutsTheGameBesideTheOthersAsASaveWould) {
  Harness from;
  from.Start();
  const Written a = WrittenGame(from, "a", 435);
  const Written b = WrittenGame(from, "b", 20);

  Harness h;
  h.Start();
  const std::string folder = Utf8FromPath(h.dir / "Save");
  h.WriteFile("Save/Старая.ksv", b.game);
  h.WriteFile("Save/Старая.kjl", b.journal);
  // Refused: nothing changes.
  EXPECT_EQ(ImportSavedGame(folder, "Старая.ksv", a.game.substr(0, 100), a.journal), ImportVerdict::Damaged);
  EXPECT_EQ(ImportSavedGame(folder, "Старая.ksv", a.game, b.journal), ImportVerdict::JournalOfAnotherGame);
  EXPECT_EQ(ImportSavedGame(folder, "../a.ksv", a.game, a.journal), ImportVerdict::NotWritten);
  EXPECT_EQ(Folder(h), (std::vector<std::string>{"Старая.kjl", "Старая.ksv"}));
  EXPECT_EQ(h.ReadFile("Save/Старая.ksv"), b.game);

  // A new one beside it, byte for byte, which loads with its journal.
  ASSERT_EQ(ImportSavedGame(folder, "Новая.ksv", a.game, a.journal), ImportVerdict::Imported);
  EXPECT_EQ(Folder(h), (std::vector<std::string>{"Новая.kjl", "Новая.ksv", "Старая.kjl", "Старая.ksv"}));
  EXPECT_EQ(h.ReadFile("Save/Новая.ksv"), a.game);
  EXPECT_EQ(h.ReadFile("Save/Новая.kjl"), a.journal);
  h.Lines();
  ASSERT_TRUE(h.Load("Новая"));
  EXPECT_EQ(h.s().Money, 435);
  EXPECT_TRUE(h.LinesStarting("MSGBOX").empty());
  EXPECT_TRUE(std::any_of(h.game.journal.Entries().begin(), h.game.journal.Entries().end(),
                          [](const JournalEntry& e) { return e.text == "Сохранение игры: a.ksv"; }));

  // The same name in other letters takes the old game's place; without a
  // journal of its own, the old game's journal goes with it.
  ASSERT_EQ(ImportSavedGame(folder, "СТАРАЯ.KSV", a.game, std::nullopt), ImportVerdict::Imported);
  EXPECT_EQ(Folder(h), (std::vector<std::string>{"Новая.kjl", "Новая.ksv", "Старая.ksv"}));
  EXPECT_EQ(h.ReadFile("Save/Старая.ksv"), a.game);
  h.Lines();
  ASSERT_TRUE(h.Load("Старая"));
  EXPECT_TRUE(h.LinesStarting("MSGBOX").empty());
  // Only what the load itself wrote.
  EXPECT_TRUE(std::none_of(h.game.journal.Entries().begin(), h.game.journal.Entries().end(),
                           [](const JournalEntry& e) { return e.text.rfind("Сохранение игры", 0) == 0; }));
}

}  // namespace
}  // namespace kalvitor::testing
