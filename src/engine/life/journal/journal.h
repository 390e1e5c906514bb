// The journal of the player's life: what the game told the player, every
// change of money with its cause, jobs, family, deaths, victories and the
// games begun, each with the game's date and time; and one sample of the
// player's values for every game day, for the charts. The entries outlive a
// game within a run of the program, so that a death can be read about after
// the new game has begun; the samples and the life's record start afresh
// with each new game. Both are kept with a saved game in a UTF-8 text file
// of their own beside it (persist/journal_file.cpp).
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>

namespace kalvitor {

enum class JournalKind { Message, MsgBox, Money, Job, Family, Death, Victory, Game };
constexpr int kJournalKinds = 8;

// The kind's word in the journal file and the driver's dump ("MONEY"), and
// its name for the player ("Деньги").
const char* JournalKindWord(JournalKind kind);
const char* JournalKindName(JournalKind kind);
std::optional<JournalKind> JournalKindFromWord(const std::string& word);

struct JournalEntry {
  int32_t date = 0;  // game date, day serial
  int minutes = 0;   // game time of day
  JournalKind kind = JournalKind::Message;
  std::string text;
};

// The player's values at the end of one game day.
struct StatsSample {
  int32_t date = 0;
  int32_t money = 0;
  int32_t deposit = 0;
  int32_t loan = 0;
  int16_t health = 0;
  int16_t satiety = 0;
  int16_t mood = 0;
  int16_t education = 0;
  int16_t rank = 0;
};

// What the summary needs of the current life that the game state does not
// hold: the day it began, its best money and the jobs taken in it.
struct LifeRecord {
  int32_t startDate = 0;
  int32_t bestMoney = 0;
  int32_t jobsHeld = 0;
};

class Journal {
 public:
  static constexpr size_t kMaxEntries = 10000;
  static constexpr size_t kMaxSamples = 10000;
  // An entry's text is cut to this many bytes, so that its line in the file
  // (quoted, each break or quote written as two) stays within the longest
  // line the file is read with; a longer line there is damage.
  static constexpr size_t kMaxTextBytes = 2000;
  static constexpr size_t kMaxLineBytes = 4096;

  // Adds an entry (its text cut to kMaxTextBytes, ending in "…"); the
  // oldest goes once there are more than kMaxEntries.
  void Add(JournalEntry entry);
  void AddSample(const StatsSample& sample);
  const std::deque<JournalEntry>& Entries() const { return entries_; }
  const std::deque<StatsSample>& Samples() const { return samples_; }

  LifeRecord& Life() { return life_; }
  const LifeRecord& Life() const { return life_; }
  // A new life: its record begins on that day with that money, and the
  // daily samples of the last one are let go. The entries stay.
  void BeginLife(int32_t date, int32_t money);
  // The saved game's journal takes the place of this one (a load). The
  // counters of this run stay.
  void ReplaceWith(const Journal& saved);
  // The life's record, when the saved game came without one.
  void SetLife(const LifeRecord& life);

  // Entries added since the program started, the dropped ones included, and
  // a number that changes whenever the entries are replaced: a window that
  // follows the journal reads only what is new.
  uint64_t AddedCount() const { return added_; }
  uint64_t Generation() const { return generation_; }
  // Called after every change (entries, samples or a replacement).
  void SetListener(std::function<void()> listener) { listener_ = std::move(listener); }

  // Deaths and victories in this run of the program.
  int deathsThisRun = 0;
  int victoriesThisRun = 0;

  // The file's text: a header line, the life's record, then one line per
  // entry and per sample, each as the driver prints them.
  std::string ToText() const;
  // nullopt when the text is not a journal at all; lines that do not read
  // are left out and the rest is taken.
  static std::optional<Journal> FromText(const std::string& text);
  bool HasLifeRecord() const { return hasLife_; }

 private:
  // Cuts a text longer than kMaxTextBytes at a whole letter, ending in "…".
  static void KeepToMaxText(std::string& text);
  void Changed();

  std::deque<JournalEntry> entries_;
  std::deque<StatsSample> samples_;
  LifeRecord life_;
  bool hasLife_ = false;
  uint64_t added_ = 0;
  uint64_t generation_ = 0;
  std::function<void()> listener_;
};

// One line of the driver's dump and of the journal file.
std::string JournalLine(const JournalEntry& entry);
std::string StatsLine(const StatsSample& sample);

}  // namespace kalvitor
