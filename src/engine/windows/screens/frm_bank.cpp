#include "windows/screens/frm_bank.h"

#include <limits>

#include "util/decimal.h"
#include "windows/game.h"
#include "windows/screens/action_tips.h"

namespace kalvitor {
namespace {

constexpr const char* kBankTitle = "The Bank of New York";

// One row per action: the clickable control, the question, its default
// answer, the smallest amount the bank takes (none for withdrawing and
// repaying: any whole number goes, 0 and negative ones included), and what
// the action does in our words for its tip.
struct BankAction {
  const char* control;
  const char* prompt;
  const char* defaultText;
  std::optional<int32_t> minimum;
  int16_t operation;
  const char* tip;
};

const BankAction kActions[] = {
    {"Command1", "Сколько вы хотите вложить долларов под 15% в месяц:", "100", 100, 0,
     "Вклад от $100: каждый месяц он растёт на 15%."},
    {"Label7", "Сколько вы хотите выплатить банку:", "100", std::nullopt, 1, "Забрать деньги со вклада."},
    {"Label1", "Сколько вы хотите взять в кредит у банка (мин. 500 долларов под 10% в месяц):", "500", 500, 2,
     "Ссуда от $500: каждый месяц долг растёт на 10%. Для победы долга быть не должно."},
    {"Label6", "Сколько вы хотите выплатить банку:", "100", std::nullopt, 3, "Вернуть банку долг."},
};

const BankAction* FindAction(int16_t operation) {
  for (const BankAction& a : kActions)
    if (a.operation == operation) return &a;
  return nullptr;
}

}  // namespace

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

FrmBank::FrmBank(Game& game) : Form(game, "frmBank", kBankTitle), Label2(Build()), Label5(*Find("Label5")) {
  SetClientSize(203, 237);
  for (const BankAction& a : kActions) {
    Find(a.control)->Tip(a.tip);
    const int16_t operation = a.operation;
    OnClick(a.control, [this, operation](int) { AskAndOperate(operation); });
  }
  OnClick("Command8", [this](int) { Command8_Click(); });
}

Control& FrmBank::Build() {
  const uint32_t gold = 0xFFD878;
  const uint32_t line = 0xC0C0C0;
  AddShadowedTitle("Label4", "Label3", kBankTitle, 5, 5, 192, 22, 12, gold, 0x000000, 2, 2);
  Add("Line6", ControlKind::Shape, "").At(8, 32, 187, 1).Back(line);
  Add("Command1", ControlKind::Button, "Вложить деньги под процент (мин. $100; 15%/мес)").At(8, 38, 187, 40).Font(8);
  // Each sum has a row of its own, the whole width, so that the largest sum
  // still shows beside nothing; its action sits right below it.
  Control& deposit = Add("Label2", ControlKind::Label, "Долг банка: $0").At(8, 82, 187, 16).Font(9, true);
  Add("Label7", ControlKind::ClickLabel, "Забрать")
      .At(105, 100, 90, 16)
      .Font(9, true)
      .Color(gold)
      .AlignTo(ControlProps::Right);
  Add("Line7", ControlKind::Shape, "").At(8, 121, 187, 1).Back(line);
  Add("Label1", ControlKind::ClickLabel, "Взять ссуду ($500; 10%/мес)").At(8, 126, 187, 18).Font(9, true).Color(gold);
  Add("Label5", ControlKind::Label, "Долг банку: $0").At(8, 148, 187, 16).Font(9, true);
  Add("Label6", ControlKind::ClickLabel, "Выплатить")
      .At(105, 166, 90, 16)
      .Font(9, true)
      .Color(gold)
      .AlignTo(ControlProps::Right);
  Add("Line8", ControlKind::Shape, "").At(8, 188, 187, 1).Back(line);
  Add("Line9", ControlKind::Shape, "").At(8, 196, 187, 1).Back(line);
  Control& back = Add("Command8", ControlKind::Button, "Назад").At(8, 202, 187, 28);
  // Esc leaves the place as "Назад" does.
  SetKeys(nullptr, &back);
  return deposit;
}

void FrmBank::FormLoad() {
  SetBackground("BANK");
  RefreshBalances();
}

void FrmBank::RefreshBalances() {
  Label2.SetText("Долг банка: $" + std::to_string(game_.s.BankDeposit));
  Label5.SetText("Долг банку: $" + std::to_string(game_.s.BankLoan));
}

void FrmBank::AskAndOperate(int16_t operation) {
  const BankAction* a = FindAction(operation);
  if (a == nullptr) return;
  game_.PlaySfx("BUTTONS");
  // The clock runs while the box asks: a game begun meanwhile is not asked.
  const Guard game = game_.ThisGame();
  std::optional<std::string> answer = game_.port.InputBox(kBankTitle, a->prompt, a->defaultText);
  if (game.Over()) return;
  std::optional<int32_t> amount = answer ? ParseBankAmount(*answer) : std::nullopt;
  if (!amount || (a->minimum && *amount < *a->minimum)) {
    game_.MsgBox("Не получилось!", kBankTitle, MsgIcon::Critical);
    return;
  }
  game_.BankOperation(operation, *amount);
}

void FrmBank::Command8_Click() {
  game_.PlaySfx("BUTTONS");
  Unload();
}

}  // namespace kalvitor
