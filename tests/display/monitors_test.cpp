#include <gtest/gtest.h>

#include "display/picture_ahead.h"
#include "show_scene.h"
#include "support/show_fakes.h"

namespace orv::test {
namespace {

bool Inside(const PixelRect& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// Each monitor shows what a screen of its size alone would, cut at its edges; between the
// monitors stays black. A 50 x 8 picture is wider than both monitors at its own size.
TEST(Monitors, EachMonitorGetsThePicturePlacedForItsOwnSize) {
  FakePictures loader;
  Surface picture(50, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 50; ++x) picture.SetPixel(x, y, 0x10000u + uint32_t(y * 50 + x));
  loader.pictures[u"p.bmp"] = picture;
  const std::vector<PixelRect> monitors = {{0, 10, 40, 40}, {40, 0, 60, 60}};
  const auto both = PlaceOnScreen(loader, u"p.bmp", Placing{0, 0, 60, 60, 1, monitors});
  ASSERT_TRUE(both);
  std::vector<Surface> alone;
  for (const PixelRect& m : monitors)
    alone.push_back(*PlaceOnScreen(loader, u"p.bmp",
                                   Placing{m.Width(), m.Height(), m.Width(), m.Height(), 1, {}}));
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x) {
      uint32_t want = kBlack;
      for (size_t i = 0; i < 2; ++i)
        if (Inside(monitors[i], x, y)) want = alone[i].Pixel(x - monitors[i].left, y - monitors[i].top);
      ASSERT_EQ(both->Pixel(x, y), want) << x << "," << y;
    }
}

// The primary on the right, a smaller, lower monitor left of it at negative coordinates:
// a 320 x 190 box with holes above the left monitor and below the primary.
TEST(Monitors, ImpactsReachEveryMonitorAndNothingBetweenThemIsDrawnOrPresented) {
  const std::vector<PixelRect> desktop = {{0, 0, 200, 150}, {-120, 100, 0, 190}};
  const PixelRect onBox[] = {{120, 0, 320, 150}, {0, 100, 120, 190}};
  // Further from the shared border than a crater's radius (20) reaches.
  const PixelRect inner[] = {{141, 0, 320, 150}, {0, 100, 99, 190}};
  uint64_t hashes[2] = {};
  for (const bool full : {false, true}) {
    Surface seen(320, 190);
    bench::ShowScene scene(desktop, full, false, &seen);
    for (int i = 0; i < 1500; ++i) scene.Tick();
    hashes[full] = scene.Hash();
    const Surface& screen = scene.Show().Screen();
    ASSERT_EQ(screen.Width(), 320);
    ASSERT_EQ(screen.Height(), 190);
    int craters[2] = {};
    for (int y = 0; y < 190; ++y)
      for (int x = 0; x < 320; ++x) {
        const bool shown = Inside(onBox[0], x, y) || Inside(onBox[1], x, y);
        if (!shown) {
          ASSERT_EQ(seen.Pixel(x, y) | screen.Pixel(x, y), kBlack) << x << "," << y;
        }
        for (int i = 0; i < 2; ++i) craters[i] += Inside(inner[i], x, y) && scene.Show().Picture().Pixel(x, y) == kBlack;
      }
    EXPECT_TRUE(craters[0] > 0 && craters[1] > 0);
  }
  EXPECT_EQ(hashes[0], hashes[1]);
}

}  // namespace
}  // namespace orv::test
