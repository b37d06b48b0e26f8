#include "startup/preview.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

constexpr AreaSize kStill{kPreviewStillWidth, kPreviewStillHeight};

TEST(VisibleStillPart, TheStandardAreaShowsTheWholeStill) {
  const AreaSize part = VisibleStillPart(kStill, {152, 112});
  EXPECT_EQ(part.width, 152);
  EXPECT_EQ(part.height, 112);
}

TEST(VisibleStillPart, ALargerAreaShowsTheStillUnscaledWithRoomRoundIt) {
  const AreaSize part = VisibleStillPart(kStill, {200, 150});
  EXPECT_EQ(part.width, 152);
  EXPECT_EQ(part.height, 112);
  const AreaSize huge = VisibleStillPart(kStill, {2400, 1600});
  EXPECT_EQ(huge.width, 152);
  EXPECT_EQ(huge.height, 112);
}

TEST(VisibleStillPart, ASmallerAreaCutsEachAxisOnItsOwn) {
  const AreaSize part = VisibleStillPart(kStill, {100, 80});
  EXPECT_EQ(part.width, 100);
  EXPECT_EQ(part.height, 80);
  const AreaSize wide = VisibleStillPart(kStill, {300, 50});
  EXPECT_EQ(wide.width, 152);
  EXPECT_EQ(wide.height, 50);
}

TEST(VisibleStillPart, EmptyOrNegativeAreasShowNothing) {
  const AreaSize zero = VisibleStillPart(kStill, {0, 0});
  EXPECT_EQ(zero.width, 0);
  EXPECT_EQ(zero.height, 0);
  const AreaSize negative = VisibleStillPart(kStill, {-5, 80});
  EXPECT_EQ(negative.width, 0);
  EXPECT_EQ(negative.height, 80);
  const AreaSize lowest = VisibleStillPart(kStill, {INT32_MIN, INT32_MIN});
  EXPECT_EQ(lowest.width, 0);
  EXPECT_EQ(lowest.height, 0);
  // A still that failed to load has nothing to show in any area.
  const AreaSize none = VisibleStillPart({0, 0}, {152, 112});
  EXPECT_EQ(none.width, 0);
  EXPECT_EQ(none.height, 0);
}

TEST(PreviewFate, OnlyARealHostKeepsThePreviewAlive) {
  EXPECT_EQ(PreviewFateFor(true), PreviewFate::kLiveWithHost);
  EXPECT_EQ(PreviewFateFor(false), PreviewFate::kEndNow);
}

}  // namespace
}  // namespace orv
