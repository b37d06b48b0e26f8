#include "display/sprites.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orv {
namespace {

constexpr uint32_t kGround = 0x3366CC;

// What a shape leaves on a plain ground: '.' ground, 'R' red, 'K' black.
std::vector<std::string> Picture(const Surface& s, int x0, int y0, int w, int h) {
  std::vector<std::string> rows;
  for (int y = y0; y < y0 + h; ++y) {
    std::string row;
    for (int x = x0; x < x0 + w; ++x) {
      const uint32_t p = s.Pixel(x, y);
      row += p == kGround ? '.' : p == kRed ? 'R' : p == kBlack ? 'K' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

using Rows = std::vector<std::string>;

TEST(Sprites, EachPieceTurnsOnlyItsShapeRedOnAnyGround) {
  const Surface sheet = MakeBallPic();
  const Rows expected[4] = {
      {".RRR.", "RRRRR", "RRRRR", "RRRRR", ".RRR."},
      {".....", "..R..", ".RRR.", "..R..", "....."},
      {".....", ".RR..", "RRRR.", ".RR..", "....."},
      {".....", "..RR.", "..RR.", ".....", "....."},
  };
  for (int16_t shape = 1; shape <= 4; ++shape) {
    Surface target(9, 9, kGround);
    DrawPiece(sheet, target, shape, 2, 2);
    Rows frame = Picture(target, 1, 1, 7, 7);
    EXPECT_EQ(frame.front(), ".......") << "shape " << shape;
    EXPECT_EQ(frame.back(), ".......") << "shape " << shape;
    EXPECT_EQ(Picture(target, 2, 2, 5, 5), expected[shape - 1]) << "shape " << shape;
  }
}

TEST(Sprites, EachShadowBlackensOnlyItsOvalAndKeepsRedUnderIt) {
  const Surface sheet = MakeBallPic();
  const Rows expected[4] = {
      {".KKK.", "KKKKK", ".KKK."},
      {".....", ".KKK.", "....."},
      {".....", "KKKK.", "....."},
      {".....", "..KK.", "....."},
  };
  for (int16_t shape = 1; shape <= 4; ++shape) {
    Surface target(7, 5, kGround);
    DrawShadow(sheet, target, shape, 1, 1);
    EXPECT_EQ(Picture(target, 1, 1, 5, 3), expected[shape - 1]) << "shape " << shape;
    EXPECT_EQ(Picture(target, 0, 0, 7, 1)[0], ".......");
    EXPECT_EQ(Picture(target, 0, 4, 7, 1)[0], ".......");
  }
}

TEST(Sprites, PieceOverShadowKeepsBothColoursWhereTheyMeet) {
  const Surface sheet = MakeBallPic();
  Surface target(5, 5, kGround);
  DrawShadow(sheet, target, 1, 0, 2);
  DrawPiece(sheet, target, 4, 0, 0);  // the square covers rows 1 and 2
  EXPECT_EQ(Picture(target, 0, 0, 5, 5),
            (Rows{".....", "..RR.", ".KRR.", "KKKKK", ".KKK."}));
}

TEST(Sprites, ShapesAreClippedAtEveryEdge) {
  const Surface sheet = MakeBallPic();
  Surface target(4, 4, kGround);
  DrawPiece(sheet, target, 1, -2, -2);  // only the bottom-right 3 x 3 of the round piece
  EXPECT_EQ(Picture(target, 0, 0, 4, 4), (Rows{"RRR.", "RRR.", "RR..", "...."}));
  Surface target2(4, 4, kGround);
  DrawPiece(sheet, target2, 1, 2, 2);
  EXPECT_EQ(Picture(target2, 0, 0, 4, 4), (Rows{"....", "....", "...R", "..RR"}));
  DrawShadow(sheet, target2, 1, 100, -100);  // far outside: nothing changes
  EXPECT_EQ(Picture(target2, 0, 0, 4, 4), (Rows{"....", "....", "...R", "..RR"}));
}

TEST(Sprites, SheetHasOnlyTheThreeColours) {
  const Surface sheet = MakeBallPic();
  ASSERT_EQ(sheet.Width(), 20);
  ASSERT_EQ(sheet.Height(), 16);
  int red = 0, white = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 20; ++x) {
      const uint32_t p = sheet.Pixel(x, y);
      ASSERT_TRUE(p == kRed || p == kWhite || p == kBlack) << x << "," << y;
      red += p == kRed;
      white += p == kWhite;
    }
  EXPECT_EQ(red, 21 + 5 + 8 + 4);                  // the four pieces
  EXPECT_EQ(white, (25 - 21) + (25 - 5) + (25 - 8) + (25 - 4) + (15 - 11) + (15 - 3) * 3);
}

}  // namespace
}  // namespace orv
