#include <gtest/gtest.h>

#include "harness.h"

namespace kalvitor::testing {

TEST(Smoke, NewGameShowsStartingValues) {
  Harness h;
  h.Start();
  h.Ticks(1);
  EXPECT_EQ(h.Label("lblMoney"), "$450");
  EXPECT_EQ(h.Label("lblTime"), "6 декабря 2026 / 22:17");
}

}  // namespace kalvitor::testing
