// Saved games: 37 lines of text in the Windows Cyrillic code page with CR LF
// line ends, in the Save folder beside the program, and the game's journal
// in a file of its own beside it. Saving writes both files whole next to the
// old ones and then puts them in their places, so a save that fails half way
// never spoils an older game. Loading puts every value back through
// the same setters the game uses, in a fixed order, and takes from a damaged
// file only the values that make sense.
#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <vector>

#include "computer/hardware_catalogue.h"
#include "computer/software_catalogue.h"
#include "game.h"
#include "persist/frm_save_load.h"
#include "persist/journal_file.h"
#include "persist/save_file.h"
#include "shell/frm_main.h"
#include "util/cp1251.h"
#include "util/date.h"
#include "util/paths.h"
#include "util/replacing_file.h"
#include "util/text.h"

namespace kalvitor {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFormatLine = "Brindlex Kalvitor ver. 1.06.2002 / Standard Game File Format";
constexpr int kLines = 37;
// No value of a saved game is anywhere near this long; a longer line is
// damage, and its value is not taken.
constexpr size_t kMaxLine = 4096;

// The file's first 37 lines; extra lines are not part of the format and are
// ignored. A line the file does not have, or one that is far too long, holds
// no value.
struct SavedLines {
  std::array<std::string, kLines + 1> text;  // numbered from 1
  std::array<bool, kLines + 1> usable{};

  std::optional<std::string> Text(int n) const {
    if (!usable[static_cast<size_t>(n)]) return std::nullopt;
    return text[static_cast<size_t>(n)];
  }
};

SavedLines ReadSavedLines(const std::string& path) {
  SavedLines lines;
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  if (!in) return lines;
  int n = 1;
  bool open = false, tooLong = false;
  auto finish = [&] {
    std::string& t = lines.text[static_cast<size_t>(n)];
    if (!t.empty() && t.back() == '\r') t.pop_back();
    lines.usable[static_cast<size_t>(n)] = !tooLong;
    if (tooLong) t.clear();
    ++n;
    open = tooLong = false;
  };
  char buf[1 << 14];
  while (n <= kLines && (in.read(buf, sizeof buf) || in.gcount() > 0)) {
    const std::streamsize got = in.gcount();
    for (std::streamsize i = 0; i < got && n <= kLines; ++i) {
      const char c = buf[i];
      if (c == '\n') {
        finish();
        continue;
      }
      open = true;
      std::string& t = lines.text[static_cast<size_t>(n)];
      if (t.size() <= kMaxLine) {
        t += c;
      } else {
        tooLong = true;
      }
    }
  }
  if (open && n <= kLines) finish();
  return lines;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A whole number in plain decimal, blanks around it allowed, within [lo, hi].
std::optional<int64_t> WholeIn(const std::optional<std::string>& line, int64_t lo, int64_t hi) {
  if (!line) return std::nullopt;
  const std::string& t = *line;
  size_t b = 0, e = t.size();
  while (b < e && IsBlank(t[b])) ++b;
  while (e > b && IsBlank(t[e - 1])) --e;
  bool negative = false;
  if (b < e && (t[b] == '-' || t[b] == '+')) negative = t[b++] == '-';
  if (b == e) return std::nullopt;
  int64_t v = 0;
  for (size_t i = b; i < e; ++i) {
    if (t[i] < '0' || t[i] > '9') return std::nullopt;
    if (v > 100'000'000'000'000LL) return std::nullopt;  // far beyond every range here
    v = v * 10 + (t[i] - '0');
  }
  if (negative) v = -v;
  if (v < lo || v > hi) return std::nullopt;
  return v;
}

std::optional<int32_t> Whole32(const std::optional<std::string>& line) {
  auto v = WholeIn(line, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
  if (!v) return std::nullopt;
  return static_cast<int32_t>(*v);
}

std::optional<int16_t> Whole16(const std::optional<std::string>& line, int64_t lo = std::numeric_limits<int16_t>::min(),
                               int64_t hi = std::numeric_limits<int16_t>::max()) {
  auto v = WholeIn(line, lo, hi);
  if (!v) return std::nullopt;
  return static_cast<int16_t>(*v);
}

// Any whole number but 0 is true.
std::optional<int16_t> Flag(const std::optional<std::string>& line) {
  auto v = WholeIn(line, std::numeric_limits<int64_t>::min() + 1, std::numeric_limits<int64_t>::max());
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

// The name as the file is really called: the game's home ignores letter case
// in file names, so "first.ksv" finds and replaces "First.ksv".
std::string RealName(const std::string& folder, const std::string& name) {
  std::error_code ec;
  if (fs::exists(PathFromUtf8(folder) / PathFromUtf8(name), ec)) return name;
  std::vector<std::string> same;
  fs::directory_iterator it(PathFromUtf8(folder), ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    std::string entry = Utf8FromPath(it->path().filename());
    if (EqualsIgnoreCase(entry, name)) same.push_back(entry);
  }
  if (same.empty()) return name;
  std::sort(same.begin(), same.end());
  return same.front();
}

}  // namespace

bool Game::SaveGame() {
  RefreshFamilyLabel();
  const uint64_t serial = gameSerial_;
  const std::string name = AskSaveLoadFileName(2);
  // Cancelled, or the game ended while the dialog was open: nothing to say.
  if (name.empty() || gameSerial_ != serial) return true;

  std::string text;
  auto line = [&text](const std::string& utf8) { text += Utf8ToCp1251(utf8) + "\r\n"; };
  line(kFormatLine);
  line(std::to_string(s.Money));
  line(std::to_string(s.Mood));
  line(FormatHMMSS(s.GameTime));
  line(FormatShortDate(s.GameDate));
  line(OneLine(s.PlayerName));
  line(std::to_string(s.Wage));
  line(std::to_string(s.JobIndex));
  line(OneLine(s.JobTitle));
  for (int16_t model : s.Hw) line(std::to_string(model));
  for (int16_t model : s.Soft) line(std::to_string(model));
  line(std::to_string(s.Health));
  line(std::to_string(s.Satiety));
  line(FlagText(s.AttendsCourses));
  line(FlagText(s.AttendsSchool));
  line(std::to_string(s.StatusRank));
  line(std::to_string(s.Education));
  line(FlagText(s.Married));
  line(FlagText(s.WasMarried));
  line(std::to_string(s.Daughters));
  line(std::to_string(s.Alimony));
  line(std::to_string(s.Sons));
  line(std::to_string(s.BankDeposit));
  line(std::to_string(s.BankLoan));

  const std::string folder = PlayerPath("Save");
  const std::string path = AddBackslash(folder) + name;
  RemoveSaveLeftovers(folder);
  if (IsPlainFileName(name)) {
    const std::string real = RealName(folder, name);
    const std::string journalName = RealName(folder, JournalFileName(real));
    Note(JournalKind::Game, "Сохранение игры: " + real);
    ReplacingFile saved, journalFile;
    if (saved.Prepare(folder, real, text)) {
      const bool journalReady = journalFile.Prepare(folder, journalName, JournalFileText(journal, text));
      if (saved.Commit()) {
        if (saveBetweenFiles) saveBetweenFiles();
        if (journalReady && journalFile.Commit()) return true;
        // The game is saved without its journal. The older journal there
        // belonged to the game just replaced; one from before journals
        // named their game would pass for this one's, so it goes.
        std::error_code ec;
        std::filesystem::remove(PathFromUtf8(AddBackslash(folder) + journalName), ec);
        MsgBox("Игра сохранена, но её журнал событий потерян: записать файл '" + AddBackslash(folder) + journalName +
                   "' не удалось. Эта игра загрузится с пустым журналом.",
               "Сохранение игры", MsgIcon::Critical);
        return true;
      }
    }
  }
  MsgBox("Не удалось сохранить игру в файл '" + path + "'.", "Сохранение игры", MsgIcon::Critical);
  return false;
}

bool Game::LoadGame() {
  const uint64_t asked = gameSerial_;
  const std::string name = AskSaveLoadFileName(1);
  if (name.empty() || gameSerial_ != asked) return false;

  const std::string folder = PlayerPath("Save");
  const std::string path = AddBackslash(folder) + name;
  RefreshFamilyLabel();
  const std::string real = IsPlainFileName(name) ? RealName(folder, name) : std::string();
  const std::string realPath = AddBackslash(folder) + real;
  if (real.empty() || !FileExists(realPath)) {
    MsgBox("Файл '" + path + "' не найден!", "Ошибка", MsgIcon::Critical);
    return false;
  }

  const SavedLines f = ReadSavedLines(realPath);
  if (!f.usable[1] || f.text[1] != kFormatLine) {
    MsgBox("Некорректная версия", "Загрузка игры", MsgIcon::Critical);
    return false;
  }

  // From here on the state is the loaded game's. A value that does not
  // convert is not taken (the variable keeps what it held, its setter is
  // left out) and loading goes on; a death on the way ends the load at once.
  NoteGameBegun();
  const uint64_t serial = gameSerial_;
  // A saved program whose requirements fail is refused, and its slot keeps
  // what it held before the load, as its label does.
  const std::array<int16_t, kSoftwareSlots> softBefore = s.Soft;
  const bool ownJournal = LoadJournalBeside(folder, real);
  // What the load writes down is dated by the saved game's clock.
  std::optional<StampNotes> stamp;
  {
    const std::optional<std::string> t = f.Text(4), d = f.Text(5);
    const std::optional<int> minutes = t ? ParseTimeOfDay(*t) : std::nullopt;
    const std::optional<int32_t> date = d ? ParseShortDate(*d) : std::nullopt;
    if (date) stamp.emplace(*this, *date, minutes.value_or(0));
  }
  Note(JournalKind::Game, "Загрузка игры: " + real);
  QuietSetUp quiet(*this);
  // A game loaded before any game of this run has started would find the
  // clock without a speed and stand still: it gets the normal speed that a
  // new game gets. Later loads keep the speed the player chose.
  if (s.TickMinutes == 0) {
    SetSpeed(30);
    SetDownloadedMb(s.DownloadedMb);
  }
  auto over = [&] { return gameSerial_ != serial; };
  bool ok = true;
  auto take = [&ok](const auto& value) {
    if (!value) ok = false;
    return static_cast<bool>(value);
  };

  if (auto v = Whole32(f.Text(2)); take(v)) {
    s.Money = *v;
    SetMoney(*v, MoneyCause::Load);
  }
  if (auto v = Whole16(f.Text(3)); take(v)) {
    s.Mood = *v;
    SetMood(*v);
    if (over()) return false;
  }
  std::optional<std::string> timeLine = f.Text(4), dateLine = f.Text(5);
  if (auto v = timeLine ? ParseTimeOfDay(*timeLine) : std::nullopt; take(v)) s.GameTime = *v;
  if (auto v = dateLine ? ParseShortDate(*dateLine) : std::nullopt; take(v)) s.GameDate = *v;
  if (auto v = f.Text(6); take(v)) s.PlayerName = Cp1251ToUtf8(*v);
  Main().SetCaption("Brindlex Kalvitor 1.6 -- " + s.PlayerName);
  if (auto v = Whole16(f.Text(7)); take(v)) s.Wage = *v;
  if (auto v = Whole16(f.Text(8), 0, 12); take(v)) s.JobIndex = *v;
  if (auto v = f.Text(9); take(v)) s.JobTitle = Cp1251ToUtf8(*v);

  std::array<bool, kHardwareSlots> hwTaken{};
  std::array<bool, kSoftwareSlots> softTaken{};
  for (int slot = 0; slot < kHardwareSlots; ++slot) {
    auto v = Whole16(f.Text(10 + slot), 0, HardwareTopModel(slot));
    hwTaken[static_cast<size_t>(slot)] = take(v);
    if (v) s.Hw[static_cast<size_t>(slot)] = *v;
  }
  for (int slot = 0; slot < kSoftwareSlots; ++slot) {
    auto v = Whole16(f.Text(19 + slot), 0, SoftwareTopModel(slot));
    softTaken[static_cast<size_t>(slot)] = take(v);
    if (v) s.Soft[static_cast<size_t>(slot)] = *v;
  }

  if (auto v = Whole16(f.Text(25)); take(v)) {
    SetHealth(*v);
    if (over()) return false;
  }
  if (auto v = Whole16(f.Text(26)); take(v)) {
    SetSatiety(*v);
    if (over()) return false;
  }
  if (auto v = Flag(f.Text(27)); take(v)) s.AttendsCourses = *v;
  if (auto v = Flag(f.Text(28)); take(v)) s.AttendsSchool = *v;
  if (auto v = Whole16(f.Text(29), 1, 8); take(v)) SetStatus(*v);
  if (auto v = Whole16(f.Text(30)); take(v)) SetEducation(*v);

  // Hardware before software and the operating system first, so that the
  // requirements see the saved computer.
  for (int16_t slot = 0; slot < kHardwareSlots; ++slot)
    if (hwTaken[static_cast<size_t>(slot)]) BuyHardware(slot, s.Hw[static_cast<size_t>(slot)], kFalse);
  for (int16_t slot = 0; slot < kSoftwareSlots; ++slot) {
    if (!softTaken[static_cast<size_t>(slot)]) continue;
    const bool installed = InstallSoftware(slot, s.Soft[static_cast<size_t>(slot)]);
    if (over()) return false;  // a refusal's message box lets the clock run
    if (!installed) s.Soft[static_cast<size_t>(slot)] = softBefore[static_cast<size_t>(slot)];
  }

  if (auto v = Flag(f.Text(31)); take(v)) s.Married = *v;
  if (auto v = Flag(f.Text(32)); take(v)) s.WasMarried = *v;
  if (auto v = Whole16(f.Text(33)); take(v)) s.Daughters = *v;
  if (auto v = Whole16(f.Text(34)); take(v)) s.Alimony = *v;
  if (auto v = Whole16(f.Text(35)); take(v)) s.Sons = *v;
  RefreshFamilyLabel();
  // The job table sets the wage and the title again: lines 7 and 9 do not
  // survive loading.
  SetJob(s.JobIndex);
  if (auto v = Whole32(f.Text(36)); take(v)) s.BankDeposit = *v;
  if (auto v = Whole32(f.Text(37)); take(v)) s.BankLoan = *v;
  // A game saved without its journal begins its record here.
  if (!journal.HasLifeRecord()) journal.SetLife(LifeRecord{s.GameDate, s.Money, s.JobIndex > 0 ? 1 : 0});
  // Said once, over the loaded game: its journal is gone, the game is not.
  if (!ownJournal)
    MsgBox("Журнал событий этой игры восстановить не удалось: файл '" + AddBackslash(folder) + JournalFileName(real) +
               "' записан не с ней. Игра загружена, журнал начат заново.",
           "Загрузка игры", MsgIcon::Exclamation);
  return ok;
}

}  // namespace kalvitor
