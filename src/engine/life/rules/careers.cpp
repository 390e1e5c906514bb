// The job ladder, the status ranks and the education level.
#include "life/life.h"
#include "util/int_math.h"

namespace kalvitor {
namespace {

struct Job {
  const char* title;
  int16_t wage;
};

const Job kJobs[13] = {
    {"Безработный", 0},
    {"Дворник", 10},
    {"Сантехник", 15},
    {"Инженер", 20},
    {"Менеджер", 80},
    {"Дизайнер", 95},
    {"Архитектор", 115},
    {"Бухгалтер", 125},
    {"Программист", 150},
    {"Сисадмин", 175},
    {"Спец. по комп. безоп.", 200},
    {"Хакер", 540},
    {"Босс hack-фирмы", 750},
};

const char* const kRanks[8] = {"BEGIN", "USER", "GAMER", "LAMER", "PROG-ER", "ADMIN", "HACKER", "PROF"};

}  // namespace

void Life::SetJob(int16_t index) {
  if (index >= 0 && index <= 12 && index != s.JobIndex && quietSetUp_ == 0) {
    if (index > 0) ++journal.Life().jobsHeld;
    Note(JournalKind::Job, index == 0 ? std::string("Без работы")
                                      : std::string("Новая работа: ") + kJobs[index].title + " ($" +
                                            std::to_string(kJobs[index].wage) + "/день)");
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
