#include "toolkit/surface.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(BitBlt, RasterOperationsCombinePixelsBitwise) {
  Surface dst(2, 1, 0x123456);
  Surface src(2, 1, 0x00FF00);
  BitBlt(dst, 0, 0, 1, 1, src, 0, 0, Rop::kSrcAnd);
  BitBlt(dst, 1, 0, 1, 1, src, 0, 0, Rop::kSrcInvert);
  EXPECT_EQ(dst.Pixel(0, 0), 0x003400u);
  EXPECT_EQ(dst.Pixel(1, 0), 0x12CB56u);
  BitBlt(dst, 0, 0, 2, 1, src, 0, 0, Rop::kSrcCopy);
  EXPECT_EQ(dst, src);
}

TEST(BitBlt, ClipsAtEveryEdgeOfBothSurfaces) {
  Surface src(3, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) src.SetPixel(x, y, uint32_t(10 * y + x + 1));
  Surface dst(4, 4, 0xFFFFFF);
  BitBlt(dst, -1, -1, 3, 3, src, 0, 0, Rop::kSrcCopy);  // top-left corner cut
  EXPECT_EQ(dst.Pixel(0, 0), 12u);
  EXPECT_EQ(dst.Pixel(1, 1), 23u);
  EXPECT_EQ(dst.Pixel(2, 0), 0xFFFFFFu);
  BitBlt(dst, 3, 3, 3, 3, src, 0, 0, Rop::kSrcCopy);  // bottom-right corner cut
  EXPECT_EQ(dst.Pixel(3, 3), 1u);
  Surface dst2(2, 2, 0xFFFFFF);
  BitBlt(dst2, 0, 0, 5, 5, src, 2, 2, Rop::kSrcCopy);  // source runs out
  EXPECT_EQ(dst2.Pixel(0, 0), 23u);
  EXPECT_EQ(dst2.Pixel(1, 1), 0xFFFFFFu);
  BitBlt(dst2, 100, -100, 5, 5, src, 0, 0, Rop::kSrcCopy);  // entirely outside: no effect
  BitBlt(dst2, 0, 0, -5, 5, src, 0, 0, Rop::kSrcCopy);
}

TEST(FillBox, ABoxOffTheSurfaceOrASurfaceWithoutColumnsFillsNothing) {
  Surface s(5, 2, kWhite);
  s.FillBox(10, 0, 20, 1, kBlack);  // left of the box beyond the right edge
  s.FillBox(0, 5, 4, 9, kBlack);    // below the last row
  s.FillBox(3, 0, 1, 1, kBlack);    // left and right swapped
  EXPECT_EQ(s, Surface(5, 2, kWhite));
  Surface columnless(0, 3);         // a screen measured 0 pixels wide
  columnless.FillBox(0, 0, -1, 2, kBlack);
  EXPECT_TRUE(columnless.Empty());
  s.FillBox(-3, -3, 1, 0, kBlack);  // clipped at the top-left corner
  EXPECT_EQ(s.Pixel(1, 0), kBlack);
  EXPECT_EQ(s.Pixel(2, 0), kWhite);
  EXPECT_EQ(s.Pixel(0, 1), kWhite);
}

TEST(StretchBlt, SamplesTheSourcePixelUnderEachTargetCentre) {
  Surface src(2, 1);
  src.SetPixel(0, 0, 1);
  src.SetPixel(1, 0, 2);
  Surface dst(5, 2);
  StretchBlt(dst, 0, 0, 5, 2, src, 0, 0, 2, 1);
  EXPECT_EQ(dst.Pixel(0, 0), 1u);
  EXPECT_EQ(dst.Pixel(1, 0), 1u);
  EXPECT_EQ(dst.Pixel(2, 1), 2u);  // centre 2.5 of 5 -> source 1
  EXPECT_EQ(dst.Pixel(4, 1), 2u);
  Surface shrink(1, 1);
  StretchBlt(shrink, -3, 0, 4, 1, dst, 0, 0, 5, 1);  // clipped left part
  EXPECT_EQ(shrink.Pixel(0, 0), 2u);
}

TEST(FillEllipse, CoversTheCentreAndRespectsTheHalfAxes) {
  Surface s(41, 21, kWhite);
  s.FillEllipse(20, 10, 20, 4, kBlack);
  EXPECT_EQ(s.Pixel(20, 10), kBlack);
  EXPECT_EQ(s.Pixel(1, 10), kBlack);
  EXPECT_EQ(s.Pixel(0, 0), kWhite);
  EXPECT_EQ(s.Pixel(20, 6), kBlack);
  EXPECT_EQ(s.Pixel(20, 4), kWhite);
  int rows = 0;
  for (int y = 0; y < 21; ++y) rows += s.Pixel(20, y) == kBlack;
  EXPECT_EQ(rows, 8);
  Surface edge(4, 4, kWhite);
  edge.FillEllipse(0, 0, 10, 10, kBlack);  // clipped, no crash
  EXPECT_EQ(edge.Pixel(3, 3), kBlack);
}

}  // namespace
}  // namespace orv
