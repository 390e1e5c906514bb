// Every button of the places as a row, and the one routine that plays them:
// the click where the game plays it, the price, the needs and the money's
// test, the place's refusal, then the row's changes in order.
#include "life/rules/offers.h"

#include <array>
#include <limits>

#include "life/computer/hardware_catalogue.h"
#include "life/computer/software_catalogue.h"
#include "life/life.h"
#include "util/decimal.h"
#include "util/int_math.h"
#include "util/text.h"
#include "util/tr.h"

namespace kalvitor {
namespace {

using C = Change;
const Change kPays{C::Money, {}, -1};
const Change kGets{C::Money, {}, 1};

// What the clerk of a counter says when it refuses, and why its money moves.
struct Clerk {
  MoneyCause cause;
  std::optional<Box> poor{};     // the money test failed; "{name}", "{price}": the deal's
  std::optional<Box> wanting{};  // a need failed; no text: the program's own refusal
  // The bank's answer is no amount it takes, or one whose dollars would not
  // fit. Only the bank's amounts can: elsewhere the money test leaves the
  // price on hand.
  std::optional<Box> noAmount{};
  const char* askTitle = nullptr;  // the bank's question
  bool balancesAfter = false;      // the bank writes both balances again after a deal, done or refused
};

constexpr const char* kBank = KV_N("The Bank of New York");

// By Counter.
const Clerk kClerks[] = {
    {MoneyCause::Shop, Box{KV_N("Шеф-Повор: А ну убирайся отсюда!!!!!!"), KV_N("Идиот!"), MsgIcon::Information}},
    {MoneyCause::Hospital, Box{KV_N("Доктор Картер: Извините, но мы лечем только за деньги"),
                               KV_N("Центральная клиническая больница"), MsgIcon::Information}},
    {MoneyCause::Entertainment, Box{KV_N("Вам это не по карману"), KV_N("Тонкий кошелёк"), MsgIcon::Information}},
    {MoneyCause::Purchase, Box{KV_N("У вас недостаточно денег на покупку {name} за ${price}"),
                               KV_N("Я тоже много хочу!!!"), MsgIcon::Information}},
    {MoneyCause::Other, std::nullopt, Box{nullptr, KV_N("Ну у Вас и запросы..."), MsgIcon::Information}},
    {MoneyCause::School},
    {MoneyCause::Bank, Box{KV_N("У вас нет таких денег!"), KV_N("The Bank of New Work"), MsgIcon::Critical},
     Box{KV_N("У вас нет в банке таких денег!"), kBank, MsgIcon::Critical},
     Box{KV_N("Не получилось!"), kBank, MsgIcon::Critical}, kBank, true},
};

static_assert(std::size(kClerks) == static_cast<size_t>(Counter::Bank) + 1);

const Clerk& ClerkAt(Counter counter) { return kClerks[static_cast<size_t>(counter)]; }

Offer Sold(Counter counter, const char* control, const char* caption, const char* name, int32_t price, MoneyTest test,
           std::vector<Change> changes) {
  return Offer{counter, control, -1, caption, name, PriceFrom::Fixed, price, test, Needs::Nothing, std::move(changes)};
}

// The letter h in the captions stands for the mood.
std::vector<Offer> Shop() {
  auto meal = [](const char* control, const char* caption, const char* name, int32_t price,
                 std::vector<Change> changes) {
    return Sold(Counter::Shop, control, caption, name, price, MoneyTest::AtLeastPrice, std::move(changes));
  };
  std::vector<Offer> rows = {
      meal("Command1", KV_N("Биг-Мак с сыром - +10% - $15"), KV_N("биг-мак"), 15, {{C::Satiety, Same(10)}, kPays}),
      meal("Command2", KV_N("Хэппи-Мил с детьми +20%-$45- -15%h"), KV_N("хэппи-мил"), 45,
           {{C::Satiety, Same(20)}, kPays, {C::Mood, Same(-15)}}),
      meal("Command3", KV_N("Альпен Гольд с Нескафе - +50 $120"), KV_N("альпен гольд"), 120,
           {{C::Satiety, Same(50)}, kPays}),
      meal("Command4", KV_N("Яичница с чесноком +15%-$10-20%h"), KV_N("яичница"), 10,
           {{C::Satiety, Same(15)}, kPays, {C::Mood, Same(-20)}}),
      meal("Command5", KV_N("Просто нормально пожрать +75%-$60"), KV_N("обед"), 60, {{C::Satiety, Same(75)}, kPays}),
  };
  rows[1].clickAfterMoneyTest = true;
  return rows;
}

// The examination sets the health it leaves as it was, and so still checks it.
std::vector<Offer> Hospital() {
  auto cure = [](const char* control, const char* caption, const char* name, int32_t price,
                 std::vector<Change> changes) {
    return Sold(Counter::Hospital, control, caption, name, price, MoneyTest::AtLeastPrice, std::move(changes));
  };
  std::vector<Offer> rows = {
      cure("Command1", KV_N("Полный курс - +50% - $250"), KV_N("полный курс"), 250, {{C::Health, Same(50)}, kPays}),
      cure("Command2", KV_N("Лекарства - +15% - $100"), KV_N("лекарства"), 100, {{C::Health, Same(15)}, kPays}),
      cure("Command3", KV_N("Вывих - +2% - $20"), KV_N("вывих"), 20, {{C::Health, Same(2)}, kPays}),
      cure("Command4", KV_N("Осмотр - +0% - $2"), KV_N("осмотр"), 2, {{C::Health, Same(0)}, kPays}),
      cure("Command5", KV_N("Роды - + 75% - 50%h - $250"), KV_N("роды"), 250,
           {{C::Health, Same(75)}, {C::Mood, Same(-50)}, kPays}),
      cure("Command6", KV_N("Выпить водки  - +10 - $20"), KV_N("водка"), 20, {{C::Health, Same(10)}, kPays}),
      cure("Command7", KV_N("Выпить спирта+10 +10h $25"), KV_N("спирт"), 25,
           {{C::Health, Same(10)}, {C::Mood, Same(10)}, kPays}),
  };
  // A delivery adds no child to the family.
  rows[4].news =
      Box{KV_N("Альфред Бурмистер: Поздравляю! У тебя -- Юниор!!!"), KV_N("Медсестра"), MsgIcon::Information};
  return rows;
}

// The casino is a fixed purchase like the others: no chance involved.
std::vector<Offer> Entertainment() {
  auto pastime = [](const char* control, const char* caption, const char* name, int32_t price, int mood) {
    return Sold(Counter::Entertainment, control, caption, name, price, MoneyTest::MoreThanPrice,
                {kPays, {C::Mood, Same(mood)}});
  };
  return {
      pastime("Command1", KV_N("В казино - +20% - $25"), KV_N("казино"), 25, 20),
      pastime("Command2", KV_N("В ресторан - +25% - $50"), KV_N("ресторан"), 50, 25),
      pastime("Command3", KV_N("В сауну - +50% - $75"), KV_N("сауна"), 75, 50),
      pastime("Command4", KV_N("5 мин. отдых - +5% - $5"), KV_N("пять минут отдыха"), 5, 5),
      pastime("Command5", KV_N("Перерыв - +10% - $15"), KV_N("перерыв"), 15, 10),
  };
}

// One button a slot, offering its next model; the caption is written when
// the screen loads.
std::vector<Offer> Computer(Counter counter) {
  const bool hardware = counter == Counter::Hardware;
  std::vector<Offer> rows;
  for (int slot = 0; slot < (hardware ? kHardwareSlots : kSoftwareSlots); ++slot) {
    rows.push_back(Offer{counter, hardware ? "cmdUpggrade" : "cmdUpgrade", slot, "%CPUBUTTON%", nullptr,
                         PriceFrom::NextModel, 0, hardware ? MoneyTest::AtLeastPrice : MoneyTest::None,
                         hardware ? Needs::Nothing : Needs::Requirements,
                         hardware ? std::vector<Change>{kPays, {C::Hardware}} : std::vector<Change>{{C::Software}}});
  }
  return rows;
}

// Enrolling costs nothing now and is allowed with any money: the fees come
// monthly. The captions are replaced when the screen loads.
std::vector<Offer> School() {
  return {
      Sold(Counter::School, "Command2", KV_N("Ходить на комп. курсы - +1 к комп. зн. - $75"), KV_N("курсы"), 0,
           MoneyTest::None, {{C::Courses}}),
      Sold(Counter::School, "Command1", KV_N("Ходить в школу - +10 к обр.  - $50"), KV_N("школа"), 0, MoneyTest::None,
           {{C::School}}),
  };
}

// Withdrawing asks with the repayment's words. Only the deposit and the loan
// have a minimum: withdrawing and repaying take any whole number, 0 and
// negative ones included.
std::vector<Offer> Bank() {
  auto operation = [](const char* control, const char* caption, const char* name, MoneyTest test, Needs needs,
                      std::vector<Change> changes, AmountQuestion ask) {
    Offer row{Counter::Bank, control, -1, caption, name, PriceFrom::Asked, 0, test, needs, std::move(changes)};
    row.ask = ask;
    return row;
  };
  const char* const repayQuestion = KV_N("Сколько вы хотите выплатить банку:");
  return {
      operation("Command1", KV_N("Вложить деньги под процент (мин. $100; 15%/мес)"), KV_N("вклад"),
                MoneyTest::AtLeastPrice, Needs::Nothing, {kPays, {C::Deposit, {}, 1}},
                {KV_N("Сколько вы хотите вложить долларов под 15% в месяц:"), "100", 100}),
      operation("Label7", KV_N("Забрать"), KV_N("со вклада"), MoneyTest::CoversNegative, Needs::OnDeposit,
                {kGets, {C::Deposit, {}, -1}}, {repayQuestion, "100", std::nullopt}),
      operation("Label1", KV_N("Взять ссуду ($500; 10%/мес)"), KV_N("ссуда"), MoneyTest::CoversNegative, Needs::Nothing,
                {kGets, {C::Loan, {}, 1}},
                {KV_N("Сколько вы хотите взять в кредит у банка (мин. 500 долларов под 10% в месяц):"), "500", 500}),
      operation("Label6", KV_N("Выплатить"), KV_N("выплата ссуды"), MoneyTest::AtLeastPrice, Needs::Nothing,
                {kPays, {C::Loan, {}, -1}}, {repayQuestion, "100", std::nullopt}),
  };
}

// By Counter.
const std::array<std::vector<Offer>, static_cast<size_t>(Counter::Bank) + 1> kOffers = {
    Shop(), Hospital(), Entertainment(), Computer(Counter::Hardware), Computer(Counter::Software), School(), Bank(),
};

int16_t SlotModel(const Offer& row, const GameState& s) {
  const size_t slot = static_cast<size_t>(row.index);
  return row.counter == Counter::Hardware ? s.Hw[slot] : s.Soft[slot];
}

std::string ModelName(const Offer& row, int model) {
  return row.counter == Counter::Hardware ? GetHardwareName(row.index, model) : GetSoftwareName(row.index, model);
}

bool Passes(MoneyTest test, int64_t money, int64_t price) {
  switch (test) {
    case MoneyTest::None:
      return true;
    case MoneyTest::AtLeastPrice:
      return money >= price;
    case MoneyTest::MoreThanPrice:
      return money - price > 0;
    case MoneyTest::CoversNegative:
      return price >= 0 || money >= -price;
  }
  return false;
}

// The program's refusal when the computer does not meet its requirements, the
// bank's when the deposit does not hold the amount; nullopt when the row
// needs nothing it lacks.
std::optional<std::string> Lacking(const Offer& row, const Deal& deal, const GameState& s) {
  switch (row.needs) {
    case Needs::Nothing:
      return std::nullopt;
    case Needs::Requirements:
      if (const RequirementRow* unmet = UnmetRequirements(row.index, deal.model, s)) return Tr(unmet->refusal);
      return std::nullopt;
    case Needs::OnDeposit:
      if (deal.price > s.BankDeposit) return std::string(Tr(ClerkAt(row.counter).wanting->text));
      return std::nullopt;
  }
  return std::nullopt;
}

// Every dollar taken from one side arrives on the other: a deal whose money
// or balance would not fit its 32 bits is refused whole.
bool Fits(const Offer& row, const Deal& deal, const GameState& s) {
  for (const Change& c : row.changes) {
    if (!c.InDollars()) continue;
    const int32_t now = c.kind == C::Money ? s.Money : c.kind == C::Deposit ? s.BankDeposit : s.BankLoan;
    const int64_t after = now + c.Amount(s.DifficultyCode, deal.price);
    if (after != Sat32(after)) return false;
  }
  return true;
}

struct Refusal {
  std::string text;
  Box box;
};

// Why the place refuses the deal, tested in this order: what the row needs,
// the money, the dollars' fit.
std::optional<Refusal> Refused(const Offer& row, const Deal& deal, const GameState& s) {
  const Clerk& at = ClerkAt(row.counter);
  if (std::optional<std::string> text = Lacking(row, deal, s)) return Refusal{*text, *at.wanting};
  if (!Passes(row.test, s.Money, deal.price)) {
    const std::string text = ReplaceAll(ReplaceAll(Tr(at.poor->text), "{name}", deal.what), "{price}", Str(deal.price));
    return Refusal{text, *at.poor};
  }
  if (at.noAmount && !Fits(row, deal, s)) return Refusal{Tr(at.noAmount->text), *at.noAmount};
  return std::nullopt;
}

// The amount asked of the player for the bank; nullopt (after the bank has
// said so) for an answer that is no amount or is below the row's minimum.
std::optional<Deal> AskedDeal(Life& life, const Offer& row) {
  const Clerk& at = ClerkAt(row.counter);
  // The clock runs while the box asks: a game begun meanwhile is not asked.
  const Guard game = life.ThisGame();
  const std::optional<std::string> answer =
      life.port.InputBox(Tr(at.askTitle), Tr(row.ask->prompt), row.ask->defaultText);
  if (game.Over()) return std::nullopt;
  const std::optional<int32_t> amount = answer ? ParseBankAmount(*answer) : std::nullopt;
  if (!amount || (row.ask->minimum && *amount < *row.ask->minimum)) {
    life.MsgBox(Tr(at.noAmount->text), Tr(at.noAmount->title), at.noAmount->icon);
    return std::nullopt;
  }
  return DealFor(row, *amount);
}

}  // namespace

std::span<const Offer> OffersAt(Counter counter) { return kOffers[static_cast<size_t>(counter)]; }

const Offer* FindOffer(Counter counter, const std::string& control, int index) {
  for (const Offer& row : OffersAt(counter))
    if (row.control == control && row.index == index) return &row;
  return nullptr;
}

Deal DealFor(const Offer& row, int32_t price, int16_t model) {
  // The journal writes the word in the language of the moment.
  const std::string what = row.name != nullptr ? Tr(row.name) : ModelName(row, model);
  return Deal{price, row.index, model, ClerkAt(row.counter).cause, what};
}

std::optional<int32_t> ParseBankAmount(const std::string& text) {
  // Blanks around, a sign, and a fraction that rounds the amount, halves to
  // even: "100,5" is 100, "-2.5" is -2.
  DecimalRule rule;
  rule.blanksAround = rule.plus = rule.fraction = true;
  rule.lo = std::numeric_limits<int32_t>::min();
  rule.hi = std::numeric_limits<int32_t>::max();
  const std::optional<int64_t> v = ParseDecimal(text, rule);
  if (!v) return std::nullopt;
  return static_cast<int32_t>(*v);
}

void Life::TakeOffer(const Offer& row) {
  if (!row.clickAfterMoneyTest) PlaySfx("BUTTONS");
  std::optional<Deal> deal;
  if (row.priceFrom == PriceFrom::Fixed) {
    deal = DealFor(row, row.price);
  } else if (row.priceFrom == PriceFrom::Asked) {
    deal = AskedDeal(*this, row);
  } else {
    // The slot's next model; a slot at its top has none.
    const int16_t model = Sat16(int64_t{SlotModel(row, s)} + 1);
    if (!ModelName(row, model).empty())
      deal = DealFor(row, row.counter == Counter::Hardware ? GetHardwarePrice(row.index, model) : 0, model);
  }
  if (deal) Settle(row, *deal);
}

bool Life::Settle(const Offer& row, const Deal& deal) {
  const Clerk& at = ClerkAt(row.counter);
  bool done = false;
  if (const std::optional<Refusal> no = Refused(row, deal, s)) {
    MsgBox(no->text, Tr(no->box.title), no->box.icon);
  } else {
    if (row.clickAfterMoneyTest) PlaySfx("BUTTONS");
    done = MakeChanges(row.changes, deal);
    if (done && row.news) MsgBox(Tr(row.news->text), Tr(row.news->title), row.news->icon);
  }
  if (at.balancesAfter) View().Changed(Fact::BankBalances);
  return done;
}

}  // namespace kalvitor
