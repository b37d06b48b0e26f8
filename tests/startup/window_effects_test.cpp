#include "dialog/window_geometry.h"

#include <gtest/gtest.h>

#include <tuple>

namespace orv {
namespace {

auto Tie(const ScreenRect& r) { return std::tuple(r.left, r.top, r.right, r.bottom); }

TEST(ZoomPath, OpeningGrowsFromThePointAndClosingShrinksBackToIt) {
  const ScreenRect dialog{208, 104, 817, 664};
  const ZoomPath open = ZoomOpenPath(500, 400, dialog);
  EXPECT_EQ(Tie(open.from), std::tuple(500, 400, 500, 400));
  EXPECT_EQ(Tie(open.to), Tie(dialog));
  const ZoomPath close = ZoomClosePath(500, 400, dialog);
  EXPECT_EQ(Tie(close.from), Tie(dialog));
  EXPECT_EQ(Tie(close.to), std::tuple(500, 400, 500, 400));
}

TEST(ZoomPath, NegativePointsKeepTheirSignOnAnotherMonitor) {
  const ZoomPath open = ZoomOpenPath(-1200, -32768, ScreenRect{});
  EXPECT_EQ(Tie(open.from), std::tuple(-1200, -32768, -1200, -32768));
  // A window rectangle that could not be read stays all zeros: the outline runs to the
  // screen's top-left corner.
  EXPECT_EQ(Tie(open.to), std::tuple(0, 0, 0, 0));
}

TEST(FrameEdgeRect, CoversTheWholeSurfaceOfAPixelScale) {
  const auto rect = FrameEdgeRect({0, 0, 100, 75});
  ASSERT_TRUE(rect);
  EXPECT_EQ(Tie(*rect), std::tuple(0, 0, 100, 75));
}

TEST(FrameEdgeRect, RoundsFractionalScalesHalfToEven) {
  // A preview surface sized from a fitted picture keeps fractions until here.
  const auto rect = FrameEdgeRect({0.5, 1.5, 66.5, 99.5000001});
  ASSERT_TRUE(rect);
  EXPECT_EQ(Tie(*rect), std::tuple(0, 2, 66, 100));
  const auto negative = FrameEdgeRect({-2.5, -3.5, 10.49, 10.51});
  ASSERT_TRUE(negative);
  EXPECT_EQ(Tie(*negative), std::tuple(-2, -4, 10, 11));
}

TEST(FrameEdgeRect, AScaleBeyond32BitsDrawsNoEdge) {
  EXPECT_FALSE(FrameEdgeRect({0, 0, 3e9, 10}));
  EXPECT_FALSE(FrameEdgeRect({0, -3e9, 10, 10}));
  EXPECT_TRUE(FrameEdgeRect({0, 0, 2147483647.0, 10}));
}

}  // namespace
}  // namespace orv
