#include "display/fragments.h"

#include <gtest/gtest.h>

#include "show_scene.h"
#include "support/show_fakes.h"

namespace orv::test {
namespace {

// The crash settings of a fresh installation: bounce 0.35, one pixel a tick of gravity,
// sideways speeds within +-5, depth speeds within +-2.5, launch speeds 1.75 .. 13.4.
CrashParams Defaults() { return CrashParamsFrom(bench::SceneSettings()); }

TEST(Fragment, RisesFallsLandsOnTick17BouncesTwiceAndIsGoneOnTick23) {
  ScriptedRandom random;
  random.script = {0.5, 0.6, 0.5, 0.0};  // no drift, 0.6 x 35 / 3 + 35 / 20 = 8.75 up, shape 1
  FragmentPool pool;
  ASSERT_TRUE(pool.Launch(Defaults(), 1, 100, 100, random));
  const Ball& b = pool.Slot(1);
  EXPECT_EQ(b.Yvel, -8.75f);
  EXPECT_EQ(b.Yshadow, 102.0f);
  std::vector<int> grounded;
  int gone = 0;
  for (int tick = 1; tick <= 30 && !gone; ++tick) {
    pool.Step(Defaults(), 640, 480);
    if (b.Enabled == kFalse) gone = tick;
    else if (b.Ypos == b.Ystart) grounded.push_back(tick);
  }
  // Down at 8.25 on tick 17, up at 2.89; down at 2.11 on tick 22, up at 0.74; tick 23 lands
  // it at 0.26, which bounces back at 0.09, less than half the gravity: it rests.
  EXPECT_EQ(grounded, (std::vector<int>{17, 22}));
  EXPECT_EQ(gone, 23);
}

TEST(FragmentPool, ABurstFliesWholeIntoTheLowestFreeSlotsOrNotAtAll) {
  ScriptedRandom random;
  FragmentPool pool;
  const CrashParams p = Defaults();
  for (const int16_t count : {0, -5, 501}) EXPECT_FALSE(pool.Launch(p, count, 10, 10, random));
  EXPECT_TRUE(random.log.empty());
  ASSERT_TRUE(pool.Launch(p, 2, 10, 300, random));   // slots 1 and 2
  ASSERT_TRUE(pool.Launch(p, 1, 600, 300, random));  // slot 3, right of a 300-wide screen
  pool.Step(p, 300, 480);
  EXPECT_EQ(pool.Active(), 2);
  EXPECT_EQ(pool.Slot(3).Enabled, kFalse);
  ASSERT_TRUE(pool.Launch(p, 1, 20, 300, random));   // slot 3 again
  EXPECT_EQ(pool.Slot(3).Xpos, 20.0f);
  EXPECT_TRUE(pool.Launch(p, 497, 10, 10, random));  // exactly full
  EXPECT_FALSE(pool.Launch(p, 1, 10, 10, random));
  EXPECT_EQ(pool.Active(), 500);
}

TEST(FragmentPool, AFragmentLeavesWhenItIsOffTheScreenNotOnItsEdge) {
  const struct {
    int16_t x, y;
    bool gone;
  } cases[] = {{0, 100, false},   {-1, 100, true},  {320, 100, false}, {321, 100, true},
               {100, 240, false}, {100, 241, true}, {100, -2, false},  {100, -3, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    ScriptedRandom random;
    random.script = {0.5, 0.0, 0.5, 0.0};  // straight up at 1.75, no tilt
    FragmentPool pool;
    ASSERT_TRUE(pool.Launch(Defaults(), 1, c.x, c.y, random));
    pool.Step(Defaults(), 320, 240);
    EXPECT_EQ(pool.Active(), c.gone ? 0 : 1);
  }
}

// The scene of the tick benchmark, hashed over the screen and the pool. The hashes were
// recorded from the show before its engine became a unit of its own; the whole-frame
// recipe and the incremental frame must both give them.
TEST(ShowScene, TheSameSeedGivesTheSamePixelsAndPoolWhateverTheComposition) {
  struct Case {
    int w, h;
    bool scatter;
    int ticks;
    uint64_t hash;
  };
  const Case cases[] = {{320, 240, false, 300, 0xa449ad06426337cfull},
                        {320, 240, true, 300, 0x61490b89f4ae5fe5ull},
                        {200, 150, false, 1000, 0x1a91f1f00a9bcdfdull}};
  for (const Case& c : cases) {
    uint64_t bytes[2] = {};
    for (const bool full : {false, true}) {
      SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " scatter " << c.scatter
                                      << " full " << full);
      bench::ShowScene scene(c.w, c.h, full, c.scatter);
      for (int i = 0; i < c.ticks; ++i) scene.Tick();
      EXPECT_EQ(scene.Hash(), c.hash);
      bytes[full] = scene.PresentedBytes();
    }
    // Only the boxes that changed reach the screen.
    EXPECT_LT(bytes[0], bytes[1]);
  }
}

}  // namespace
}  // namespace orv::test
