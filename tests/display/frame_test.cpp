#include <gtest/gtest.h>

#include <algorithm>

#include "display/frame.h"
#include "display/show_rig.h"

namespace orv::test {
namespace {

// The frame as the whole-screen recipe makes it: all of Master, all shadows, all pieces.
Surface ReferenceFrame(const DisplayWindow& w) {
  Surface frame = w.Master;
  DrawBalls(w.balls, w.BallPic, frame);
  return frame;
}

// A picture whose every pixel differs from its neighbours, so a misplaced copy shows.
Surface Noise(int width, int height, uint32_t seed) {
  Surface s(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      seed = seed * 1103515245u + 12345u;
      s.SetPixel(x, y, (seed >> 8) & 0xFFFFFF);
    }
  return s;
}

int FirstDifference(const Surface& a, const Surface& b) {
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return y * a.Width() + x;
  return -1;
}

TEST(DirtyRegion, CoversEveryMarkedPixelWithDisjointTileRectangles) {
  DirtyRegion region;
  region.Reset(100, 40);  // 7 x 3 tiles, the last column and row cut short
  region.Add(3, 3, 5, 5);       // tile (0, 0)
  region.Add(40, 2, 30, 4);     // tiles (2..4, 0)
  region.Add(40, 20, 30, 4);    // tiles (2..4, 1): same columns, merges downwards
  region.Add(97, 35, 50, 50);   // the cut-short corner tile
  region.Add(-50, -50, 10, 10); // off the surface: nothing
  std::vector<PixelRect> rects;
  region.Take(rects);
  EXPECT_EQ(rects, (std::vector<PixelRect>{{0, 0, 16, 16}, {32, 0, 80, 32}, {96, 32, 100, 40}}));
  region.Take(rects);
  EXPECT_TRUE(rects.empty()) << "taking leaves the region clean";
  region.Add(0, 0, 1, 1);
  region.AddAll();
  region.Add(50, 20, 1, 1);
  region.Take(rects);
  EXPECT_EQ(rects, (std::vector<PixelRect>{{0, 0, 100, 40}}));
}

TEST(DirtyRegion, RandomBoxesAreCoveredExactlyOnce) {
  DirtyRegion region;
  region.Reset(203, 157);
  uint32_t seed = 7;
  auto next = [&](int n) {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<int>((seed >> 8) % static_cast<uint32_t>(n));
  };
  std::vector<PixelRect> rects;
  for (int round = 0; round < 50; ++round) {
    std::vector<uint8_t> marked(203 * 157, 0), covered(203 * 157, 0);
    for (int i = 0; i < 40; ++i) {
      const int x = next(260) - 30, y = next(200) - 20, w = next(40), h = next(40);
      region.Add(x, y, w, h);
      for (int yy = std::max(y, 0); yy < std::min(y + h, 157); ++yy)
        for (int xx = std::max(x, 0); xx < std::min(x + w, 203); ++xx) marked[yy * 203 + xx] = 1;
    }
    region.Take(rects);
    for (const PixelRect& r : rects) {
      ASSERT_FALSE(r.Empty());
      ASSERT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= 203 && r.bottom <= 157);
      for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) ASSERT_EQ(covered[y * 203 + x]++, 0) << "overlap";
    }
    for (int i = 0; i < 203 * 157; ++i) ASSERT_TRUE(!marked[i] || covered[i]) << "missed " << i;
  }
}

// Ticks with bursts, craters, nested ticks and picture changes: after every step the screen
// (built only from what was presented) equals the frame the whole-screen recipe gives.
TEST(IncrementalFrame, MatchesTheWholeFrameAfterEveryTick) {
  ShowRig rig(203, 157);  // not a multiple of the tile size
  rig.host.screen = Noise(203, 157, 1);
  rig.AddPictures(3);
  rig.pictures.pictures[rig.app.imageList[1]] = Noise(90, 200, 2);   // tall, stretched
  rig.pictures.pictures[rig.app.imageList[2]] = Noise(300, 120, 3);  // wide, cut at the sides
  rig.pictures.pictures[rig.app.imageList[3]] = Noise(50, 50, 4);
  rig.app.settings.IntervalSec = 3;
  rig.app.settings.PieceCount = 120;
  rig.app.settings.Spread = 100;
  DisplayWindow& w = rig.Load();
  ASSERT_EQ(FirstDifference(rig.host.screen, w.Master), -1);

  int checked = 0, changes = 0, peak = 0;
  for (int tick = 1; tick <= 1500; ++tick) {
    if (tick % 10 == 0) {
      if (tick % 20 == 0) rig.pump.pending = [&] { w.Timer3_Timer(); };
      const int16_t before = w.PictureIndex;
      rig.app.settings.SizeMode = static_cast<int16_t>((tick / 70) % 2);
      w.Timer4_Timer();
      changes += w.PictureIndex != before;
      ASSERT_EQ(FirstDifference(rig.host.screen, w.Display), -1) << "after second " << tick;
    }
    w.Timer3_Timer();
    peak = std::max(peak, w.balls.ActiveCount);
    const Surface reference = ReferenceFrame(w);
    ASSERT_EQ(FirstDifference(w.Display, reference), -1) << "tick " << tick;
    ASSERT_EQ(FirstDifference(rig.host.screen, reference), -1) << "tick " << tick;
    ++checked;
  }
  EXPECT_EQ(checked, 1500);
  EXPECT_GE(changes, 20);
  EXPECT_GE(peak, 200);  // bursts overlap in the air
}

TEST(IncrementalFrame, PresentsFarLessThanTheWholeScreen) {
  auto run = [](bool full) {
    ShowRig rig(1280, 720);
    rig.app.settings.PieceCount = 250;
    DisplayWindow& w = rig.Load();
    w.SetFullFrameComposition(full);
    const uint64_t atLoad = rig.host.presentedPixels;
    for (int tick = 1; tick <= 200; ++tick) {
      if (tick % 20 == 0) w.Timer4_Timer();
      w.Timer3_Timer();
    }
    return std::pair{rig.host.presentedPixels - atLoad, ReferenceFrame(w) == rig.host.screen};
  };
  const auto [incremental, sameA] = run(false);
  const auto [whole, sameB] = run(true);
  EXPECT_TRUE(sameA);
  EXPECT_TRUE(sameB);
  EXPECT_EQ(whole, 200ull * 1280 * 720);
  EXPECT_LT(incremental * 20, whole);
}

}  // namespace
}  // namespace orv::test
