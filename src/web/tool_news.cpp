#include "tool_news.h"

#include <algorithm>
#include <deque>
#include <utility>
#include <vector>

#include "bridge.h"
#include "json.h"
#include "util/date.h"
#include "util/tr.h"

namespace kalvitor::web {
namespace {

const char* WindowName(ToolWindow which) { return which == ToolWindow::Journal ? "journal" : "stats"; }

// A game day as the charts' time: seconds since 1970 at its noon (UTC), so
// that it is the same day in every time zone.
int64_t NoonSeconds(int32_t serial) {
  return (static_cast<int64_t>(serial) - SerialFromCivil(1970, 1, 1)) * 86400 + 12 * 3600;
}

bool Same(const StatsSample& a, const StatsSample& b) {
  return a.date == b.date && a.money == b.money && a.deposit == b.deposit && a.loan == b.loan && a.health == b.health &&
         a.satiety == b.satiety && a.mood == b.mood && a.education == b.education && a.rank == b.rank;
}

// The samples from `from` on, a list of values per line of the charts (as
// the chart library takes them).
void SampleColumns(Json& j, const std::deque<StatsSample>& samples, size_t from) {
  using Field = int64_t (*)(const StatsSample&);
  static const std::pair<const char*, Field> kColumns[] = {
      {"days", [](const StatsSample& s) { return NoonSeconds(s.date); }},
      {"money", [](const StatsSample& s) { return int64_t{s.money}; }},
      {"deposit", [](const StatsSample& s) { return int64_t{s.deposit}; }},
      {"loan", [](const StatsSample& s) { return int64_t{s.loan}; }},
      {"health", [](const StatsSample& s) { return int64_t{s.health}; }},
      {"satiety", [](const StatsSample& s) { return int64_t{s.satiety}; }},
      {"mood", [](const StatsSample& s) { return int64_t{s.mood}; }},
      {"education", [](const StatsSample& s) { return int64_t{s.education}; }},
      {"rank", [](const StatsSample& s) { return int64_t{s.rank}; }},
  };
  j.Key("samples").Begin();
  for (const auto& [name, field] : kColumns) {
    std::vector<int64_t> column;
    column.reserve(samples.size() - from);
    for (size_t i = from; i < samples.size(); ++i) column.push_back(field(samples[i]));
    j.Ints(name, column);
  }
  j.End();
}

}  // namespace

void ToolNews::Open(ToolWindow which) {
  // What it shows first, then the window.
  (which == ToolWindow::Journal ? journalOpen_ : statsOpen_) = true;
  Follow();
  Post("tool", Json().Begin().Str("which", WindowName(which)).End().Text());
}

void ToolNews::Closed(ToolWindow which) { (which == ToolWindow::Journal ? journalOpen_ : statsOpen_) = false; }

void ToolNews::Follow() {
  if (journalOpen_) FollowJournal();
  if (statsOpen_) FollowStats();
}

void ToolNews::Relabel() {
  journalSent_ = false;
  statsSent_ = false;
  Follow();
}

// {"reset", "kinds" (with a reset), "first": the oldest entry kept,
// "from": the first one brought, "entries": [{"when", "kind", "text"}]}.
void ToolNews::FollowJournal() {
  const Journal& journal = game_.journal;
  const bool reset = !journalSent_ || journal.Generation() != sentGeneration_;
  if (!reset && journal.AddedCount() == sentAdded_) return;
  const auto& entries = journal.Entries();
  const uint64_t first = journal.AddedCount() - entries.size();
  const uint64_t from = reset ? first : std::max(first, sentAdded_);
  Json j;
  j.Begin().Bool("reset", reset);
  if (reset) {
    std::vector<std::string> kinds;
    for (int k = 0; k < kJournalKinds; ++k) kinds.push_back(JournalKindName(static_cast<JournalKind>(k)));
    j.Strings("kinds", kinds);
  }
  j.Int("first", static_cast<int64_t>(first)).Int("from", static_cast<int64_t>(from)).BeginList("entries");
  for (size_t i = static_cast<size_t>(from - first); i < entries.size(); ++i) {
    const JournalEntry& e = entries[i];
    j.Item()
        .Str("when", FormatShownDate(e.date) + " " + FormatHHMM(e.minutes))
        .Int("kind", static_cast<int>(e.kind))
        .Str("text", e.text)
        .End();
  }
  Post("journal", j.EndList().End().Text());
  journalSent_ = true;
  sentAdded_ = journal.AddedCount();
  sentGeneration_ = journal.Generation();
}

std::string ToolNews::StatsSummaryJson() const {
  const Life::LifeSummary sum = game_.Summary();
  return Json()
      .Begin()
      .Int("daysLived", sum.daysLived)
      .Int("bestMoney", sum.bestMoney)
      .Int("jobsHeld", sum.jobsHeld)
      .Int("children", sum.children)
      .Int("deaths", sum.deaths)
      .Int("victories", sum.victories)
      .Int("today", NoonSeconds(game_.s.GameDate))
      .End()
      .Text();
}

// {"reset", "ranks" (with a reset), "summary", "samples": {"days": [...],
// "money": [...], ...}}: the samples after those the page has.
void ToolNews::FollowStats() {
  const auto& samples = game_.journal.Samples();
  const bool prefix =
      statsSent_ && sentSamples_ <= samples.size() &&
      (sentSamples_ == 0 || (Same(samples.front(), sentFirst_) && Same(samples[sentSamples_ - 1], sentLast_)));
  std::string summary = StatsSummaryJson();
  if (prefix && sentSamples_ == samples.size() && summary == sentSummary_) return;
  Json j;
  j.Begin().Bool("reset", !prefix);
  if (!prefix) {
    std::vector<std::string> ranks;
    for (int r = 1; r <= 8; ++r) ranks.push_back(Tr(Game::StatusName(r)));
    j.Strings("ranks", ranks);
  }
  j.Written("summary", summary);
  SampleColumns(j, samples, prefix ? sentSamples_ : 0);
  Post("stats", j.End().Text());
  statsSent_ = true;
  sentSamples_ = samples.size();
  if (!samples.empty()) sentFirst_ = samples.front(), sentLast_ = samples.back();
  sentSummary_ = std::move(summary);
}

}  // namespace kalvitor::web
