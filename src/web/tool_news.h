// What the page's journal and statistics windows show (site/js/journal.js,
// stats.js), sent as the journal grows while a window is open: only what is
// new since the last time, as the desktop's windows follow the journal. The
// page keeps what it was sent, also while its window is closed.
//
// Entries are counted from the start of the program (Journal::AddedCount):
// news of them names the first one it brings and the oldest one the journal
// still keeps; a load that replaces them (Journal::Generation) sends them
// all again. The daily samples have no such count: those sent are still the
// page's when the samples begin with the first one sent and hold the last
// one sent at its place, and are sent whole again when not (a new life, a
// load, the oldest let go).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "port.h"
#include "windows/game.h"

namespace kalvitor::web {

class ToolNews {
 public:
  explicit ToolNews(const Game& game) : game_(game) {}
  // The menu asks for the window: the page opens it (or brings it to the
  // front) and hears what is new.
  void Open(ToolWindow which);
  // The player closed it on the page.
  void Closed(ToolWindow which);
  // Sends the open windows what changed; cheap when nothing did.
  void Follow();
  // The language changed: everything is sent again, the open windows' at once.
  void Relabel();

 private:
  void FollowJournal();
  void FollowStats();
  std::string StatsSummaryJson() const;

  const Game& game_;
  bool journalOpen_ = false;
  bool statsOpen_ = false;

  bool journalSent_ = false;
  uint64_t sentAdded_ = 0;
  uint64_t sentGeneration_ = 0;

  bool statsSent_ = false;
  size_t sentSamples_ = 0;
  StatsSample sentFirst_, sentLast_;
  std::string sentSummary_;
};

}  // namespace kalvitor::web
