// The game in another language: what it shows changes, what it saves does not,
// and the journal keeps each entry in the language it was written in.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "harness.h"
#include "life/computer/hardware_catalogue.h"
#include "util/tr.h"
#include "windows/shell/frm_main.h"

namespace kalvitor::testing {
namespace {

namespace fs = std::filesystem;

// The language for one test; Russian again after it.
struct SpeakingIn {
  explicit SpeakingIn(const char* code) { EXPECT_TRUE(SetLanguage(code)); }
  ~SpeakingIn() { SetLanguage("ru"); }
};

std::vector<std::string> JournalTexts(const Game& game) {
  std::vector<std::string> texts;
  for (const JournalEntry& e : game.journal.Entries()) texts.push_back(e.text);
  return texts;
}

struct Played {
  std::string saved;    // the .ksv file's bytes
  std::string jobLine;  // the main window's job line
};

// The same life in a language: a programmer's job, then saved as "life".
Played PlayAndSave(const fs::path& folder, const char* code) {
  SpeakingIn language(code);
  Harness h{Harness::InFolder{folder}};
  h.Start();
  h.game.SetJob(8);
  EXPECT_TRUE(h.Save("life"));
  return {h.ReadFile("Save/life.ksv"), h.Label("lblCurrWork")};
}

TEST(Languages, AGameSavedInEnglishLoadsInRussianWithTheSameState) {
  const fs::path english = FreshDir(), russian = FreshDir();
  const Played en = PlayAndSave(english, "en");
  const Played ru = PlayAndSave(russian, "ru");
  EXPECT_EQ(en.jobLine, "Job: Programmer ($150/day)");
  EXPECT_EQ(ru.jobLine, "Работа: Программист ($150/день)");
  // The saved game is the same file in either language: the job's Russian title.
  EXPECT_EQ(en.saved, ru.saved);
  EXPECT_NE(en.saved.find("\xCF\xF0\xEE\xE3\xF0\xE0\xEC\xEC\xE8\xF1\xF2"), std::string::npos);  // cp1251

  // Loaded in Russian: the same state, shown in Russian; the entries written
  // in English stay English, and what the load writes is Russian.
  Harness h{Harness::InFolder{english}};
  h.Start();
  ASSERT_TRUE(h.Load("life"));
  EXPECT_EQ(h.s().JobIndex, 8);
  EXPECT_EQ(h.s().Wage, 150);
  EXPECT_EQ(h.s().JobTitle, "Программист");
  EXPECT_EQ(h.Label("lblCurrWork"), "Работа: Программист ($150/день)");
  const std::vector<std::string> texts = JournalTexts(h.game);
  const std::vector<std::string> expected = {"New game: Вася, normal difficulty, $450",
                                             "New job: Programmer ($150/day)", "Game saved: life.ksv",
                                             "Загрузка игры: life.ksv", "Загрузка игры: $450"};
  EXPECT_EQ(texts, expected);
  fs::remove_all(english);
  fs::remove_all(russian);
}

// A label built once a day (the date) follows a change of language at once.
TEST(Languages, TheDateFollowsAChangeOfLanguage) {
  Harness h;
  h.Start();
  auto date = [&h] {
    h.Ticks(1);
    const std::string line = h.Label("lblTime");
    return line.substr(0, line.find(" / "));
  };
  EXPECT_EQ(date(), "6 декабря 2026");
  {
    SpeakingIn language("en");
    EXPECT_EQ(date(), "December 6, 2026");
  }
  EXPECT_EQ(date(), "6 декабря 2026");
}

// "Звук" names a computer's slot and the main window's sound menu. In English
// they differ, the slots' names being read in their own context: the slot is
// a sound card, the menu "Sound", still found by its Russian caption.
TEST(Languages, TheHardwareSlotsHaveTheirOwnNames) {
  const struct {
    int slot;
    const char* russian;
    const char* english;
  } rows[] = {
      {0, "Процессор", "Processor"}, {1, "ОЗУ", "Memory"},      {3, "Винчестер", "Hard disk"},
      {4, "CD-ROM", "CD-ROM"},       {6, "Звук", "Sound card"}, {8, "Принтер", "Printer"},
  };
  for (const auto& r : rows) EXPECT_EQ(GetHardwareSlotName(r.slot), r.russian);
  SpeakingIn language("en");
  for (const auto& r : rows) EXPECT_EQ(GetHardwareSlotName(r.slot), r.english) << r.russian;
  Harness h;
  h.Start();
  const Menu* sound = h.game.MainForm().FindMenu("Звук");
  ASSERT_NE(sound, nullptr);
  EXPECT_EQ(sound->caption, "Sound");
}

}  // namespace
}  // namespace kalvitor::testing
