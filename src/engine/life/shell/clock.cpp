// The game clock: one tick moves the game time on by TickMinutes and runs
// the passes at every change of hour, day, month and year.
#include "life/life.h"
#include "util/date.h"

namespace kalvitor {
namespace {

struct TickGuard {
  explicit TickGuard(bool& flag) : flag_(flag) { flag_ = true; }
  ~TickGuard() { flag_ = false; }
  bool& flag_;
};

}  // namespace

void Life::ClockTick() {
  if (inTick_) return;  // ticks never overlap: one that falls due meanwhile is dropped
  TickGuard guard(inTick_);
  const Guard game = ThisGame();

  const int step = s.TickMinutes;
  int minute = s.GameTime % 60;
  int hour = s.GameTime / 60;
  // The date as it was when the tick began; its parts are needed only when
  // the day rolls over.
  const int32_t dateAtStart = s.GameDate;

  if (minute + step >= 60) {
    minute = minute + step - 60;
    hour += 1;
    HourlyPass();
    if (game.Over()) return;
  } else {
    minute += step;
  }
  // A speed outside the menu's three can carry the minutes past an hour (or
  // below zero); they are carried into the hours as a time of day would be.
  int total = hour * 60 + minute;
  if (total < 0) total = 0;
  hour = total / 60;
  minute = total % 60;

  if (hour < 24) {
    state_.GameTime = hour * 60 + minute;
  } else {
    state_.GameTime = 0;  // the minutes past midnight are dropped
    NextDay(dateAtStart);
    if (game.Over()) return;
  }

  if (s.CheatWin == kTrue) {
    state_.CheatWin = kFalse;
    Victory();
  } else if (VictoryConditionHolds()) {
    Victory();
  }

  View().Changed(Fact::Time);
  ReseedFromTimer();
}

// Midnight: the daily pass, and the monthly and yearly ones when the date
// moves into a new month or year. A day of 31 is taken for a month's end,
// and a date the month does not have (30 February) moves on to the first.
void Life::NextDay(int32_t dateAtStart) {
  const Guard game = ThisGame();
  const CivilDate date = CivilFromSerial(dateAtStart);
  int day = date.day, month = date.month, year = date.year;
  // Until the date moves on below, the journal dates what happens at
  // midnight on the new day, where it belongs.
  StampNotes midnight(*this, s.GameDate + 1, 0);
  DailyPass();
  if (game.Over()) return;
  if (day >= 31) {
    day = 1;
    DailyEvents(true);
    if (game.Over()) return;
    if (month == 12) {
      month = 1;
      year += 1;
      YearlyPass();
      if (game.Over()) return;
    } else {
      month += 1;
    }
  } else {
    day += 1;
  }
  if (IsValidDate(year, month, day)) {
    state_.GameDate = SerialFromCivil(year, month, day);
  } else {
    day = 1;
    month += 1;
    DailyEvents(true);
    if (game.Over()) return;
    if (IsValidDate(year, month, day)) state_.GameDate = SerialFromCivil(year, month, day);
  }
}

}  // namespace kalvitor
