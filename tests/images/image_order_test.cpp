#include "images/image_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace orv {
namespace {

struct TickingClock : Clock {
  double t = 0;
  double SecondsSinceMidnight() override { return t += 0.001; }
};

// Draws a scripted sequence of uniform numbers and counts the re-seeds.
struct ScriptedRandom : Random {
  std::vector<double> draws;
  size_t next = 0;
  int reseeds = 0;
  void Reseed() override { ++reseeds; }
  double Next() override { return draws.at(next++); }
};

PictureList WithPictures(int count, int16_t changeMode) {
  PictureList app;
  app.imageCount = static_cast<int16_t>(count);
  app.imageOrder.assign(static_cast<size_t>(count) + 1, 0);
  app.settings.ChangeMode = changeMode;
  return app;
}

TEST(BuildImageOrder, SequentialIsTheListOrderEveryTime) {
  PictureList app = WithPictures(3, 0);
  ScriptedRandom random;
  for (int round = 0; round < 2; ++round) {
    BuildImageOrder(app, random);
    EXPECT_EQ(app.imageOrder, (std::vector<int16_t>{0, 1, 2, 3}));
  }
  EXPECT_EQ(random.reseeds, 0);
}

TEST(BuildImageOrder, RandomWalksToTheDrawnRankAmongUntakenPictures) {
  PictureList app = WithPictures(4, 1);
  app.imageOrder[0] = 99;
  ScriptedRandom random;
  // ranks: floor(u*4)+1 = 3 -> picture 3; floor(u*3)+1 = 1 -> 1; floor(u*2)+1 = 2 -> 4; 1 -> 2
  random.draws = {0.5, 0.0, 0.99, 0.3};
  BuildImageOrder(app, random);
  EXPECT_EQ(app.imageOrder, (std::vector<int16_t>{99, 3, 1, 4, 2}));
  EXPECT_EQ(random.reseeds, 4);  // once before every draw
}

TEST(BuildImageOrder, AtTheLargestCountRanksStillFindTheirPictures) {
  // Alternately the first and the last untaken picture: 1, 32767, 2, 32766, ...
  PictureList app = WithPictures(32767, 1);
  ScriptedRandom random;
  for (int i = 0; i < 32767; ++i) random.draws.push_back(i % 2 ? 0.99999 : 0.0);
  BuildImageOrder(app, random);
  for (int p = 1; p <= 32767; ++p) {
    const int expected = p % 2 ? (p + 1) / 2 : 32768 - p / 2;
    ASSERT_EQ(app.imageOrder[static_cast<size_t>(p)], expected) << "position " << p;
  }
}

TEST(BuildImageOrder, AnyNonZeroModeIsRandomAndOnePictureTakesOneDraw) {
  PictureList app = WithPictures(1, 2);
  ScriptedRandom random;
  random.draws = {0.7};
  BuildImageOrder(app, random);
  EXPECT_EQ(app.imageOrder[1], 1);
  EXPECT_EQ(random.next, 1u);
}

TEST(BuildImageOrder, EveryPictureReachesEveryPositionAndEachCycleIsAPermutation) {
  TickingClock clock;
  ClockSeededRandom random(clock);
  PictureList app = WithPictures(5, 1);
  int seen[6][6] = {};
  for (int build = 0; build < 5000; ++build) {
    BuildImageOrder(app, random);
    std::vector<int16_t> sorted(app.imageOrder.begin() + 1, app.imageOrder.end());
    std::sort(sorted.begin(), sorted.end());
    ASSERT_EQ(sorted, (std::vector<int16_t>{1, 2, 3, 4, 5}));
    for (int p = 1; p <= 5; ++p) ++seen[p][app.imageOrder[static_cast<size_t>(p)]];
  }
  for (int p = 1; p <= 5; ++p) {
    for (int picture = 1; picture <= 5; ++picture) {
      EXPECT_GT(seen[p][picture], 850) << p << "," << picture;  // 1000 expected
      EXPECT_LT(seen[p][picture], 1150) << p << "," << picture;
    }
  }
}

TEST(BuildImageOrder, NoPicturesOrAnUnsizedOrderDoNothing) {
  PictureList app;
  ScriptedRandom random;
  app.settings.ChangeMode = 1;
  BuildImageOrder(app, random);  // would never stop counting down if it ran
  app.imageCount = 3;
  BuildImageOrder(app, random);
  EXPECT_EQ(random.next, 0u);
}

}  // namespace
}  // namespace orv
