#include <gtest/gtest.h>

#include "harness.h"
#include "screens/frm_bank.h"
#include "shell/frm_main.h"

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
  FrmBank& form() { return h.game.BankForm(); }
  // Answers the input box with `text` (nullopt: Cancel) and clicks `control`.
  void Do(const char* control, std::optional<std::string> text) {
    h.port.inputs.push_back(std::move(text));
    form().Click(control, -1);
  }
  std::string Deposit() { return form().Label2.Text(); }
  std::string Loan() { return form().Label5.Text(); }
  Harness h;
};

TEST(BankAmount, ReadsDecimalNumbersRoundingHalvesToEven) {
  struct Case {
    const char* text;
    std::optional<int32_t> value;
  };
  const Case cases[] = {
      {"  12.5 ", 12},        {"13.5", 14},           {"12,5", 12},          {"0.5000001", 1},
      {"-2.5", -2},           {"+7", 7},              {"007", 7},            {".5", 0},
      {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}, {"-2147483648.5", -2147483647 - 1},
      {"abc", std::nullopt},  {"", std::nullopt},     {"   ", std::nullopt}, {"99999999999", std::nullopt},
      {"2147483648", std::nullopt}, {"2147483647.5", std::nullopt}, {"1 000", std::nullopt},
      {"1e3", std::nullopt},  {".", std::nullopt},    {"-", std::nullopt},   {"12.5.1", std::nullopt},
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
  EXPECT_EQ(h.game.BankForm().Background(), "BANK");
  EXPECT_EQ(h.game.BankForm().Label2.Text(), "Долг банка: $-5");
  EXPECT_EQ(h.game.BankForm().Label5.Text(), "Долг банку: $700");
  h.Lines();
  h.port.inputs.push_back(std::nullopt);
  h.game.BankForm().Click("Label7", -1);
  h.port.inputs.push_back(std::nullopt);
  h.game.BankForm().Click("Label1", -1);
  auto inputs = h.LinesStarting("INPUT");
  ASSERT_EQ(inputs.size(), 2u);
  EXPECT_EQ(inputs[0], "INPUT \"The Bank of New York\" \"Сколько вы хотите выплатить банку:\" \"100\" -> cancel");
  EXPECT_EQ(inputs[1],
            "INPUT \"The Bank of New York\" \"Сколько вы хотите взять в кредит у банка (мин. 500 долларов под 10% в "
            "месяц):\" \"500\" -> cancel");
  h.game.BankForm().Click("Command8", -1);
  EXPECT_FALSE(h.game.BankForm().Loaded());
}

TEST(Bank, DepositsAndWithdraws) {
  Bank b;
  b.Do("Command1", "100");
  EXPECT_EQ(b.h.s().Money, 350);
  EXPECT_EQ(b.Deposit(), "Долг банка: $100");
  EXPECT_EQ(b.h.Label("lblMoney"), "$350");

  // Below the minimum, Cancel, not a number, too big: refused, nothing changes.
  for (std::optional<std::string> answer :
       {std::optional<std::string>("99"), std::optional<std::string>(), std::optional<std::string>("abc"),
        std::optional<std::string>(""), std::optional<std::string>("99999999999")}) {
    b.h.Lines();
    b.Do("Command1", answer);
    EXPECT_TRUE(b.h.Saw(kFailed));
    EXPECT_EQ(b.h.s().Money, 350);
    EXPECT_EQ(b.h.s().BankDeposit, 100);
  }
  b.h.Lines();
  b.Do("Label6", std::nullopt);  // Cancel on the repayment box too
  EXPECT_TRUE(b.h.Saw(kFailed));

  // Withdrawing one dollar more than the deposit is refused; the whole deposit is not.
  b.h.Lines();
  b.Do("Label7", "101");
  EXPECT_TRUE(b.h.Saw(kNoDeposit));
  EXPECT_EQ(b.h.s().BankDeposit, 100);
  b.Do("Label7", "100");
  EXPECT_EQ(b.h.s().Money, 450);
  EXPECT_EQ(b.Deposit(), "Долг банка: $0");
}

TEST(Bank, RefusesToTakeMoreThanThePlayerHas) {
  Bank b;
  // A deposit larger than the money on hand.
  b.Do("Command1", "451");
  EXPECT_TRUE(b.h.Saw(kNoMoney));
  EXPECT_EQ(b.h.s().Money, 450);
  EXPECT_EQ(b.h.s().BankDeposit, 0);
  // A negative withdrawal is a deposit in disguise: the same test holds.
  b.h.Lines();
  b.Do("Label7", "-451");
  EXPECT_TRUE(b.h.Saw(kNoMoney));
  EXPECT_EQ(b.h.s().BankDeposit, 0);
  b.Do("Label7", "-450");
  EXPECT_EQ(b.h.s().Money, 0);
  EXPECT_EQ(b.Deposit(), "Долг банка: $450");
  // The whole money on hand may go in.
  b.h.s().Money = 20;
  b.Do("Command1", "  19.5 ");  // 19.5 rounds to 20 but is below the minimum of 100
  EXPECT_TRUE(b.h.Saw(kFailed));
}

TEST(Bank, BorrowsAndRepays) {
  Bank b;
  b.Do("Label1", "499");
  EXPECT_TRUE(b.h.Saw(kFailed));
  b.Do("Label1", "500");
  EXPECT_EQ(b.h.s().Money, 950);
  EXPECT_EQ(b.Loan(), "Долг банку: $500");

  b.h.s().Money = 100;
  b.h.Lines();
  b.Do("Label6", "101");
  EXPECT_TRUE(b.h.Saw(kNoMoney));
  EXPECT_EQ(b.h.s().BankLoan, 500);

  b.h.s().Money = 1000;
  b.Do("Label6", "600");
  EXPECT_EQ(b.h.s().Money, 400);
  EXPECT_EQ(b.Loan(), "Долг банку: $-100");

  // A negative repayment borrows without a minimum.
  b.Do("Label6", "-50");
  EXPECT_EQ(b.h.s().Money, 450);
  EXPECT_EQ(b.Loan(), "Долг банку: $-50");
}

TEST(Bank, SumsSaturateAndUnknownCodesOnlyRefresh) {
  Bank b;
  b.h.s().Money = 2147483647;
  b.h.s().BankDeposit = 2147483600;
  b.h.game.BankOperation(2, 500);  // money on hand stops at the top
  EXPECT_EQ(b.h.s().Money, 2147483647);
  EXPECT_EQ(b.h.s().BankLoan, 500);
  b.h.game.BankOperation(0, 1000);  // and so does the deposit
  EXPECT_EQ(b.h.s().BankDeposit, 2147483647);
  EXPECT_EQ(b.h.s().Money, 2147482647);
  b.h.s().BankLoan = 9;
  b.h.game.BankOperation(7, 100);
  EXPECT_EQ(b.Loan(), "Долг банку: $9");
}

TEST(Bank, InterestIsAddedMonthly) {
  Bank b;
  b.h.s().Money = 5000;
  b.Do("Command1", "1000");
  b.Do("Label1", "500");
  // A quiet month-end: family code 0, event 0.
  b.h.Rnd({0.0, 0.0});
  b.h.game.DailyEvents(true);
  EXPECT_EQ(b.h.s().BankDeposit, 1150);
  EXPECT_EQ(b.h.s().BankLoan, 550);
  b.h.Rnd({0.0, 0.0});
  b.h.game.DailyEvents(true);
  EXPECT_EQ(b.h.s().BankDeposit, 1322);  // 172.5 goes to the even 172
  EXPECT_EQ(b.h.s().BankLoan, 605);
}

}  // namespace
}  // namespace kalvitor::testing
