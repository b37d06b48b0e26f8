#include <gtest/gtest.h>

#include "win32/surface_bitmap.h"
#include "win32/window_effects.h"

namespace orv::win {
namespace {

uint32_t Rgb(COLORREF c) {
  return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

TEST(DrawFrameEdge, RaisedEdgeRunsAlongTheSurfacesOuterBorder) {
  SurfaceBitmap bitmap(100, 75);
  bitmap.Put(Surface(100, 75, 0x123456), 0, 0);
  DrawFrameEdge(bitmap.Dc(), SurfaceScale{0, 0, 100, 75}, EDGE_RAISED);
  const Surface s = bitmap.Take();
  // Outer ring light at the top and left, darkest at the bottom and right; the inner ring
  // the highlight and the shadow.
  EXPECT_EQ(s.Pixel(50, 0), Rgb(GetSysColor(COLOR_3DLIGHT)));
  EXPECT_EQ(s.Pixel(0, 37), Rgb(GetSysColor(COLOR_3DLIGHT)));
  EXPECT_EQ(s.Pixel(50, 74), Rgb(GetSysColor(COLOR_3DDKSHADOW)));
  EXPECT_EQ(s.Pixel(99, 37), Rgb(GetSysColor(COLOR_3DDKSHADOW)));
  EXPECT_EQ(s.Pixel(50, 1), Rgb(GetSysColor(COLOR_3DHILIGHT)));
  EXPECT_EQ(s.Pixel(98, 37), Rgb(GetSysColor(COLOR_3DSHADOW)));
  EXPECT_EQ(s.Pixel(2, 2), 0x123456u);  // the picture inside stays
  EXPECT_EQ(s.Pixel(97, 72), 0x123456u);
}

TEST(DrawFrameEdge, FollowsAFractionalScaleRoundedHalfToEven) {
  SurfaceBitmap bitmap(100, 100);
  bitmap.Put(Surface(100, 100, 0x123456), 0, 0);
  DrawFrameEdge(bitmap.Dc(), SurfaceScale{0, 0, 66.5, 99.5}, EDGE_RAISED);  // 66 x 100
  const Surface s = bitmap.Take();
  EXPECT_EQ(s.Pixel(65, 50), Rgb(GetSysColor(COLOR_3DDKSHADOW)));
  EXPECT_EQ(s.Pixel(66, 50), 0x123456u);
  EXPECT_EQ(s.Pixel(30, 99), Rgb(GetSysColor(COLOR_3DDKSHADOW)));
}

TEST(DrawFrameEdge, AScaleBeyond32BitsLeavesTheSurfaceAlone) {
  SurfaceBitmap bitmap(10, 10);
  bitmap.Put(Surface(10, 10, 0x123456), 0, 0);
  DrawFrameEdge(bitmap.Dc(), SurfaceScale{0, 0, 5e9, 10}, EDGE_RAISED);
  EXPECT_EQ(bitmap.Take(), Surface(10, 10, 0x123456));
}

}  // namespace
}  // namespace orv::win
