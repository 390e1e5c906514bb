#include <gtest/gtest.h>

#include "harness.h"
#include "life/rules/offers.h"
#include "windows/screens/frm_bank.h"
#include "windows/shell/frm_main.h"

namespace kalvitor::testing {
namespace {

const char* const kFailed = "MSGBOX critical \"The Bank of New York\" \"Не получилось!\" -> ok";
const char* const kNoMoney = "MSGBOX critical \"The Bank of New Work\" \"У вас нет таких денег!\" -> ok";
const char* const kNoDeposit = "MSGBOX critical \"The Bank of New York\" \"У вас нет в банке таких денег!\" -> ok";

struct Bank {
  Bank() {
    h.Start();
    h.game.MainForm().Click("cmdBank", -1);
    h.Lines();
  }
  FrmBank& form() { return h.game.Window<FrmBank>(); }
  // Answers the input box with `text` (nullopt: Cancel) and clicks `control`.
  void Do(const char* control, std::optional<std::string> text) {
    h.port.inputs.push_back(std::move(text));
    form().Click(control, -1);
  }
  std::string Deposit() { return form().depositLine.Text(); }
  std::string Loan() { return form().loanLine.Text(); }
  Harness h;
};

TEST(BankAmount, ReadsDecimalNumbersRoundingHalvesToEven) {
  struct Case {
    const char* text;
    std::optional<int32_t> value;
  };
  const Case cases[] = {
      {"  12.5 ", 12},
      {"13.5", 14},
      {"12,5", 12},
      {"0.5000001", 1},
      {"-2.5", -2},
      {"+7", 7},
      {"007", 7},
      {".5", 0},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"-2147483648.5", -2147483647 - 1},
      {"abc", std::nullopt},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"99999999999", std::nullopt},
      {"2147483648", std::nullopt},
      {"2147483647.5", std::nullopt},
      {"1 000", std::nullopt},
      {"1e3", std::nullopt},
      {".", std::nullopt},
      {"-", std::nullopt},
      {"12.5.1", std::nullopt},
      {"100000000000000000000000000", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseBankAmount(c.text), c.value) << '"' << c.text << '"';
}

TEST(Bank, OpensWithBalancesAndAsksWithTheTablesPrompts) {
  Harness h;
  h.Start();
  h.s().BankDeposit = -5;
  h.s().BankLoan = 700;
  h.game.MainForm().Click("cmdBank", -1);
  EXPECT_EQ(h.game.Window<FrmBank>().depositLine.Text(), "Долг банка: $-5");
  EXPECT_EQ(h.game.Window<FrmBank>().loanLine.Text(), "Долг банку: $700");
  h.Lines();
  h.port.inputs.push_back(std::nullopt);
  h.game.Window<FrmBank>().Click("Label7", -1);
  h.port.inputs.push_back(std::nullopt);
  h.game.Window<FrmBank>().Click("Label1", -1);
  EXPECT_EQ(h.LinesStarting("INPUT"),
            (std::vector<std::string>{
                "INPUT \"The Bank of New York\" \"Сколько вы хотите выплатить банку:\" \"100\" -> cancel",
                "INPUT \"The Bank of New York\" \"Сколько вы хотите взять в кредит у банка (мин. 500 долларов под 10% "
                "в месяц):\" \"500\" -> cancel"}));
}

TEST(Bank, TheScreensButtonsAndTheirLimits) {
  // Each step: the button, the answer (nullopt: Cancel), the message, then money, deposit and loan.
  const struct {
    const char* control;
    std::optional<std::string> answer;
    const char* said;
    int32_t money, deposit, loan;
  } steps[] = {
      {"Command1", "100", nullptr, 350, 100, 0},  // deposit: 100 at least
      {"Command1", "99", kFailed, 350, 100, 0},
      {"Command1", std::nullopt, kFailed, 350, 100, 0},
      {"Command1", "abc", kFailed, 350, 100, 0},
      {"Command1", "", kFailed, 350, 100, 0},
      {"Command1", "99999999999", kFailed, 350, 100, 0},
      {"Label6", std::nullopt, kFailed, 350, 100, 0},
      {"Label7", "101", kNoDeposit, 350, 100, 0},
      {"Label7", "100", nullptr, 450, 0, 0},  // withdraw
      {"Label1", "499", kFailed, 450, 0, 0},
      {"Label1", "500", nullptr, 950, 0, 500},  // borrow: 500 at least
      {"Label6", "-1", nullptr, 951, 0, 501},   // repay: no minimum
  };
  Bank b;
  for (const auto& st : steps) {
    SCOPED_TRACE(std::string(st.control) + " " + st.answer.value_or("cancel"));
    b.h.Lines();
    b.Do(st.control, st.answer);
    EXPECT_EQ(b.h.LinesStarting("MSGBOX"), st.said ? std::vector<std::string>{st.said} : std::vector<std::string>{});
    EXPECT_EQ((std::vector<int32_t>{b.h.s().Money, b.h.s().BankDeposit, b.h.s().BankLoan}),
              (std::vector<int32_t>{st.money, st.deposit, st.loan}));
  }
}

// The amount typed into the bank's box belongs to the game it was asked
// for: a game loaded while the box was up keeps its money and balances.
TEST(Bank, AnAmountAskedOfAGameLoadedMeanwhileIsNotTaken) {
  Bank b;
  b.h.game.SetMoney(5000);
  ASSERT_TRUE(b.h.Save("rich"));
  b.h.game.SetMoney(100);
  b.h.LoadMeanwhile("rich");
  b.Do("Command1", "1000");
  EXPECT_EQ((std::vector<int32_t>{b.h.s().Money, b.h.s().BankDeposit}), (std::vector<int32_t>{5000, 0}));
}

TEST(Bank, EveryOperationHappensWholeOrNotAtAll) {
  const int32_t kMax = 2147483647, kMin = -kMax - 1;
  const struct {
    int16_t op;
    int32_t money, deposit, loan, amount;
    const char* refusal;  // nullptr: carried out, every dollar arriving
  } rows[] = {
      {0, 450, 0, 0, 100, nullptr},
      {0, 450, 0, 0, 450, nullptr},
      {0, 450, 0, 0, 451, kNoMoney},
      {0, kMax, kMax - 10, 0, 11, kFailed},
      {0, kMax, kMax - 10, 0, 10, nullptr},
      {1, 0, 100, 0, 100, nullptr},
      {1, 0, 100, 0, 101, kNoDeposit},
      {1, kMax - 5, 1000, 0, 6, kFailed},
      {1, kMax - 5, 1000, 0, 5, nullptr},
      {1, 450, 0, 0, -450, nullptr},
      {1, 450, 0, 0, -451, kNoMoney},
      {2, 450, 0, 0, 500, nullptr},
      {2, 2147483000, 0, 0, 2000000000, kFailed},
      {2, 0, 0, kMax - 499, 500, kFailed},
      {2, 0, 0, kMax - 500, 500, nullptr},
      {3, 1000, 0, 500, 600, nullptr},
      {3, 100, 0, 500, 101, kNoMoney},
      {3, 100, 0, kMin + 50, 51, kFailed},
      {3, 100, 0, 500, -50, nullptr},
      {3, kMax - 49, 0, 0, -50, kFailed},
      {7, 450, 3, 9, 100, nullptr},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE("operation " + std::to_string(r.op) + " of " + std::to_string(r.amount) + " with $" +
                 std::to_string(r.money));
    Bank b;
    b.h.s().BankDeposit = r.deposit;
    b.h.s().BankLoan = r.loan;
    b.h.game.SetMoney(r.money);
    b.h.Lines();
    b.h.game.BankOperation(r.op, r.amount);
    const int64_t a = r.refusal != nullptr || r.op > 3 ? 0 : r.amount;
    const int64_t pocket = r.op == 0 || r.op == 3 ? -a : a;
    EXPECT_EQ(b.h.s().Money, r.money + pocket);
    EXPECT_EQ(b.h.s().BankDeposit, r.deposit + (r.op == 0 ? a : r.op == 1 ? -a : 0));
    EXPECT_EQ(b.h.s().BankLoan, r.loan + (r.op == 2 ? a : r.op == 3 ? -a : 0));
    EXPECT_EQ(b.h.Lines(), r.refusal ? std::vector<std::string>{r.refusal} : std::vector<std::string>{});
    EXPECT_EQ(b.Deposit(), "Долг банка: $" + std::to_string(b.h.s().BankDeposit));
    EXPECT_EQ(b.Loan(), "Долг банку: $" + std::to_string(b.h.s().BankLoan));
    EXPECT_EQ(b.h.Label("lblMoney"), "$" + std::to_string(b.h.s().Money));
  }
}

}  // namespace
}  // namespace kalvitor::testing
