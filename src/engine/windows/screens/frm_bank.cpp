#include "windows/screens/frm_bank.h"

#include "life/rules/offers.h"
#include "util/text_format.h"
#include "util/tr.h"
#include "windows/game.h"

namespace kalvitor {
namespace {

constexpr const char* kBankTitle = "The Bank of New York";

// The bank's rows, in the order of its operations: deposit, withdraw,
// borrow, repay.
const Offer& Operation(size_t code) { return OffersAt(Counter::Bank)[code]; }

}  // namespace

FrmBank::FrmBank(Game& game) : Form(game, "frmBank", kBankTitle), depositLine(Build()), loanLine(*Find("Label5")) {
  SetClientSize(203, 237);
  for (const Offer& row : OffersAt(Counter::Bank)) OnClick(row.control, [this, &row](int) { game_.TakeOffer(row); });
  OnClick("Command8", [this](int) { Command8_Click(); });
}

Control& FrmBank::Build() {
  const uint32_t gold = 0xFFD878;
  const uint32_t line = 0xC0C0C0;
  AddShadowedTitle("Label4", "Label3", kBankTitle, 5, 5, 192, 22, 12, gold, 0x000000, 2, 2);
  Add("Line6", ControlKind::Shape, "").At(8, 32, 187, 1).Back(line);
  Add(Operation(0).control, ControlKind::Button, Tr(Operation(0).caption))
      .At(8, 38, 187, 40)
      .Font(8)
      .Tip(Tr("Вклад от $100: каждый месяц он растёт на 15%."));
  // Each sum has a row of its own, the whole width, so that the largest sum
  // still shows beside nothing; its action sits right below it.
  Control& deposit =
      Add("Label2", ControlKind::Label, FormatText(Tr("Долг банка: $%s"), {"0"})).At(8, 82, 187, 16).Font(9, true);
  Add(Operation(1).control, ControlKind::ClickLabel, Tr(Operation(1).caption))
      .At(105, 100, 90, 16)
      .Font(9, true)
      .Color(gold)
      .AlignTo(ControlProps::Right)
      .Tip(Tr("Забрать деньги со вклада."));
  Add("Line7", ControlKind::Shape, "").At(8, 121, 187, 1).Back(line);
  Add(Operation(2).control, ControlKind::ClickLabel, Tr(Operation(2).caption))
      .At(8, 126, 187, 18)
      .Font(9, true)
      .Color(gold)
      .Tip(Tr("Ссуда от $500: каждый месяц долг растёт на 10%. Для победы долга быть не должно."));
  Add("Label5", ControlKind::Label, FormatText(Tr("Долг банку: $%s"), {"0"})).At(8, 148, 187, 16).Font(9, true);
  Add(Operation(3).control, ControlKind::ClickLabel, Tr(Operation(3).caption))
      .At(105, 166, 90, 16)
      .Font(9, true)
      .Color(gold)
      .AlignTo(ControlProps::Right)
      .Tip(Tr("Вернуть банку долг."));
  Add("Line8", ControlKind::Shape, "").At(8, 188, 187, 1).Back(line);
  Add("Line9", ControlKind::Shape, "").At(8, 196, 187, 1).Back(line);
  Control& back = Add("Command8", ControlKind::Button, Tr("Назад")).At(8, 202, 187, 28);
  // Esc leaves the place as "Назад" does.
  SetKeys(nullptr, &back);
  return deposit;
}

void FrmBank::FormLoad() {
  SetBackground("BANK");
  RefreshBalances();
}

void FrmBank::RefreshBalances() {
  depositLine.SetText(FormatText(Tr("Долг банка: $%s"), {std::to_string(game_.s.BankDeposit)}));
  loanLine.SetText(FormatText(Tr("Долг банку: $%s"), {std::to_string(game_.s.BankLoan)}));
}

void FrmBank::Relabel(const Form& fresh, const std::string& from) {
  Form::Relabel(fresh, from);
  if (Loaded()) RefreshBalances();
}

void FrmBank::Command8_Click() {
  game_.PlaySfx("BUTTONS");
  Unload();
}

}  // namespace kalvitor
