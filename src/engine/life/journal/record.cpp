// What the game writes into its journal, and the daily samples.
#include <algorithm>

#include "life/life.h"
#include "util/text.h"
#include "util/text_format.h"
#include "util/tr.h"

namespace kalvitor {
namespace {

// As the journal writes them after the date, capitalized.
const char* const kCauseNames[] = {
    KV_N("Зарплата"),   KV_N("Покупка"), KV_N("Магазин"),      KV_N("Больница"), KV_N("Развлечения"),
    KV_N("Учёба"),      KV_N("Банк"),    KV_N("Счёт за сеть"), KV_N("Алименты"), KV_N("Налоги"),
    KV_N("Событие"),    KV_N("Вирус"),   KV_N("Свадьба"),      KV_N("Чит-код"),  KV_N("Загрузка игры"),
    KV_N("Новая игра"), KV_N("Прочее"),
};
static_assert(std::size(kCauseNames) == static_cast<size_t>(MoneyCause::Other) + 1);

std::string Dollars(int64_t v) { return v < 0 ? "-$" + Str(-v) : "$" + Str(v); }

}  // namespace

const char* MoneyCauseName(MoneyCause cause) { return Tr(kCauseNames[static_cast<size_t>(cause)]); }

void Life::Note(JournalKind kind, const std::string& text) {
  if (noteStamp_ && !noteStamp_->game.Over()) {
    journal.Add(JournalEntry{noteStamp_->date, noteStamp_->minutes, kind, text});
    return;
  }
  journal.Add(JournalEntry{s.GameDate, s.GameTime, kind, text});
}

// "Магазин, биг-мак: -$15, стало $435": the cause, what the money went on
// when there is a word for it, the change and what is left.
void Life::NoteMoney(int32_t before, int32_t after, MoneyCause cause, const std::string& what) {
  LifeRecord& life = journal.Life();
  life.bestMoney = std::max(life.bestMoney, after);
  // A new game says what it starts with in its own entry.
  if (cause == MoneyCause::NewGame) return;
  if (cause == MoneyCause::Load) {
    Note(JournalKind::Money, std::string(MoneyCauseName(cause)) + ": " + Dollars(after));
    return;
  }
  if (before == after) return;
  const int64_t change = int64_t{after} - before;
  const std::string why = MoneyCauseName(cause) + (what.empty() ? "" : ", " + what);
  // TRANSLATORS: "Магазин, биг-мак: -$15, стало $435": why, the change, what is left.
  Note(JournalKind::Money,
       FormatText(Tr("%s: %s, стало %s"), {why, (change > 0 ? "+" : "") + Dollars(change), Dollars(after)}));
}

void Life::TakeDailySample() {
  journal.AddSample(StatsSample{s.GameDate, s.Money, s.BankDeposit, s.BankLoan, s.Health, s.Satiety, s.Mood,
                                s.Education, s.StatusRank});
}

Life::LifeSummary Life::Summary() const {
  const LifeRecord& life = journal.Life();
  LifeSummary sum;
  sum.daysLived = std::max<int32_t>(0, s.GameDate - life.startDate);
  sum.bestMoney = std::max(life.bestMoney, s.Money);
  sum.jobsHeld = life.jobsHeld;
  sum.children = int32_t{s.Daughters} + s.Sons;
  sum.deaths = journal.deathsThisRun;
  sum.victories = journal.victoriesThisRun;
  return sum;
}

}  // namespace kalvitor
