#include "display/sprites.h"

namespace orv {
namespace {

constexpr const char* kSheet[kBallPicHeight] = {
    "KRRRKKKKKKKKKKKKKKKK",  // pieces: round, cross, blob, square
    "RRRRRKKRKKKRRKKKKRRK",
    "RRRRRKRRRKRRRRKKKRRK",
    "RRRRRKKRKKKRRKKKKKKK",
    "KRRRKKKKKKKKKKKKKKKK",
    "WKKKWWWWWWWWWWWWWWWW",  // piece masks
    "KKKKKWWKWWWKKWWWWKKW",
    "KKKKKWKKKWKKKKWWWKKW",
    "KKKKKWWKWWWKKWWWWWWW",
    "WKKKWWWWWWWWWWWWWWWW",
    "KKKKKKKKKKKKKKKKKKKK",  // shadow image
    "KKKKKKKKKKKKKKKKKKKK",
    "KKKKKKKKKKKKKKKKKKKK",
    "WKKKWWWWWWWWWWWWWWWW",  // shadow masks
    "KKKKKWKKKWKKKKWWWKKW",
    "WKKKWWWWWWWWWWWWWWWW",
};

constexpr int kPieceImageRow = 0;
constexpr int kPieceMaskRow = 5;
constexpr int kShadowImageRow = 10;
constexpr int kShadowMaskRow = 13;

void DrawMasked(const Surface& source, Surface& target, int16_t shape, int32_t x, int32_t y,
                int height, int maskRow, int imageRow) {
  const int column = kCellWidth * (shape - 1);
  BitBlt(target, x, y, kCellWidth, height, source, column, maskRow, Rop::kSrcAnd);
  BitBlt(target, x, y, kCellWidth, height, source, column, imageRow, Rop::kSrcInvert);
}

}  // namespace

Surface MakeBallPic() {
  Surface sheet(kBallPicWidth, kBallPicHeight);
  for (int y = 0; y < kBallPicHeight; ++y) {
    for (int x = 0; x < kBallPicWidth; ++x) {
      const char c = kSheet[y][x];
      sheet.SetPixel(x, y, c == 'R' ? kRed : c == 'W' ? kWhite : kBlack);
    }
  }
  return sheet;
}

void DrawShadow(const Surface& source, Surface& target, int16_t shape, int32_t x, int32_t y) {
  DrawMasked(source, target, shape, x, y, kShadowHeight, kShadowMaskRow, kShadowImageRow);
}

void DrawPiece(const Surface& source, Surface& target, int16_t shape, int32_t x, int32_t y) {
  DrawMasked(source, target, shape, x, y, kPieceHeight, kPieceMaskRow, kPieceImageRow);
}

}  // namespace orv
