// The network screen's two connections as the game keeps them: which one is
// up, and the internet's hours, billed at $1 each when it hangs up. The
// screen's status sequences and waits are the window's.
#include "life/life.h"
#include "util/int_math.h"

namespace kalvitor {

void Life::Connected(bool internet) {
  if (internet) {
    state_.InternetConnected = kTrue;
    state_.ConnectedHours = 0;
  } else {
    state_.BbsConnected = kTrue;
  }
}

// Money may go below zero.
void Life::HungUp(bool internet) {
  if (!internet) {
    state_.BbsConnected = kFalse;
    return;
  }
  state_.InternetConnected = kFalse;
  SetMoney(Sat32(int64_t{s.Money} - s.ConnectedHours), MoneyCause::NetworkBill);
}

}  // namespace kalvitor
