// A life played in English: every window it opens, every box, typed message
// and event, the menus and the journal's entries speak English. Only the
// language menu names Russian in Russian, as each language names itself.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "harness.h"
#include "util/tr.h"
#include "windows/places.h"
#include "windows/shell/frm_main.h"

namespace kalvitor::testing {
namespace {

// Cyrillic letters are U+0400..U+04FF: D0..D3 and a continuation byte in UTF-8.
bool HasCyrillic(const std::string& s) {
  for (size_t i = 0; i + 1 < s.size(); ++i) {
    const auto lead = static_cast<unsigned char>(s[i]), next = static_cast<unsigned char>(s[i + 1]);
    if (lead >= 0xD0 && lead <= 0xD3 && (next & 0xC0) == 0x80) return true;
  }
  return false;
}

void Check(std::set<std::string>& russian, const std::string& where, const std::string& text) {
  if (HasCyrillic(text)) russian.insert(where + ": " + text);
}

// What every window shows now, as designed and as it is.
void CheckWindows(Game& game, std::set<std::string>& russian) {
  for (Form* f : game.AllForms()) {
    Check(russian, f->Name(), f->TitleBarText());
    for (const Control& c : f->Controls()) {
      const std::string where = f->Name() + "." + c.FullName();
      // What the player typed is theirs (the cheat box, the name).
      if (c.kind != ControlKind::TextBox || c.props.locked) Check(russian, where, c.props.text);
      Check(russian, where, c.design.text);
      Check(russian, where, c.props.tip);
      for (const std::string& item : c.props.items) Check(russian, where, item);
    }
  }
  for (const Menu& m : game.MainForm().Menus()) {
    Check(russian, m.name, m.caption);
    for (const MenuItem& item : m.items)
      if (item.name != "mnuLanguage_ru") Check(russian, item.name, item.caption);
  }
}

// Clicks every button and clickable label of the windows shown, but the one
// that leaves, then leaves every window but the main one.
void ClickEverything(Harness& h, Form& place, std::set<std::string>& russian) {
  for (const Control& c : place.Controls()) {
    if (!place.Shown()) break;
    const bool clickable = c.kind == ControlKind::Button || c.kind == ControlKind::ClickLabel;
    if (!clickable || !c.props.visible || !c.props.enabled || &c == place.CancelButton()) continue;
    place.Click(c.name, c.index);
    CheckWindows(h.game, russian);
  }
  for (int guard = 0; guard < 10 && h.game.ActiveModal() != nullptr; ++guard) {
    Form& top = *h.game.ActiveModal();
    if (!top.Press(WindowKey::Esc)) top.CloseBox();
  }
}

TEST(Languages, AnEnglishLifeShowsNoRussian) {
  ASSERT_TRUE(SetLanguage("en"));
  std::set<std::string> russian;
  {
    Harness h;
    h.port.answerAll = true;
    h.port.virusFights.assign(1000, true);
    h.Start("Vasya", 1);
    for (int day = 0; day < 30; ++day) {
      // Rich and well, with a modem and a browser: every place opens and
      // every offer can be taken.
      GameState& s = h.s();
      s.Money = 1000000;
      s.Health = s.Satiety = s.Mood = 100;
      s.Hw[kHwModem] = std::max<int16_t>(s.Hw[kHwModem], 1);
      s.Soft[kSoftOs] = std::max<int16_t>(s.Soft[kSoftOs], 1);
      s.Soft[kSoftBrowser] = std::max<int16_t>(s.Soft[kSoftBrowser], 1);
      for (const Place& p : Places()) {
        if (p.window == nullptr) continue;
        h.game.MainForm().Visit(p);
        if (Form* f = h.game.FindForm(p.window); f != nullptr && f->Shown()) ClickEverything(h, *f, russian);
      }
      h.Ticks(48);
      for (const std::string& line : h.Lines()) Check(russian, "output", line);
    }
    CheckWindows(h.game, russian);
    for (const JournalEntry& e : h.game.journal.Entries()) Check(russian, "journal", e.text);
  }
  SetLanguage("ru");
  std::string lines;
  for (const std::string& r : russian) lines += r + "\n";
  EXPECT_TRUE(russian.empty()) << russian.size() << " Russian texts:\n" << lines;
}

}  // namespace
}  // namespace kalvitor::testing
