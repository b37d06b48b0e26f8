// The parts of the screen that changed since the last frame, kept as a grid of small tiles
// so that a tick costs what changed rather than what the screen measures. Only the tiles
// touched are remembered, so adding, taking and clearing never walk the whole grid.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace orv {

// A box of pixels: left and top included, right and bottom excluded.
struct PixelRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

class DirtyRegion {
 public:
  static constexpr int kTileShift = 4;  // 16 x 16 pixel tiles
  static constexpr int kTile = 1 << kTileShift;

  // A region over a width x height surface with nothing dirty.
  void Reset(int width, int height);

  // Marks the w x h box at (x, y); the part outside the surface is ignored.
  void Add(int32_t x, int32_t y, int32_t w, int32_t h);
  void AddAll();
  bool Any() const { return all_ || !touched_.empty(); }

  // The dirty area as few rectangles, top to bottom and without overlap, clipped to the
  // surface; the region is clean afterwards.
  void Take(std::vector<PixelRect>& rects);

 private:
  int width_ = 0, height_ = 0, columns_ = 0, rows_ = 0;
  bool all_ = false;
  std::vector<uint8_t> marks_;
  std::vector<uint32_t> touched_;
  std::vector<size_t> open_, nextOpen_;  // rectangles ending at the tile row above
};

}  // namespace orv
