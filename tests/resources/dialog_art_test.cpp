#include "dialog/dialog_art.h"

#include <gtest/gtest.h>

#include <set>

namespace orv {
namespace {

int Red(uint32_t c) { return int(c >> 16 & 0xFF); }
int Green(uint32_t c) { return int(c >> 8 & 0xFF); }
int Blue(uint32_t c) { return int(c & 0xFF); }

class DialogArtTest : public ::testing::Test {
 protected:
  const DialogArt art = MakeDialogArt();
};

TEST_F(DialogArtTest, EveryPictureHasTheSizeTheLayoutPlansFor) {
  const std::pair<const Surface*, std::pair<int, int>> sizes[] = {
      {&art.texture, {606, 20}},       {&art.plate, {95, 22}},
      {&art.buttonPressed, {95, 22}},  {&art.buttonReleased, {95, 22}},
      {&art.optionOff, {13, 13}},      {&art.optionOn, {13, 13}},
      {&art.kindOff, {12, 12}},        {&art.kindOn, {12, 12}}};
  for (const auto& [picture, size] : sizes) {
    EXPECT_EQ(picture->Width(), size.first);
    EXPECT_EQ(picture->Height(), size.second);
  }
}

TEST_F(DialogArtTest, TextureIsPaleGreyAndMeetsItselfWithoutASeam) {
  const Surface& t = art.texture;
  std::set<uint32_t> shades;
  for (int y = 0; y < t.Height(); ++y) {
    for (int x = 0; x < t.Width(); ++x) {
      const uint32_t c = t.Pixel(x, y);
      shades.insert(c);
      EXPECT_GE(Red(c), 180);  // light enough for black captions on it
      EXPECT_LE(std::abs(Red(c) - Green(c)), 2);
      EXPECT_LE(std::abs(Blue(c) - Red(c)), 4);
    }
  }
  EXPECT_GT(shades.size(), 8u);  // a texture, not a flat fill
  // Copies stack downwards: the last row must look like a neighbour of the first.
  int jump = 0, inside = 0;
  for (int x = 0; x < t.Width(); ++x) {
    jump += std::abs(Red(t.Pixel(x, t.Height() - 1)) - Red(t.Pixel(x, 0)));
    inside += std::abs(Red(t.Pixel(x, 10)) - Red(t.Pixel(x, 11)));
  }
  EXPECT_LT(jump, inside * 2);
}

TEST_F(DialogArtTest, PressedAndReleasedFacesAreBlueAndTellApart) {
  const uint32_t pressed = art.buttonPressed.Pixel(47, 11);
  const uint32_t released = art.buttonReleased.Pixel(47, 11);
  EXPECT_GT(Blue(pressed), Red(pressed));
  EXPECT_GT(Blue(released), Red(released));
  // The pressed face is the lighter one; the released one has a dark frame.
  EXPECT_GT(Red(pressed) + Green(pressed), Red(released) + Green(released) + 60);
  const uint32_t frame = art.buttonReleased.Pixel(0, 11);
  EXPECT_LT(Red(frame) + Green(frame) + Blue(frame), 250);
}

TEST_F(DialogArtTest, MarksDifferOnlyInsideAndLeaveTheirCornersSeeThrough) {
  EXPECT_EQ(art.optionOff.Pixel(0, 0), kSeeThrough);
  EXPECT_EQ(art.optionOn.Pixel(12, 12), kSeeThrough);
  EXPECT_EQ(art.optionOff.Pixel(0, 6), art.optionOn.Pixel(0, 6));  // same ring
  const uint32_t centre = art.optionOn.Pixel(6, 6);
  EXPECT_GT(Red(centre), 180);
  EXPECT_LT(Green(centre), 80);
  EXPECT_EQ(art.optionOff.Pixel(6, 6), 0xFCFCFCu);
  const uint32_t filled = art.kindOn.Pixel(6, 8);
  EXPECT_GT(Blue(filled), Red(filled) + 100);
  EXPECT_EQ(art.kindOff.Pixel(6, 8), 0xFCFCFCu);
  EXPECT_EQ(art.kindOff.Pixel(0, 0), art.kindOn.Pixel(0, 0));
}

TEST_F(DialogArtTest, DrawMarkKeepsTheBackgroundUnderSeeThroughPixels) {
  Surface target(20, 20, 0x123456);
  DrawMark(target, 3, 4, art.optionOn);
  EXPECT_EQ(target.Pixel(3, 4), 0x123456u);             // the mark's corner
  EXPECT_EQ(target.Pixel(9, 10), art.optionOn.Pixel(6, 6));
  DrawMark(target, -6, 15, art.optionOn);               // clipped on two sides
  EXPECT_EQ(target.Pixel(0, 19), art.optionOn.Pixel(6, 4));
}

TEST(HandCursor, FingerTipIsTheHotSpotAndTheRestIsSeeThrough) {
  const CursorPlanes c = HandCursor();
  ASSERT_EQ(c.andPlane.size(), 128u);
  ASSERT_EQ(c.xorPlane.size(), 128u);
  EXPECT_EQ(c.hotX, 12);
  EXPECT_EQ(c.hotY, 1);
  const auto opaque = [&](int x, int y) {
    return !(c.andPlane[size_t(y * 4 + x / 8)] & (0x80 >> (x % 8)));
  };
  const auto white = [&](int x, int y) {
    return (c.xorPlane[size_t(y * 4 + x / 8)] & (0x80 >> (x % 8))) != 0;
  };
  EXPECT_TRUE(opaque(12, 1));
  EXPECT_FALSE(white(12, 1));  // the outline, black
  EXPECT_FALSE(opaque(12, 0));
  EXPECT_FALSE(opaque(0, 0));
  EXPECT_FALSE(opaque(31, 31));
  EXPECT_TRUE(opaque(12, 5) && white(12, 5));  // inside the finger
  // Every white pixel is enclosed: it never touches a transparent one.
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      if (!(opaque(x, y) && white(x, y))) continue;
      EXPECT_TRUE(opaque(x - 1, y) && opaque(x + 1, y) && opaque(x, y - 1) && opaque(x, y + 1))
          << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace orv
