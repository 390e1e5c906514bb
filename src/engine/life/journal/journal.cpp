#include "life/journal/journal.h"

#include <sstream>

#include "util/date.h"
#include "util/decimal.h"
#include "util/text.h"
#include "util/tr.h"

namespace kalvitor {
namespace {

struct KindRow {
  JournalKind kind;
  const char* word;
  const char* name;
};

const KindRow kKinds[kJournalKinds] = {
    {JournalKind::Message, "MESSAGE", KV_N("Новость")}, {JournalKind::MsgBox, "MSGBOX", KV_N("Окно")},
    {JournalKind::Money, "MONEY", KV_N("Деньги")},      {JournalKind::Job, "JOB", KV_N("Работа")},
    {JournalKind::Family, "FAMILY", KV_N("Семья")},     {JournalKind::Death, "DEATH", KV_N("Смерть")},
    {JournalKind::Victory, "VICTORY", KV_N("Победа")},  {JournalKind::Game, "GAME", KV_N("Игра")},
};

constexpr const char* kHeader = "Brindlex Kalvitor journal 1";

// The inverse of Quoted: nullopt when it is not one quoted text.
std::optional<std::string> Unquoted(const std::string& q) {
  size_t pos = 0;
  std::optional<std::string> text = ReadQuoted(q, pos, true);
  if (pos != q.size()) return std::nullopt;
  return text;
}

// A word of the file: a whole number of up to twelve characters, a minus
// allowed, within [lo, hi].
std::optional<long long> WholeWord(const std::string& w, long long lo, long long hi) {
  DecimalRule rule;
  rule.maxLength = 12;
  rule.lo = lo;
  rule.hi = hi;
  return ParseDecimal(w, rule);
}

std::optional<int32_t> DateWord(const std::string& w) {
  // Exactly DD.MM.YYYY, as written.
  if (w.size() != 10) return std::nullopt;
  return ParseShortDate(w);
}

std::optional<JournalEntry> ReadEntry(const std::string& rest) {
  // DD.MM.YYYY HH:MM KIND "TEXT"
  if (rest.size() < 10 + 1 + 5 + 1 + 1 + 1 + 2) return std::nullopt;
  JournalEntry e;
  auto date = DateWord(rest.substr(0, 10));
  if (!date || rest[10] != ' ' || rest[13] != ':' || rest[16] != ' ') return std::nullopt;
  auto hour = WholeWord(rest.substr(11, 2), 0, 23);
  auto minute = WholeWord(rest.substr(14, 2), 0, 59);
  if (!hour || !minute) return std::nullopt;
  const size_t space = rest.find(' ', 17);
  if (space == std::string::npos) return std::nullopt;
  auto kind = JournalKindFromWord(rest.substr(17, space - 17));
  auto text = Unquoted(rest.substr(space + 1));
  if (!kind || !text) return std::nullopt;
  e.date = *date;
  e.minutes = static_cast<int>(*hour * 60 + *minute);
  e.kind = *kind;
  e.text = std::move(*text);
  return e;
}

std::vector<std::string> Words(const std::string& rest) {
  std::vector<std::string> words;
  std::istringstream in(rest);
  std::string w;
  while (in >> w) words.push_back(w);
  return words;
}

std::optional<StatsSample> ReadSample(const std::string& rest) {
  const std::vector<std::string> w = Words(rest);
  if (w.size() != 9) return std::nullopt;
  constexpr long long k32 = 2147483647LL, k16 = 32767;
  auto date = DateWord(w[0]);
  auto money = WholeWord(w[1], -k32 - 1, k32), deposit = WholeWord(w[2], -k32 - 1, k32),
       loan = WholeWord(w[3], -k32 - 1, k32);
  std::optional<long long> small[5];
  for (int i = 0; i < 5; ++i) small[i] = WholeWord(w[static_cast<size_t>(4 + i)], -k16 - 1, k16);
  if (!date || !money || !deposit || !loan) return std::nullopt;
  for (const auto& v : small)
    if (!v) return std::nullopt;
  return StatsSample{*date,
                     static_cast<int32_t>(*money),
                     static_cast<int32_t>(*deposit),
                     static_cast<int32_t>(*loan),
                     static_cast<int16_t>(*small[0]),
                     static_cast<int16_t>(*small[1]),
                     static_cast<int16_t>(*small[2]),
                     static_cast<int16_t>(*small[3]),
                     static_cast<int16_t>(*small[4])};
}

std::optional<LifeRecord> ReadLife(const std::string& rest) {
  const std::vector<std::string> w = Words(rest);
  if (w.size() != 3) return std::nullopt;
  auto date = DateWord(w[0]);
  auto best = WholeWord(w[1], -2147483648LL, 2147483647LL);
  auto jobs = WholeWord(w[2], 0, 2147483647LL);
  if (!date || !best || !jobs) return std::nullopt;
  return LifeRecord{*date, static_cast<int32_t>(*best), static_cast<int32_t>(*jobs)};
}

}  // namespace

const char* JournalKindWord(JournalKind kind) { return kKinds[static_cast<int>(kind)].word; }
const char* JournalKindName(JournalKind kind) { return Tr(kKinds[static_cast<int>(kind)].name); }

std::optional<JournalKind> JournalKindFromWord(const std::string& word) {
  for (const KindRow& row : kKinds)
    if (word == row.word) return row.kind;
  return std::nullopt;
}

std::string JournalLine(const JournalEntry& e) {
  return "JOURNAL " + FormatShortDate(e.date) + " " + FormatHHMM(e.minutes) + " " + JournalKindWord(e.kind) + " " +
         Quoted(e.text);
}

std::string StatsLine(const StatsSample& s) {
  return "STATS " + FormatShortDate(s.date) + " " + Str(s.money) + " " + Str(s.deposit) + " " + Str(s.loan) + " " +
         Str(s.health) + " " + Str(s.satiety) + " " + Str(s.mood) + " " + Str(s.education) + " " + Str(s.rank);
}

void Journal::KeepToMaxText(std::string& text) {
  if (text.size() <= kMaxTextBytes) return;
  const std::string ellipsis = "…";
  size_t cut = kMaxTextBytes - ellipsis.size();
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;  // whole letters only
  text.resize(cut);
  text += ellipsis;
}

void Journal::Changed() {
  if (listener_) listener_();
}

void Journal::Add(JournalEntry entry) {
  KeepToMaxText(entry.text);
  entries_.push_back(std::move(entry));
  while (entries_.size() > kMaxEntries) entries_.pop_front();
  ++added_;
  Changed();
}

void Journal::AddSample(const StatsSample& sample) {
  samples_.push_back(sample);
  while (samples_.size() > kMaxSamples) samples_.pop_front();
  Changed();
}

void Journal::BeginLife(int32_t date, int32_t money) {
  life_ = LifeRecord{date, money, 0};
  hasLife_ = true;
  samples_.clear();
  Changed();
}

void Journal::SetLife(const LifeRecord& life) {
  life_ = life;
  hasLife_ = true;
  Changed();
}

void Journal::ReplaceWith(const Journal& saved) {
  entries_ = saved.entries_;
  samples_ = saved.samples_;
  life_ = saved.life_;
  hasLife_ = saved.hasLife_;
  added_ += entries_.size();
  ++generation_;
  Changed();
}

std::string Journal::ToText() const {
  std::string text = std::string(kHeader) + "\n";
  if (hasLife_)
    text += "LIFE " + FormatShortDate(life_.startDate) + " " + Str(life_.bestMoney) + " " + Str(life_.jobsHeld) + "\n";
  for (const JournalEntry& e : entries_) text += JournalLine(e) + "\n";
  for (const StatsSample& s : samples_) text += StatsLine(s) + "\n";
  return text;
}

std::optional<Journal> Journal::FromText(const std::string& text) {
  Journal j;
  size_t pos = 0;
  bool first = true;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    const size_t start = pos;
    pos = end + 1;
    // A CR before the line's end is not the line's.
    const size_t length = end - start - (end > start && text[end - 1] == '\r' ? 1 : 0);
    // No line the game writes is this long; such a line is left out.
    if (length > kMaxLineBytes) {
      if (first) return std::nullopt;
      continue;
    }
    const std::string line = text.substr(start, length);
    if (first) {
      if (line != kHeader) return std::nullopt;
      first = false;
      continue;
    }
    const size_t space = line.find(' ');
    if (space == std::string::npos) continue;
    const std::string word = line.substr(0, space), rest = line.substr(space + 1);
    if (word == "JOURNAL") {
      if (auto e = ReadEntry(rest)) {
        // Kept as an entry made in play is: a file may hold a longer one.
        KeepToMaxText(e->text);
        j.entries_.push_back(std::move(*e));
        if (j.entries_.size() > kMaxEntries) j.entries_.pop_front();
      }
    } else if (word == "STATS") {
      if (auto s = ReadSample(rest)) {
        j.samples_.push_back(*s);
        if (j.samples_.size() > kMaxSamples) j.samples_.pop_front();
      }
    } else if (word == "LIFE") {
      if (auto life = ReadLife(rest)) {
        j.life_ = *life;
        j.hasLife_ = true;
      }
    }
  }
  if (first) return std::nullopt;
  return j;
}

}  // namespace kalvitor
