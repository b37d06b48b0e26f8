// The fragment sprite sheet and the two ways a fragment is put on a surface: its shadow and
// the piece itself, each a mask blackened in with SRCAND and an image combined in with
// SRCINVERT, so that only the shape's own pixels change.
#pragma once
#include <cstdint>

#include "toolkit/surface.h"

namespace orv {

// Sheet size: four cells of 5 pixels side by side; rows 0-4 the red pieces, 5-9 their
// masks, 10-12 the all-black shadow image, 13-15 the shadow masks.
inline constexpr int kBallPicWidth = 20;
inline constexpr int kBallPicHeight = 16;
inline constexpr int kCellWidth = 5;
inline constexpr int kPieceHeight = 5;
inline constexpr int kShadowHeight = 3;

// The sheet as drawn by hand: K black, R red, W white.
Surface MakeBallPic();

// Shape 1..4 with its top-left corner at (x, y) of `target`; clipped at the target's edges.
void DrawShadow(const Surface& source, Surface& target, int16_t shape, int32_t x, int32_t y);
void DrawPiece(const Surface& source, Surface& target, int16_t shape, int32_t x, int32_t y);

}  // namespace orv
