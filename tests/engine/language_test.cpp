// The game in another language: what it shows changes, what it saves does not,
// and the journal keeps each entry in the language it was written in.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "harness.h"
#include "life/computer/hardware_catalogue.h"
#include "util/date.h"
#include "util/text.h"
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
  // The journal's dates in figures, as each language writes them; saved
  // files keep theirs.
  const int32_t serial = SerialFromCivil(2026, 12, 6);
  EXPECT_EQ(FormatShownDate(serial), "06.12.2026");
  {
    SpeakingIn language("en");
    EXPECT_EQ(date(), "December 6, 2026");
    EXPECT_EQ(FormatShownDate(serial), "12/06/2026");
    EXPECT_EQ(FormatShortDate(serial), "06.12.2026");
  }
  EXPECT_EQ(date(), "6 декабря 2026");
}

// Everything a window shows that the player did not type: its title, its
// controls' texts, tips and list entries, and the menus.
std::vector<std::string> Shown(Game& game) {
  std::vector<std::string> texts;
  for (Form* f : game.AllForms()) {
    texts.push_back(f->Name() + ": " + f->TitleBarText());
    for (const Control& c : f->Controls()) {
      std::string line = c.FullName() + " " + c.props.text + " | " + c.design.text + " | " + c.props.tip;
      for (const std::string& item : c.props.items) line += " | " + item;
      texts.push_back(f->Name() + "." + line);
    }
  }
  for (const Menu& m : game.MainForm().Menus()) {
    texts.push_back(m.caption);
    for (const MenuItem& item : m.items) texts.push_back(m.caption + "/" + item.caption + (item.checked ? " *" : ""));
  }
  return texts;
}

void Choose(Harness& h, const std::string& itemName) {
  MenuItem* item = h.game.MainForm().FindItemByName(itemName);
  ASSERT_NE(item, nullptr) << itemName;
  item->action();
}

// A game with the shop visited and left and the bank open on a deposit, its
// clock run for a tick.
void Visit(Harness& h) {
  h.Start();
  h.game.MainForm().Click("cmdShop", -1);
  ASSERT_TRUE(h.game.FindForm("frmShop")->Press(WindowKey::Esc));
  h.s().BankDeposit = 100;
  h.game.MainForm().Click("cmdBank", -1);
  ASSERT_TRUE(h.game.FindForm("frmBank")->Shown());
  h.Ticks(1);
}

// That game started in a language.
std::vector<std::string> Fresh(const char* code) {
  SpeakingIn language(code);
  Harness h;
  Visit(h);
  return Shown(h.game);
}

// The lines of `got` that `want` does not have, for a readable failure.
std::vector<std::string> Unlike(const std::vector<std::string>& got, const std::vector<std::string>& want) {
  std::vector<std::string> lines;
  for (size_t i = 0; i < got.size(); ++i)
    if (i >= want.size() || got[i] != want[i]) lines.push_back(got[i] + "  <>  " + (i < want.size() ? want[i] : ""));
  return lines;
}

// The language menu changes every window at once, as if the game had
// been started in the new language, and back; the choice is kept for the
// next start.
TEST(Languages, TheMenuChangesEveryWindowAtOnceAndIsKept) {
  const std::vector<std::string> english = Fresh("en"), russian = Fresh("ru");
  ASSERT_NE(english, russian);
  Harness h;
  Visit(h);
  const MenuItem* ru = h.game.MainForm().FindItemByName("mnuLanguage_ru");
  ASSERT_NE(ru, nullptr);
  EXPECT_EQ(ru->caption, "Русский");
  EXPECT_TRUE(ru->checked);
  Choose(h, "mnuLanguage_en");
  EXPECT_EQ(Language(), "en");
  EXPECT_EQ(h.port.settings["Language"], "en");
  EXPECT_EQ(h.port.languageChanges, 1);
  EXPECT_EQ(Unlike(Shown(h.game), english), std::vector<std::string>{});
  EXPECT_EQ(h.game.MainForm().FindItemByName("mnuLanguage_en")->caption, "English");
  Choose(h, "mnuLanguage_ru");
  EXPECT_EQ(Unlike(Shown(h.game), russian), std::vector<std::string>{});
  EXPECT_EQ(h.port.settings["Language"], "ru");

  // The next start speaks the language chosen; one the game no longer has
  // leaves it as it was.
  Harness next;
  next.port.settings["Language"] = "en";
  next.game.SpeakChosenLanguage();
  EXPECT_EQ(Language(), "en");
  Visit(next);
  EXPECT_EQ(Unlike(Shown(next.game), english), std::vector<std::string>{});
  SetLanguage("ru");
  Harness gone;
  gone.port.settings["Language"] = "xx";
  gone.game.SpeakChosenLanguage();
  EXPECT_EQ(Language(), "ru");
  EXPECT_EQ(gone.port.languageChanges, 0);
}

// The texts that are files (jokes, readme, licence, tips) are each
// language's own where the game has them, and Russian where it does not.
TEST(Languages, TheGamesTextFilesAreTheLanguagesOwnOrRussian) {
  Harness h;
  h.Start();
  h.WriteFile("anecdot.dat", "**ANECDOT DATA FILE**\r\n\xD0\xE0\xE7\r\n");
  auto shown = [&h](const char* name) {
    h.Lines();
    h.game.ShowTextFile(name);
    const std::vector<std::string> lines = h.LinesStarting("TEXTFILE");
    return lines.empty() ? std::string() : lines.back();
  };
  auto path = [&h](const char* name) {
    return "TEXTFILE \"" + ReplaceAll((h.dir / name).string(), "\\", "\\\\") + "\"";
  };
  {
    SpeakingIn language("en");
    // Nothing of its own yet: the Russian ones.
    EXPECT_EQ(h.game.GetRandomAnecdote(), "Раз");
    EXPECT_EQ(shown("readme.txt"), path("readme.txt"));
    h.WriteFile("anecdot.en.dat", "**ANECDOT DATA FILE**\r\nOne<CRLF>two\r\n");
    h.WriteFile("readme.en.txt", "Read me");
    EXPECT_EQ(h.game.GetRandomAnecdote(), "One\r\ntwo");
    EXPECT_EQ(shown("readme.txt"), path("readme.en.txt"));
    // Another language's file is not this one's.
    h.WriteFile("license.de.txt", "Lizenz");
    EXPECT_EQ(shown("license.txt"), path("license.txt"));
  }
  EXPECT_EQ(h.game.GetRandomAnecdote(), "Раз");
  EXPECT_EQ(shown("readme.txt"), path("readme.txt"));
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
