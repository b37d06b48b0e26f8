// The dialog at other DPIs than its design's: the one rounding, the layout and window
// placement it gives, the font fit, and the pictures drawn at the scaled size.
#include <gtest/gtest.h>

#include "dialog/dialog_scale.h"
#include "dialog/dialog_art.h"
#include "startup/preview.h"

namespace orv {
namespace {

TEST(DialogDpi, OneRoundingForLengthsFontsAndRectangles) {
  struct Case { int32_t value, dpi, scaled; };
  for (const Case c : {Case{13, 144, 20}, {1, 144, 2}, {601, 144, 902}, {533, 144, 800},
                       {609, 120, 761}, {7, 120, 9}, {-3, 144, -5}, {100, 192, 200},
                       {5, 0, 5}, {5, 961, 5}, {5, 24, 1}}) {
    EXPECT_EQ(ScaleToDpi(c.value, c.dpi), c.scaled) << c.value << " at " << c.dpi;
  }
  EXPECT_EQ(ScaleFromDpi(20, 144) * 100 + ScaleFromDpi(-8, 192), 13 * 100 - 4);
  EXPECT_EQ(StillSizeAt(144).width * 1000 + StillSizeAt(144).height, 228 * 1000 + 168);
  for (const auto& [dpi, height] : {std::pair{96, 13}, {120, 16}, {144, 20}, {192, 26}}) {
    EXPECT_EQ(FontPixelHeight(9.75, dpi), height) << dpi;
  }
  // Each coordinate and each parent's offset scaled on its own: "*.wmf" in the left panel.
  const ControlLayout* wmf = FindLayout({Ctl::lbl_Kind, 3});
  ASSERT_NE(wmf, nullptr);
  EXPECT_EQ(ScaledControlRect(*wmf, 144), (DpiRect{354, 396, 48, 20}));
  EXPECT_EQ(ScaledControlRect(*wmf, 10, 40, 144), (DpiRect{354, 396, 15, 60}));
}

TEST(DialogDpi, WindowIsCentredOnItsMonitorNeverSmallerThanDesignAndKeptOnIt) {
  struct Case { MonitorArea monitor; int32_t outerW, outerH, dpi; WindowPlace place; };
  for (const Case& c : {
           Case{{0, 0, 1024, 768}, 609, 560, 96, {207, 104, 609, 560}},
           Case{{0, 0, 1024, 768}, 601, 550, 96, {207, 104, 609, 560}},  // thin frame
           Case{{0, 0, 1600, 1200}, 930, 845, 144, {335, 177, 930, 845}},  // thick frame
           Case{{-1280, -200, 0, 824}, 609, 560, 96, {-945, 32, 609, 560}},
           Case{{0, 0, 1024, 768}, 908, 830, 144, {55, 0, 914, 840}},  // taller than it
       }) {
    EXPECT_EQ(PlaceDialog(c.monitor, c.outerW, c.outerH, c.dpi), c.place) << c.outerW;
  }
}

TEST(DialogDpi, FontComesDownUntilTheWidestCaptionFitsExceptAtTheDesignDpi) {
  const auto spill = [](int32_t h) { return h * 5 - 90; };  // fits from 18 down
  const auto never = [](int32_t) { return 1; };
  EXPECT_EQ(DialogFontHeight(96, never), 13);
  EXPECT_EQ(DialogFontHeight(144, spill), 18);
  EXPECT_EQ(DialogFontHeight(120, spill), 16);
  EXPECT_EQ(DialogFontHeight(144, never), 15);  // a quarter less at most
}

// FNV-1a over the pixels: pins a picture without storing it.
uint64_t Hash(std::initializer_list<const Surface*> pictures) {
  uint64_t h = 1469598103934665603ull;
  for (const Surface* p : pictures) {
    for (int y = 0; y < p->Height(); ++y) {
      for (int x = 0; x < p->Width(); ++x) h = (h ^ p->Pixel(x, y)) * 1099511628211ull;
    }
  }
  return h;
}

TEST(DialogDpi, PicturesAreDrawnAtTheScaledSize) {
  // At 96 DPI every picture is what it was before DPIs were known.
  const DialogArt design = MakeDialogArt();
  EXPECT_EQ(Hash({&design.texture}) ^ Hash({&design.plate, &design.buttonPressed,
                                            &design.buttonReleased, &design.optionOff,
                                            &design.optionOn, &design.kindOff, &design.kindOn}),
            14036056568399674562ull ^ 15093686244600261557ull);
  const DialogArt art = MakeDialogArt(144);
  EXPECT_EQ(art.texture.Width() * 100 + art.texture.Height(), 909 * 100 + 30);
  EXPECT_EQ(art.plate.Width() * 100 + art.plate.Height(), 143 * 100 + 33);
  EXPECT_TRUE(art.optionOn.Width() == 20 && art.kindOn.Width() == 18);
  // Lines stay one design pixel thick: two pixels of frame, then the bevel.
  const Surface& face = art.buttonReleased;
  EXPECT_TRUE(face.Pixel(1, 16) == face.Pixel(0, 16) && face.Pixel(2, 16) != face.Pixel(0, 16));
  EXPECT_EQ(art.optionOn.Pixel(10, 10), 0xDC1E1Eu);  // the red centre
  EXPECT_EQ(Hash({&art.texture, &art.plate, &art.buttonPressed, &art.buttonReleased,
                  &art.optionOff, &art.optionOn, &art.kindOff, &art.kindOn}),
            3844083019852003761ull);

}

// The hand at each size: the finger tip is the hot spot, the outline encloses the white.
TEST(DialogDpi, TheHandIsTheRecordedShapeAtEachSize) {
  const struct { int dpi, size, hotX, hotY, opaque; } cases[] = {{96, 32, 12, 1, 274},
                                                                  {144, 48, 18, 2, 729}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dpi);
    const CursorPlanes hand = HandCursor(c.dpi);
    ASSERT_EQ(hand.width * 100 + hand.height, c.size * 101);
    ASSERT_EQ(hand.andPlane.size() + hand.xorPlane.size(), size_t(c.size * c.size / 4));
    const auto bit = [&](const std::vector<uint8_t>& plane, int x, int y) {
      return x >= 0 && y >= 0 && x < c.size && y < c.size &&
             (plane[size_t(y * c.size / 8 + x / 8)] & (0x80 >> (x % 8))) != 0;
    };
    const auto opaque = [&](int x, int y) { return !bit(hand.andPlane, x, y); };
    EXPECT_EQ(std::pair(hand.hotX, hand.hotY), std::pair(c.hotX, c.hotY));
    EXPECT_TRUE(opaque(c.hotX, c.hotY) && !bit(hand.xorPlane, c.hotX, c.hotY));  // black tip
    int shown = 0, white = 0, enclosed = 0;
    for (int y = 0; y < c.size; ++y)
      for (int x = 0; x < c.size; ++x) {
        const bool w = bit(hand.xorPlane, x, y);
        shown += opaque(x, y), white += w;
        enclosed += w && opaque(x, y) && opaque(x - 1, y) && opaque(x + 1, y) &&
                    opaque(x, y - 1) && opaque(x, y + 1);
      }
    EXPECT_EQ(shown, c.opaque);
    EXPECT_EQ(enclosed, white);
    if (c.dpi == 144) {
      EXPECT_EQ(white, 450);
    }
  }
  EXPECT_EQ(HandCursor(120).width, 40);
}

}  // namespace
}  // namespace orv
