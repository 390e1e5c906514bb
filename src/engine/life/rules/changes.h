// One change a rule makes to the game, as a row: the daily events, the day's
// wear, the monthly accounts and every button of the places (rules/offers.h)
// write what they do as changes in order. Life::MakeChanges makes them one
// by one, each through its value's own routine (the setters, BuyHardware),
// and stops as soon as one has ended the game: a death in a setter starts a
// new game at once, and the rest was meant for the old one.
#pragma once

#include <cstdint>
#include <string>

#include "life/journal/money_cause.h"

namespace kalvitor {

// An amount by the level of difficulty: hard, normal, easy (DifficultyCode
// 0, 1, anything else).
struct ByLevel {
  int hard = 0, normal = 0, easy = 0;
  int Pick(int16_t code) const { return code == 0 ? hard : code == 1 ? normal : easy; }
};
constexpr ByLevel Same(int v) { return {v, v, v}; }

struct Change {
  enum Kind {
    Mood,      // per cent, through SetMood (can end the game)
    Health,    // per cent, through SetHealth (can end the game)
    Satiety,   // per cent, through SetSatiety (can end the game)
    Money,     // dollars on hand, through SetMoney
    Deposit,   // dollars the bank owes the player
    Loan,      // dollars the player owes the bank
    Hardware,  // the deal's hardware slot gets the deal's model
    Software,  // the deal's software slot gets the deal's model
    Courses,   // the computer courses: attending turns over
    School,    // the school: attending turns over
  } kind;
  ByLevel amount{};
  // And this many times the deal's price: -1 pays it, +1 receives it.
  int perPrice = 0;

  int64_t Amount(int16_t level, int32_t price) const { return amount.Pick(level) + int64_t{perPrice} * price; }
  // Money and the bank's balances are whole dollars of 32 bits.
  bool InDollars() const { return kind == Money || kind == Deposit || kind == Loan; }
};

// What a run of changes is about: the price a place asks (or the amount the
// bank was given), the slot and model a purchase puts in, and why the money
// moves, with the journal's word for it ("биг-мак", "вклад", a model's name).
struct Deal {
  int32_t price = 0;
  int slot = 0;
  int16_t model = 0;
  MoneyCause cause = MoneyCause::Other;
  std::string what;
};

}  // namespace kalvitor
