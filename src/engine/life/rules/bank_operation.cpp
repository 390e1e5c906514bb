// The bank's four operations on the money on hand, the deposit and the loan:
// the bank's rows of the places (rules/offers.cpp), given their amount.
#include "life/life.h"
#include "life/rules/offers.h"

namespace kalvitor {

// Any other code changes nothing, but the balances are still written.
void Life::BankOperation(int16_t operation, int32_t amount) {
  const std::span<const Offer> rows = OffersAt(Counter::Bank);
  if (operation < 0 || static_cast<size_t>(operation) >= rows.size()) {
    View().Changed(Fact::BankBalances);
    return;
  }
  const Offer& row = rows[static_cast<size_t>(operation)];
  Settle(row, DealFor(row, amount));
}

}  // namespace kalvitor
