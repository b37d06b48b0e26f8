#include "display/frame.h"

#include <cmath>

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

void DrawBalls(const Balls& balls, const Surface& ballPic, Surface& target) {
  for (int i = 1; i <= kBallSlots; ++i) {
    const Ball& b = balls[i];
    if (b.Enabled != kFalse) DrawShadow(ballPic, target, b.Shape, PieceColumn(b), ShadowRow(b));
  }
  for (int i = 1; i <= kBallSlots; ++i) {
    const Ball& b = balls[i];
    if (b.Enabled != kFalse) DrawPiece(ballPic, target, b.Shape, PieceColumn(b), PieceRow(b));
  }
}

void CollectBallBoxes(const Balls& balls, std::vector<PixelRect>& boxes) {
  for (int i = 1; i <= kBallSlots; ++i) {
    const Ball& b = balls[i];
    if (b.Enabled == kFalse) continue;
    const int32_t x = PieceColumn(b);
    const int32_t shadow = ShadowRow(b);
    const int32_t piece = PieceRow(b);
    boxes.push_back(PixelRect{x, shadow, x + kCellWidth, shadow + kShadowHeight});
    boxes.push_back(PixelRect{x, piece, x + kCellWidth, piece + kPieceHeight});
  }
}

}  // namespace orv
