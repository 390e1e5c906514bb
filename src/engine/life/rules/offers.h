// The buttons of the places, as rows: the shop, the hospital, entertainment,
// hardware, software, the school and the bank. A row says what its button
// gives (its changes, in order), what it costs (a fixed price, the
// catalogue's price of the slot's next model, or the amount the bank is
// given) and what it needs (a money test, a program's requirements, enough on
// deposit). One routine plays any of them, Life::TakeOffer; the windows build
// their buttons from the rows and call it by row, and the tips read the same
// rows.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "life/rules/changes.h"
#include "port.h"

namespace kalvitor {

// The counter of a place where its offers are taken.
enum class Counter { Shop, Hospital, Entertainment, Hardware, Software, School, Bank };

// Where the price comes from.
enum class PriceFrom {
  Fixed,      // the row's own
  NextModel,  // the catalogue's, for the slot's next model (software is free)
  Asked,      // the amount typed into the bank's box
};

// The one test of the money on hand.
enum class MoneyTest {
  None,
  AtLeastPrice,   // money equal to the price is enough
  MoreThanPrice,  // something must be left
  // A negative amount withdrawn or borrowed goes to the bank, and must be on
  // hand: money at least minus the amount. A positive one is not tested.
  CoversNegative,
};

// What a row needs besides the money.
enum class Needs {
  Nothing,
  Requirements,  // the program's, of the software catalogue
  OnDeposit,     // the amount is no more than the deposit
};

// A message box of the game's.
struct Box {
  const char* text;
  const char* title;
  MsgIcon icon;
};

// The bank's question for an amount; below the minimum is no amount.
struct AmountQuestion {
  const char* prompt;
  const char* defaultText;
  std::optional<int32_t> minimum;
};

struct Offer {
  Counter counter;
  const char* control;
  int index;            // in the control array, -1 for a single control
  const char* caption;  // as designed
  const char* name;     // the journal's word for it; nullptr: the model's name
  PriceFrom priceFrom;
  int32_t price;  // PriceFrom::Fixed
  MoneyTest test;
  Needs needs;
  std::vector<Change> changes;
  bool clickAfterMoneyTest = false;     // the Happy Meal clicks only once it is paid for
  std::optional<Box> news{};            // said once the changes are made
  std::optional<AmountQuestion> ask{};  // PriceFrom::Asked
};

// The rows of a place, in the window's order. The bank's rows are in the
// order of BankOperation's codes: 0 deposit, 1 withdraw, 2 borrow, 3 repay.
std::span<const Offer> OffersAt(Counter counter);
// nullptr when the place has no such button.
const Offer* FindOffer(Counter counter, const std::string& control, int index = -1);
// A row's deal at a price (and a model, for a slot of the computer): the
// place's cause of the money, and the row's word for the journal.
Deal DealFor(const Offer& row, int32_t price, int16_t model = 0);

// The player's answer to the bank read as a number of dollars: blanks around
// it are ignored, a fraction (after a point or a comma) is rounded to the
// nearest whole dollar with halves going to the even neighbour. Nothing for
// an empty answer, text that is not a number, or a value outside 32 bits.
std::optional<int32_t> ParseBankAmount(const std::string& text);

}  // namespace kalvitor
