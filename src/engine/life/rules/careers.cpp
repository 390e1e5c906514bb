// The job ladder, the status ranks and the education level.
#include "life/life.h"
#include "util/int_math.h"
#include "util/text_format.h"
#include "util/tr.h"

namespace kalvitor {
namespace {

struct Job {
  const char* title;
  int16_t wage;
};

// The state keeps the Russian title (a saved game holds it); a window shows
// it in the player's language.
const Job kJobs[13] = {
    {KV_N("Безработный"), 0},
    {KV_N("Дворник"), 10},
    {KV_N("Сантехник"), 15},
    {KV_N("Инженер"), 20},
    {KV_N("Менеджер"), 80},
    {KV_N("Дизайнер"), 95},
    {KV_N("Архитектор"), 115},
    {KV_N("Бухгалтер"), 125},
    {KV_N("Программист"), 150},
    {KV_N("Сисадмин"), 175},
    {KV_N("Спец. по комп. безоп."), 200},
    {KV_N("Хакер"), 540},
    {KV_N("Босс hack-фирмы"), 750},
};

const char* const kRanks[8] = {KV_N("BEGIN"),   KV_N("USER"),  KV_N("GAMER"),  KV_N("LAMER"),
                               KV_N("PROG-ER"), KV_N("ADMIN"), KV_N("HACKER"), KV_N("PROF")};

}  // namespace

void Life::SetJob(int16_t index) {
  if (index >= 0 && index <= 12 && index != s.JobIndex && quietSetUp_ == 0) {
    if (index > 0) ++journal.Life().jobsHeld;
    Note(JournalKind::Job, index == 0 ? std::string(Tr("Без работы"))
                                      : FormatText(Tr("Новая работа: %s ($%s/день)"),
                                                   {Tr(kJobs[index].title), std::to_string(kJobs[index].wage)}));
  }
  if (index >= 0 && index <= 12) {
    state_.Wage = kJobs[index].wage;
    state_.JobTitle = kJobs[index].title;
    state_.JobIndex = index;
  }
  PlaySfx("WORK");
  View().Changed(Fact::Job);
}

void Life::RaiseWage() {
  state_.Wage = Sat16(DivRoundHalfEven(int64_t{s.Wage} * 5, 4));
  View().Changed(Fact::Job);
}

std::string Life::JobTitle(int index) { return index >= 0 && index <= 12 ? kJobs[index].title : ""; }

int16_t Life::JobWage(int index) { return index >= 0 && index <= 12 ? kJobs[index].wage : 0; }

std::string Life::StatusName(int rank) {
  if (rank < 1 || rank > 8) return "";
  return kRanks[rank - 1];
}

void Life::SetStatus(int16_t rank) {
  state_.StatusRank = rank;
  View().Changed(Fact::Status);
}

void Life::SetEducation(int16_t percent) {
  state_.Education = percent;
  View().Changed(Fact::Education);
}

}  // namespace kalvitor
