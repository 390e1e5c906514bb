// What the main window's labels say: each value of the game is composed into
// its label here, and only here, when the life says it changed; and the
// message line that types its text letter by letter.
#include "life/computer/hardware_catalogue.h"
#include "life/computer/software_catalogue.h"
#include "util/date.h"
#include "util/program_name.h"
#include "util/text.h"
#include "util/text_format.h"
#include "util/tr.h"
#include "windows/game.h"
#include "windows/shell/frm_main.h"

namespace kalvitor {
namespace {

std::string Percent(int v) { return std::to_string(v) + "%"; }

// A vital's label turns red below its mark.
void ShowVital(Control& label, int value, int redBelow) {
  label.SetText(Percent(value));
  label.SetColor(value < redBelow ? kRed : kLightCyan);
}

// The time line, "6 декабря 2026 / 07:30". The date changes once a game
// day, the time four times a second: the date's part is built when the date
// changes, and only the time is written at every tick (into the same string,
// so nothing is allocated).
const std::string& TimeLine(int32_t date, int minutesOfDay) {
  thread_local int32_t builtFor = 0;
  thread_local std::string line;
  thread_local size_t datePart = 0;
  // A change of language builds the date again, in the new one.
  thread_local std::string builtIn;
  const std::string& language = Language();
  if (datePart == 0 || builtFor != date || builtIn != language) {
    line = FormatLongDate(date);
    line += " / ";
    datePart = line.size();
    builtFor = date;
    builtIn = language;
  }
  line.resize(datePart);
  line += FormatHHMM(minutesOfDay);
  return line;
}

const char* DifficultyText(int16_t code) {
  return code == 2 ? Tr("Сложность: Лёгкая") : code == 1 ? Tr("Сложность: Нормальная") : Tr("Сложность: Сложная");
}

// Only the menu's three speeds have a name; another keeps the label as it was.
const char* SpeedText(int16_t minutes) {
  return minutes == 15   ? Tr("Скорость игры: Медленная")
         : minutes == 30 ? Tr("Скорость игры: Нормальная")
         : minutes == 60 ? Tr("Скорость игры: Быстрая")
                         : nullptr;
}

std::string FamilyText(const GameState& s) {
  const char* prefix = s.Married == kTrue ? "YES:" : s.WasMarried == kTrue ? "LEFT:" : "NO:";
  return prefix + std::to_string(s.Daughters) + ":" + std::to_string(s.Sons);
}

}  // namespace

void FrmMain::Refresh(Fact what, int slot) {
  const GameState& s = game_.s;
  switch (what) {
    case Fact::Money:
      return lblMoney.SetText("$" + std::to_string(s.Money));
    case Fact::Mood:
      return ShowVital(lblHappy, s.Mood, -75);
    case Fact::Satiety:
      return ShowVital(lblEat, s.Satiety, -10);
    case Fact::Health:
      return ShowVital(lblHealth, s.Health, -30);
    case Fact::Education:
      return lblEducation.SetText(Percent(s.Education));
    case Fact::Status:
      return lblStatus.SetText(Tr(Life::StatusName(s.StatusRank)));
    case Fact::Family:
      return lblfamily.SetText(FamilyText(s));
    case Fact::Job:
      return lblCurrWork.SetText(FormatText(Tr("Работа: %s ($%s/день)"), {Tr(s.JobTitle), std::to_string(s.Wage)}));
    case Fact::Difficulty:
      return lblGameLevel.SetText(DifficultyText(s.DifficultyCode));
    case Fact::Speed:
      if (const char* text = SpeedText(s.TickMinutes)) lblGameSpeed.SetText(text);
      return;
    case Fact::DownloadedMb:
      return lblOther.SetText(FormatText(Tr("%s Мб"), {std::to_string(s.DownloadedMb)}));
    case Fact::Time:
      return lblTime.SetText(TimeLine(s.GameDate, s.GameTime));
    case Fact::PlayerName:
      return SetCaption(std::string(kProgramTitle) + " -- " + s.PlayerName);
    case Fact::SoundSwitches:
      return RefreshSoundMarks();
    case Fact::Hardware:
      return lblhard[static_cast<size_t>(slot)]->SetText(GetHardwareName(slot, s.Hw[static_cast<size_t>(slot)]));
    case Fact::Software:
      return SoftwareLabel(slot).SetText(GetSoftwareName(slot, s.Soft[static_cast<size_t>(slot)]));
    case Fact::BankBalances:
      return;  // the bank's own window shows them
  }
}

void FrmMain::TypeMessage(const std::string& text) {
  FrontendPort& port = game_.port;
  lblMessage.SetText("");
  port.OnMessageTyping(text);
  game_.PlaySfx("MESSAGES");
  const size_t length = Utf8Length(text);
  // The bytes of the letters typed so far (the same as Utf8Prefix, without
  // counting from the start at every letter).
  size_t typed = 0;
  auto overContinuation = [&] {
    while (typed < text.size() && (static_cast<unsigned char>(text[typed]) & 0xC0) == 0x80) ++typed;
  };
  size_t shown = 0;
  port.Repeat(100, [&] {
    if (++shown > length) return false;
    overContinuation();
    if (typed < text.size()) ++typed;
    overContinuation();
    lblMessage.SetText(text.substr(0, typed));
    return true;
  });
  port.OnMessageTyped(text);
  port.WaitUntil(port.MonotonicMs() + 2000);
  lblMessage.SetText("");
}

}  // namespace kalvitor
