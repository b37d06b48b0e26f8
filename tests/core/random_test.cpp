#include "toolkit/random.h"

#include <gtest/gtest.h>

#include <set>

namespace orv {
namespace {

struct StoppedClock : Clock {
  double SecondsSinceMidnight() override { return 1234.5; }
};

TEST(ClockSeededRandom, DrawsStayInTheHalfOpenUnitInterval) {
  StoppedClock clock;
  ClockSeededRandom random(clock);
  for (int i = 0; i < 100000; ++i) {
    const double u = random.Next();
    ASSERT_GE(u, 0.0);
    ASSERT_LT(u, 1.0);
  }
}

TEST(ClockSeededRandom, ReseedingAtTheSameInstantStillGivesFreshNumbers) {
  StoppedClock clock;
  ClockSeededRandom random(clock);
  std::set<double> seen;
  for (int i = 0; i < 100; ++i) {
    random.Reseed();
    seen.insert(random.Next());
  }
  EXPECT_EQ(seen.size(), 100u);
}

}  // namespace
}  // namespace orv
