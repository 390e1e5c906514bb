// Every day's family draw, random event and wear; at a month change also the
// monthly accounts. The sixteen random events are rows: what they need, the
// message, what they do besides, and their changes to the vitals and the
// money by the level of difficulty. The message comes first, and the changes
// are made by the life's one loop of changes (rules/changes.h), which stops
// as soon as one of them has ended the game.
#include "life/computer/hardware_catalogue.h"
#include "life/life.h"
#include "util/int_math.h"
#include "util/text.h"
#include "util/text_format.h"
#include "util/tr.h"

namespace kalvitor {
namespace {

// The events' money is the event's.
const Deal kEventDeal{0, 0, 0, MoneyCause::Event, {}};

enum class Needs { Nothing, Job, Wife, WifeAndChildren };

// What an event decided when it happened: its message, and what it drew.
struct Happening {
  std::string message;
  int slot = 0;  // a hardware slot
  int16_t model = 0;
  int64_t moneyLeft = 0;
};

// Writes the message of an event whose text depends on the game (and draws
// what it needs); false when the day passes the event by.
using Tell = bool (*)(Life&, Happening&);
// What the event does right after its message, before its changes.
using Act = void (*)(Life&, const Happening&);

bool TellFired(Life& life, Happening& h) {
  h.message = FormatText(Tr("Сообщение от Вашего босса: Уважаемый %s! Вы уволены!!!"), {life.s.PlayerName});
  return true;
}

// Robbers take a quarter (hard), a tenth of the amount's size (normal) or a
// fiftieth (easy); what is left is rounded on its own.
bool TellRobbery(Life& life, Happening& h) {
  const int64_t m = life.s.Money;
  int64_t stolen = 0;
  if (life.s.DifficultyCode == 0) {
    stolen = DivRoundHalfEven(m, 4);
    h.moneyLeft = DivRoundHalfEven(3 * m, 4);
  } else if (life.s.DifficultyCode == 1) {
    const int64_t a = m < 0 ? -m : m;
    stolen = DivRoundHalfEven(a, 10);
    h.moneyLeft = DivRoundHalfEven(10 * m - a, 10);
  } else {
    stolen = DivRoundHalfEven(m, 50);
    h.moneyLeft = DivRoundHalfEven(49 * m, 50);
  }
  h.message = FormatText(Tr("Сообщение от Майора Милиции Петрова А.Н.: Мне очень жаль, но к вам пробрались грабители "
                            "и стащили %s долларов."),
                         {std::to_string(stolen)});
  return true;
}

bool TellChildAtComputer(Life& life, Happening& h) {
  h.slot = life.rnd.DrawInt(8);
  h.message = FormatText(Tr("Сообщение от твоего ребенка: Папа я тут на твой компьютер... ну... молоко парное... "
                            "туда... того... И чё-то искры посыпались с %s"),
                         {LowerCase(GetHardwareSlotName(h.slot))});
  return true;
}

bool TellGift(Life& life, Happening& h) {
  h.slot = life.rnd.DrawInt(8);
  const int16_t m = life.s.HwModels[static_cast<size_t>(h.slot)];
  if (IsHardwareAtTop(h.slot, m)) return false;
  h.model = static_cast<int16_t>(m + 1);
  h.message = FormatText(Tr("Поздравляем! Грег Маккен вам подарил новый %s %s"),
                         {LowerCase(GetHardwareSlotName(h.slot)), GetHardwareName(h.slot, h.model)});
  return true;
}

void Fire(Life& life, const Happening&) { life.SetJob(0); }
void TakeMoney(Life& life, const Happening& h) { life.SetMoney(Sat32(h.moneyLeft), MoneyCause::Event); }
void BreakSlot(Life& life, const Happening& h) { life.BuyHardware(static_cast<int16_t>(h.slot), 0, kFalse); }
void GiveSlot(Life& life, const Happening& h) { life.BuyHardware(static_cast<int16_t>(h.slot), h.model, kFalse); }

void Raise(Life& life, const Happening&) { life.RaiseWage(); }

struct DailyEvent {
  int number;
  Needs needs;
  const char* message;  // the message, unless `tell` writes it
  Tell tell;
  Act act;
  std::vector<Change> changes;
  // The event needs a job the player does not have: the day passes without
  // the daily wear too.
  bool noWearWithoutIt = false;
};

using C = Change;
const std::vector<DailyEvent> kDailyEvents = {
    {2, Needs::Job, nullptr, TellFired, Fire, {{C::Health, {-30, -15, -5}}, {C::Satiety, {-60, -20, -10}}}, true},
    {4,
     Needs::Nothing,
     nullptr,
     TellRobbery,
     TakeMoney,
     {{C::Mood, {-50, -20, -10}}, {C::Health, {-30, -15, -5}}, {C::Satiety, {-40, -20, -10}}}},
    {6,
     Needs::Nothing,
     KV_N("Сообщение от хирурга Жукина В.М.: Кто-то напал на Вас и сломал ребро!"),
     nullptr,
     nullptr,
     {{C::Mood, {-60, -45, -25}}, {C::Health, {-40, -30, -15}}, {C::Satiety, {-5, 2, 10}}}},
    {8, Needs::WifeAndChildren, nullptr, TellChildAtComputer, BreakSlot, {}},
    {10,
     Needs::Wife,
     KV_N(
         "Сообщение от твоей жены: Ах ты дрянь! Ты где деньги деваешь? А? Какой такой пентиум! Какой такой джифорс! Ты "
         "чё??? Совсем уже..."),
     nullptr,
     nullptr,
     {{C::Mood, Same(-10)}}},
    {12,
     Needs::Nothing,
     KV_N("Сообщение от соседки: Ах ты пьянь, ах ты падла... Ты посмотри что ты на полу наделал! С тебя 50 долларов"),
     nullptr,
     nullptr,
     {{C::Money, Same(-50)}}},
    {14,
     Needs::Wife,
     KV_N("Сообщение от Майора Милиции Петрова А.Н.: Слушай ты чё? Совсем офигел? Ты же вчера чуть жену не утопил в "
          "унитазе? Чё? Какое такое Интел! Какой такое ISDN??? Чего? RAID-контроллер купить хочешь? А она деньги "
          "забрала? Ясно. Ну штраф заплати 150 долларов!"),
     nullptr,
     nullptr,
     {{C::Money, Same(-150)}}},
    {16,
     Needs::Wife,
     KV_N("Сообщение от хирурга Жукина В.М.: Мдаа мужик! Не изменяй больше жене никогда! Мы тебе 70 кубиков адреналина "
          "ввели чтобы завести тебя! Что? Где рука? У жены спроси! За операцию 350 долларов!"),
     nullptr,
     nullptr,
     {{C::Money, Same(-350)}}},
    {18, Needs::Job, KV_N("Вы понравились боссу. Ваша зарплата повышена на 25%!"), nullptr, Raise, {}},
    {20, Needs::Nothing, nullptr, TellGift, GiveSlot, {}},
    {22,
     Needs::Nothing,
     KV_N("Поздравляем! Вы сегодня приглашены на день рождения к своему другу!"),
     nullptr,
     nullptr,
     {{C::Mood, Same(50)}, {C::Money, Same(-50)}, {C::Satiety, Same(100)}}},
    {24,
     Needs::Nothing,
     KV_N("Бабушка вам подарила 150 долларов! Скажите ей спасибо!"),
     nullptr,
     nullptr,
     {{C::Money, Same(150)}}},
    {26, Needs::Nothing, KV_N("Вас сбила машина!"), nullptr, nullptr, {{C::Health, Same(-50)}}},
    {28,
     Needs::Nothing,
     KV_N("Вы нашли на дороге 100 долларов! 25% ваших!"),
     nullptr,
     nullptr,
     {{C::Money, Same(25)}, {C::Mood, Same(50)}}},
    {30, Needs::Job, KV_N("Поздравляем! Вы ударили по морде босса! Вы уволены!"), nullptr, Fire, {}},
    {32,
     Needs::Nothing,
     KV_N("Вы познакомились с интересной девушкой!"),
     nullptr,
     nullptr,
     {{C::Mood, Same(75)}, {C::Health, Same(-10)}}},
};

bool Meets(const GameState& s, Needs needs) {
  const bool married = s.Married == kTrue;
  switch (needs) {
    case Needs::Nothing:
      return true;
    case Needs::Job:
      return s.Wage > 0;
    case Needs::Wife:
      return married;
    case Needs::WifeAndChildren:
      return married && (s.Daughters > 0 || s.Sons > 0);
  }
  return false;
}

enum class Wear { Taken, Skipped };

// The event drawn for the day, if it is one and happens. Its message comes
// first, then what it does, then its changes in the order written; any of
// them may end the game, and then the rest is dropped.
Wear HappenEvent(Life& life, int number) {
  const Guard game = life.ThisGame();
  for (const DailyEvent& row : kDailyEvents) {
    if (row.number != number) continue;
    if (!Meets(life.s, row.needs)) return row.noWearWithoutIt ? Wear::Skipped : Wear::Taken;
    Happening h;
    if (row.tell == nullptr) {
      h.message = Tr(row.message);
    } else if (!row.tell(life, h)) {
      return Wear::Taken;
    }
    life.ShowMessage(h.message);
    if (game.Over()) return Wear::Taken;
    if (row.act != nullptr) row.act(life, h);
    if (game.Over()) return Wear::Taken;
    life.MakeChanges(row.changes, kEventDeal);
    return Wear::Taken;
  }
  return Wear::Taken;
}

// The day's wear of the three vitals, by the level.
const Change kWear[] = {
    {Change::Mood, {-5, -2, -1}},
    {Change::Satiety, {-10, -5, -2}},
    {Change::Health, {-5, -2, -1}},
};

}  // namespace

void Life::DailyEvents(bool newMonth) {
  const Guard game = ThisGame();
  ReseedFromTimer();
  const int f = rnd.DrawInt(75);
  ReseedFromTimer();
  ReseedFromTimer();
  const int e = rnd.DrawInt(32);

  if (f != 8) FamilyEvent(static_cast<int16_t>(f));
  if (game.Over()) return;

  const Wear wear = HappenEvent(*this, e);
  if (game.Over()) return;
  if (wear == Wear::Taken && !MakeChanges(kWear, kEventDeal)) return;
  if (newMonth) MonthlyAccounts();
}

// Child support, the bank's interest, and the fees of the courses (with a
// rank a month up to the top) and of the school.
void Life::MonthlyAccounts() {
  const Guard game = ThisGame();
  auto pay = [this](int32_t dollars, MoneyCause cause) { SetMoney(Sat32(int64_t{s.Money} - dollars), cause); };
  PlaySfx("MONTHUP");
  if (s.Alimony > 0) pay(s.Alimony, MoneyCause::MonthlyAccounts);
  state_.BankDeposit = Sat32(int64_t{s.BankDeposit} + DivRoundHalfEven(int64_t{s.BankDeposit} * 15, 100));
  state_.BankLoan = Sat32(int64_t{s.BankLoan} + DivRoundHalfEven(int64_t{s.BankLoan} * 10, 100));
  if (s.AttendsCourses == kTrue && s.StatusRank < 8) {
    pay(75, MoneyCause::School);
    SetStatus(Sat16(int64_t{s.StatusRank} + 1));
    if (s.StatusRank == 8) {
      MsgBox(Tr("Вы прошли компьютерные курсы!"), Tr("Доцент"), MsgIcon::Information);
      if (game.Over()) return;
      state_.AttendsCourses = kFalse;
      View().StudiesOver(Studies::Courses);
    } else {
      MsgBox(FormatText(Tr("Поздравляем. Теперь Вы -- %s"), {Tr(StatusName(s.StatusRank))}), Tr("Доцент"),
             MsgIcon::Information);
      if (game.Over()) return;
    }
  }
  if (s.AttendsSchool == kTrue && s.Education < 100) pay(50, MoneyCause::School);
}

}  // namespace kalvitor
