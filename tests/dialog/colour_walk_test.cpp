// The link label's colour walk.
#include <set>

#include "dialog_fixture.h"

namespace orv::test {
namespace {

TEST(ColourWalkTest, TheFirstTickMovesEachChannelToZeroOrTen) {
  ScriptedRandom random;
  random.values = {0.0, 0.5, 0.99};  // stay, down, up
  ColourWalk walk;
  walk.Tick(random);
  EXPECT_EQ(walk.channels, (std::array<int16_t, 3>{0, 0, 10}));
  EXPECT_EQ(walk.Colour(), 0x00000Au);
  EXPECT_EQ(random.draws, 3);
}

TEST(ColourWalkTest, NewDirectionsOnlyWhenEveryChannelRestsAtAnEnd) {
  ScriptedRandom random;
  random.values = {0.9, 0.9, 0.0};  // red and green up
  ColourWalk walk;
  for (int i = 0; i < 25; ++i) walk.Tick(random);
  EXPECT_EQ(walk.Colour(), 0xFAFA00u);  // a whole leg of 25 ticks, 250 each
  EXPECT_EQ(random.draws, 3);
  random.values = {0.5, 0.0, 0.0};  // red down
  walk.Tick(random);
  EXPECT_EQ(random.draws, 6);
  EXPECT_EQ(walk.channels, (std::array<int16_t, 3>{240, 250, 0}));
  walk.Tick(random);
  EXPECT_EQ(random.draws, 6);
}

TEST(ColourWalkTest, ADrawThatMovesNothingIsRepeatedOnTheNextTick) {
  ScriptedRandom random;
  random.values = {0.4, 0.4, 0.1, 0.7};  // all down or staying at 0: nothing moves
  ColourWalk walk;
  walk.Tick(random);
  EXPECT_EQ(walk.Colour(), 0u);
  walk.Tick(random);
  EXPECT_EQ(random.draws, 6);
  EXPECT_EQ(walk.channels[0], 10);
}

// A fair generator for long runs.
class Lcg : public Random {
 public:
  void Reseed() override {}
  double Next() override {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<double>(state_ >> 11) / 9007199254740992.0;
  }

 private:
  uint64_t state_ = 12345;
};

TEST(ColourWalkTest, ChannelsStayOnMultiplesOfTenBetweenZeroAnd250) {
  Lcg random;
  ColourWalk walk;
  std::set<int16_t> seen;
  for (int i = 0; i < 20000; ++i) {
    walk.Tick(random);
    for (const int16_t c : walk.channels) {
      ASSERT_GE(c, 0);
      ASSERT_LE(c, 250);
      ASSERT_EQ(c % 10, 0);
      seen.insert(c);
    }
  }
  EXPECT_EQ(seen.size(), 26u);  // and it does reach every step of the way
}

TEST_F(DialogTest, TheTimerWalksTheLinkColourAndRepaintsIt) {
  LoadWithoutFile();
  Open();
  random.values = {0.99, 0.0, 0.0};
  host.invalidated.clear();
  dialog->Timer1_Timer();
  EXPECT_EQ(dialog->UrlColour(), 0x0A0000u);
  ASSERT_FALSE(host.invalidated.empty());
  EXPECT_EQ(host.invalidated.back(), (ControlId{Ctl::lbl_URL, 0}));
}

}  // namespace
}  // namespace orv::test
