#include "display/frame.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "display/sprites.h"

namespace orv {
namespace {

constexpr double kCoordinateLimit = 1 << 30;

int32_t Floor32(double value) {
  if (!(value >= -kCoordinateLimit)) return static_cast<int32_t>(-kCoordinateLimit);
  if (!(value <= kCoordinateLimit)) return static_cast<int32_t>(kCoordinateLimit);
  return static_cast<int32_t>(std::floor(value));
}

}  // namespace

int32_t PieceColumn(const Ball& ball) { return Floor32(ball.Xpos); }
int32_t PieceRow(const Ball& ball) { return Floor32(double(ball.Ypos) + double(ball.Ytilt)); }
int32_t ShadowRow(const Ball& ball) { return Floor32(ball.Yshadow); }

void DrawFragments(const FragmentPool& pool, const Surface& ballPic, Surface& target) {
  for (int i = 1; i <= FragmentPool::kSlots; ++i) {
    const Ball& b = pool.Slot(i);
    if (b.Enabled != kFalse) DrawShadow(ballPic, target, b.Shape, PieceColumn(b), ShadowRow(b));
  }
  for (int i = 1; i <= FragmentPool::kSlots; ++i) {
    const Ball& b = pool.Slot(i);
    if (b.Enabled != kFalse) DrawPiece(ballPic, target, b.Shape, PieceColumn(b), PieceRow(b));
  }
}

void CollectFragmentBoxes(const FragmentPool& pool, std::vector<PixelRect>& boxes) {
  for (int i = 1; i <= FragmentPool::kSlots; ++i) {
    const Ball& b = pool.Slot(i);
    if (b.Enabled == kFalse) continue;
    const int32_t x = PieceColumn(b);
    const int32_t shadow = ShadowRow(b);
    const int32_t piece = PieceRow(b);
    boxes.push_back(PixelRect{x, shadow, x + kCellWidth, shadow + kShadowHeight});
    boxes.push_back(PixelRect{x, piece, x + kCellWidth, piece + kPieceHeight});
  }
}

void CopyBox(Surface& dst, const Surface& src, const PixelRect& box) {
  const int32_t left = std::max(box.left, 0);
  const int32_t top = std::max(box.top, 0);
  const int32_t right = std::min({box.right, dst.Width(), src.Width()});
  const int32_t bottom = std::min({box.bottom, dst.Height(), src.Height()});
  if (left >= right || top >= bottom) return;
  const int32_t w = right - left;
  for (int32_t y = top; y < bottom; ++y) {
    uint32_t* d = dst.Row(y) + left;
    const uint32_t* s = src.Row(y) + left;
    if (w <= 16) {
      for (int32_t x = 0; x < w; ++x) d[x] = s[x];
    } else {
      std::memcpy(d, s, static_cast<size_t>(w) * sizeof(uint32_t));
    }
  }
}

}  // namespace orv
