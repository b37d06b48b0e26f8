// The dialog at other DPIs than its design's: the one rounding, the layout and window
// placement it gives, the font fit, and the pictures drawn at the scaled size.
#include "dialog/dialog_art.h"
#include "dialog/dialog_scale.h"
#include "dialog_fixture.h"
#include "startup/preview.h"

namespace orv::test {
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
  EXPECT_EQ(FontPixelHeight(9.75, 120) * 100 + FontPixelHeight(9.75, 192), 1626);
  // Each coordinate and each parent's offset scaled on its own: "*.wmf" in the left panel.
  const ControlLayout* wmf = FindLayout({Ctl::lbl_Kind, 3});
  ASSERT_NE(wmf, nullptr);
  EXPECT_EQ(ScaledControlRect(*wmf, 144), (DpiRect{354, 396, 48, 20}));
  EXPECT_EQ(ScaledControlRect(*wmf, 10, 40, 144), (DpiRect{354, 396, 15, 60}));
}

TEST(DialogDpi, WindowIsCentredOnItsMonitorNeverSmallerThanDesignAndKeptOnIt) {
  EXPECT_EQ(PlaceDialog({0, 0, 1024, 768}, 609, 560, 96), (WindowPlace{207, 104, 609, 560}));
  EXPECT_EQ(PlaceDialog({-1280, -200, 0, 824}, 609, 560, 96), (WindowPlace{-945, 32, 609, 560}));
  // Taller than the monitor, and thinner than the design.
  EXPECT_EQ(PlaceDialog({0, 0, 1024, 768}, 908, 830, 144), (WindowPlace{55, 0, 914, 840}));
}

TEST(DialogDpi, FontComesDownUntilTheWidestCaptionFitsExceptAtTheDesignDpi) {
  const auto spill = [](int32_t h) { return h * 5 - 90; };  // fits from 18 down
  const auto never = [](int32_t) { return 1; };
  EXPECT_EQ(DialogFontHeight(96, never), 13);
  EXPECT_EQ(DialogFontHeight(144, spill), 18);
  EXPECT_EQ(DialogFontHeight(120, spill), 16);
  EXPECT_EQ(DialogFontHeight(144, never), 15);  // a quarter less at most
}

// A deliberate change of a picture records the new value after a look at the dialog.
TEST(DialogDpi, PicturesAndTheHandAreDrawnAtTheScaledSize) {
  for (const auto& [dpi, recorded] : {std::pair{96, 12532648614210573247ull},
                                          {144, 7802448427393056266ull}}) {
    const DialogArt art = MakeDialogArt(dpi);
    Digest h;
    for (const Surface* s : {&art.texture, &art.plate, &art.buttonPressed, &art.buttonReleased,
                             &art.optionOff, &art.optionOn, &art.kindOff, &art.kindOn}) {
      h << s->Width() << s->Height() << *s;
    }
    EXPECT_EQ(h.value, recorded) << dpi;
  }
  // The hand, with the finger tip as its hot spot.
  const struct { int dpi, size, hotX, hotY; uint64_t recorded; } cases[] = {
      {96, 32, 12, 1, 18093875174274622755ull},
      {144, 48, 18, 2, 7054891692421935643ull}};
  for (const auto& c : cases) {
    const CursorPlanes hand = HandCursor(c.dpi);
    EXPECT_EQ(hand.width * 100 + hand.height, c.size * 101) << c.dpi;
    EXPECT_EQ(std::pair(hand.hotX, hand.hotY), std::pair(c.hotX, c.hotY)) << c.dpi;
    Digest h;
    for (const auto* plane : {&hand.andPlane, &hand.xorPlane}) {
      for (const uint8_t byte : *plane) h << byte;
    }
    EXPECT_EQ(h.value, c.recorded) << c.dpi;
  }
}

}  // namespace
}  // namespace orv::test
