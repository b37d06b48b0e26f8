// Putting the fragments of the pool on a frame: all shadows first, then all pieces, each
// pass in slot order, so that every shadow lies under every piece and a higher slot's piece
// covers a lower one's.
#pragma once
#include <cstdint>
#include <vector>

#include "display/fragments.h"
#include "display/dirty_region.h"
#include "toolkit/surface.h"

namespace orv {

// Column of a fragment and row of its piece: floors, held to a range in which no later
// clipping arithmetic can overflow (such a fragment is far off every surface anyway).
int32_t PieceColumn(const Ball& ball);
int32_t PieceRow(const Ball& ball);
int32_t ShadowRow(const Ball& ball);

void DrawFragments(const FragmentPool& pool, const Surface& ballPic, Surface& target);

// Appends the boxes DrawFragments touches: per enabled fragment its shadow and its piece cell.
void CollectFragmentBoxes(const FragmentPool& pool, std::vector<PixelRect>& boxes);

// Copies the box at the same place from `src` to `dst` (same-sized surfaces), clipped. Made
// for the many tiny boxes of a frame, where a call per row would cost more than the row.
void CopyBox(Surface& dst, const Surface& src, const PixelRect& box);

}  // namespace orv
