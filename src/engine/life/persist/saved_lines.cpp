#include "life/persist/saved_lines.h"

#include <fstream>
#include <functional>
#include <limits>
#include <vector>

#include "life/computer/hardware_catalogue.h"
#include "life/computer/software_catalogue.h"
#include "life/life.h"
#include "util/cp1251.h"
#include "util/date.h"
#include "util/decimal.h"
#include "util/paths.h"

namespace kalvitor {

const char* const kSavedGameFormatLine = "Brindlex Kalvitor ver. 1.06.2002 / Standard Game File Format";

namespace {

// No value of a saved game is anywhere near this long; a longer line is
// damage, and its value is not taken.
constexpr size_t kMaxLine = 4096;

// --- Reading values: a value that does not convert is nullopt.

// A whole number in plain decimal, blanks around it and a sign allowed,
// within [lo, hi].
std::optional<int64_t> WholeIn(const std::string& text, int64_t lo, int64_t hi) {
  DecimalRule rule;
  rule.blanksAround = rule.plus = true;
  rule.lo = lo;
  rule.hi = hi;
  return ParseDecimal(text, rule);
}

// Any whole number of up to fifteen digits but 0 is true.
std::optional<int16_t> Flag(const std::string& text) {
  constexpr int64_t kFifteenDigits = 999'999'999'999'999;
  auto v = WholeIn(text, -kFifteenDigits, kFifteenDigits);
  if (!v) return std::nullopt;
  return *v != 0 ? kTrue : kFalse;
}

// A text value stays on its own line.
std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  return text;
}

std::string FlagText(int16_t flag) { return flag != 0 ? "-1" : "0"; }

// --- The table.

// What a load gathers on its way through the lines.
struct Loading {
  Life* life;  // none while a file is only checked: nothing is put into a game
  GameState& state;
  bool whole = true;
  std::array<bool, kHardwareSlots> hwTaken{};
  std::array<bool, kSoftwareSlots> softTaken{};
  // A saved program whose requirements fail is refused, and its slot keeps
  // what it held before the load, as its label does.
  std::array<int16_t, kSoftwareSlots> softBefore{};
};

struct SavedLine {
  // The line's value as text (before the code page).
  std::function<std::string(const GameState&)> write;
  // Takes the line's text into the game; false when it does not convert.
  std::function<bool(Loading&, const std::string&)> take;
  // What loading does next, whether this line was taken or not.
  void (*then)(Loading&) = nullptr;
};

template <typename T>
std::function<std::string(const GameState&)> Writes(T GameState::*m) {
  return [m](const GameState& s) { return std::to_string(s.*m); };
}

// A 32-bit number; `apply` puts it into the game when it is more than a store.
SavedLine Number32(int32_t GameState::*m, void (*apply)(Loading&, int32_t) = nullptr) {
  return {Writes(m), [m, apply](Loading& l, const std::string& t) {
            const auto v = WholeIn(t, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
            if (!v) return false;
            if (apply && l.life)
              apply(l, static_cast<int32_t>(*v));
            else
              l.state.*m = static_cast<int32_t>(*v);
            return true;
          }};
}

SavedLine Number16(int16_t GameState::*m, void (*apply)(Loading&, int16_t) = nullptr,
                   int64_t lo = std::numeric_limits<int16_t>::min(), int64_t hi = std::numeric_limits<int16_t>::max()) {
  return {Writes(m), [m, apply, lo, hi](Loading& l, const std::string& t) {
            const auto v = WholeIn(t, lo, hi);
            if (!v) return false;
            if (apply && l.life)
              apply(l, static_cast<int16_t>(*v));
            else
              l.state.*m = static_cast<int16_t>(*v);
            return true;
          }};
}

SavedLine FlagLine(int16_t GameState::*m) {
  return {[m](const GameState& s) { return FlagText(s.*m); },
          [m](Loading& l, const std::string& t) {
            const auto v = Flag(t);
            if (v) l.state.*m = *v;
            return v.has_value();
          }};
}

SavedLine TextLine(std::string GameState::*m, void (*then)(Loading&) = nullptr) {
  return {[m](const GameState& s) { return OneLine(s.*m); },
          [m](Loading& l, const std::string& t) {
            l.state.*m = Cp1251ToUtf8(t);
            return true;
          },
          then};
}

// A slot's model: hardware before software, each within its catalogue. The
// slots are put into the computer once all of them are read.
SavedLine Slot(bool hardware, int slot) {
  const size_t i = static_cast<size_t>(slot);
  return {[hardware, i](const GameState& s) { return std::to_string(hardware ? s.Hw[i] : s.Soft[i]); },
          [hardware, slot, i](Loading& l, const std::string& t) {
            const auto v = WholeIn(t, 0, hardware ? HardwareTopModel(slot) : SoftwareTopModel(slot));
            bool& taken = hardware ? l.hwTaken[i] : l.softTaken[i];
            int16_t& model = hardware ? l.state.Hw[i] : l.state.Soft[i];
            taken = v.has_value();
            if (v) model = static_cast<int16_t>(*v);
            return taken;
          }};
}

SavedLine TimeLine() {
  return {[](const GameState& s) { return FormatHMMSS(s.GameTime); },
          [](Loading& l, const std::string& t) {
            const auto v = ParseTimeOfDay(t);
            if (v) l.state.GameTime = *v;
            return v.has_value();
          }};
}

SavedLine DateLine() {
  return {[](const GameState& s) { return FormatShortDate(s.GameDate); },
          [](Loading& l, const std::string& t) {
            const auto v = ParseShortDate(t);
            if (v) l.state.GameDate = *v;
            return v.has_value();
          }};
}

// The steps between lines.

void ShowName(Loading& l) { l.life->View().Changed(Fact::PlayerName); }

// Hardware before software and the operating system first, so that the
// requirements see the saved computer.
void SetUpComputer(Loading& l) {
  const Guard game = l.life->ThisGame();
  GameState& s = l.state;
  for (int16_t slot = 0; slot < kHardwareSlots; ++slot)
    if (l.hwTaken[static_cast<size_t>(slot)]) l.life->BuyHardware(slot, s.Hw[static_cast<size_t>(slot)], kFalse);
  for (int16_t slot = 0; slot < kSoftwareSlots; ++slot) {
    const size_t i = static_cast<size_t>(slot);
    if (!l.softTaken[i]) continue;
    const bool installed = l.life->InstallSoftware(slot, s.Soft[i]);
    if (game.Over()) return;  // a refusal's message box lets the clock run
    if (!installed) s.Soft[i] = l.softBefore[i];
  }
}

// The family as loaded; the job table sets the wage and the title again:
// lines 7 and 9 do not survive loading.
void ShowFamilyAndJob(Loading& l) {
  l.life->RefreshFamilyLabel();
  l.life->SetJob(l.life->s.JobIndex);
}

const std::vector<SavedLine> kSavedLineTable = {
    {[](const GameState&) { return std::string(kSavedGameFormatLine); }, nullptr},
    Number32(&GameState::Money,
             [](Loading& l, int32_t v) {
               l.state.Money = v;
               l.life->SetMoney(v, MoneyCause::Load);
             }),
    Number16(&GameState::Mood,
             [](Loading& l, int16_t v) {
               l.state.Mood = v;
               l.life->SetMood(v);
             }),
    TimeLine(),
    DateLine(),
    TextLine(&GameState::PlayerName, ShowName),
    Number16(&GameState::Wage),
    Number16(&GameState::JobIndex, nullptr, 0, 12),
    TextLine(&GameState::JobTitle),
    Slot(true, kHwCpu),
    Slot(true, kHwMemory),
    Slot(true, kHwVideo),
    Slot(true, kHwDisk),
    Slot(true, kHwCdRom),
    Slot(true, kHwModem),
    Slot(true, kHwSound),
    Slot(true, kHwScanner),
    Slot(true, kHwPrinter),
    Slot(false, kSoftOs),
    Slot(false, kSoftAntivirus),
    Slot(false, kSoftProgramming),
    Slot(false, kSoftGraphics),
    Slot(false, kSoftBrowser),
    Slot(false, kSoftGames),
    Number16(&GameState::Health, [](Loading& l, int16_t v) { l.life->SetHealth(v); }),
    Number16(&GameState::Satiety, [](Loading& l, int16_t v) { l.life->SetSatiety(v); }),
    FlagLine(&GameState::AttendsCourses),
    FlagLine(&GameState::AttendsSchool),
    Number16(
        &GameState::StatusRank, [](Loading& l, int16_t v) { l.life->SetStatus(v); }, 1, 8),
    [] {
      SavedLine education = Number16(&GameState::Education, [](Loading& l, int16_t v) { l.life->SetEducation(v); });
      education.then = SetUpComputer;
      return education;
    }(),
    FlagLine(&GameState::Married),
    FlagLine(&GameState::WasMarried),
    Number16(&GameState::Daughters),
    Number16(&GameState::Alimony),
    [] {
      SavedLine sons = Number16(&GameState::Sons);
      sons.then = ShowFamilyAndJob;
      return sons;
    }(),
    Number32(&GameState::BankDeposit),
    Number32(&GameState::BankLoan),
};

}  // namespace

std::string SavedGameText(const GameState& s) {
  std::string text;
  for (const SavedLine& line : kSavedLineTable) text += Utf8ToCp1251(line.write(s)) + "\r\n";
  return text;
}

namespace {

// Splits bytes into the first 37 lines as they come, a piece at a time.
class LineSplitter {
 public:
  explicit LineSplitter(SavedLines& lines) : lines_(lines) {}
  bool Wanted() const { return n_ <= kSavedGameLines; }
  void Feed(const char* bytes, size_t count) {
    for (size_t i = 0; i < count && Wanted(); ++i) {
      if (bytes[i] == '\n') {
        Finish();
        continue;
      }
      open_ = true;
      std::string& t = lines_.text[static_cast<size_t>(n_)];
      if (t.size() <= kMaxLine) {
        t += bytes[i];
      } else {
        tooLong_ = true;
      }
    }
  }
  // The last line, when the bytes end without a line break.
  void End() {
    if (open_ && Wanted()) Finish();
  }

 private:
  void Finish() {
    std::string& t = lines_.text[static_cast<size_t>(n_)];
    if (!t.empty() && t.back() == '\r') t.pop_back();
    lines_.usable[static_cast<size_t>(n_)] = !tooLong_;
    if (tooLong_) t.clear();
    ++n_;
    open_ = tooLong_ = false;
  }
  SavedLines& lines_;
  int n_ = 1;
  bool open_ = false, tooLong_ = false;
};

}  // namespace

SavedLines ReadSavedLines(const std::string& path) {
  SavedLines lines;
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  if (!in) return lines;
  LineSplitter split(lines);
  char buf[1 << 14];
  while (split.Wanted() && (in.read(buf, sizeof buf) || in.gcount() > 0))
    split.Feed(buf, static_cast<size_t>(in.gcount()));
  split.End();
  return lines;
}

SavedLines SavedLinesOf(const std::string& bytes) {
  SavedLines lines;
  LineSplitter split(lines);
  split.Feed(bytes.data(), bytes.size());
  split.End();
  return lines;
}

SavedFileKind CheckSavedLines(const SavedLines& lines) {
  if (!lines.usable[1] || lines.text[1] != kSavedGameFormatLine) return SavedFileKind::NotASavedGame;
  GameState scratch;
  Loading checking{nullptr, scratch};
  for (size_t n = 2; n <= kSavedGameLines; ++n) {
    const std::optional<std::string> text = lines.Text(static_cast<int>(n));
    if (!text || !kSavedLineTable[n - 1].take(checking, *text)) return SavedFileKind::Damaged;
  }
  return SavedFileKind::Whole;
}

bool TakeSavedLines(Life& life, GameState& state, const SavedLines& lines) {
  const Guard game = life.ThisGame();
  Loading loading{&life, state};
  loading.softBefore = life.s.Soft;
  for (size_t n = 2; n <= kSavedGameLines; ++n) {
    const SavedLine& row = kSavedLineTable[n - 1];
    const std::optional<std::string> text = lines.Text(static_cast<int>(n));
    if (!text || !row.take(loading, *text)) loading.whole = false;
    if (game.Over()) return false;
    if (row.then) row.then(loading);
    if (game.Over()) return false;
  }
  return loading.whole;
}

}  // namespace kalvitor
