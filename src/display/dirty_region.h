// The parts of the screen that changed since they were last put on screen, kept as a grid
// of tiles: one bit per tile, a word-per-64-columns bitmap per tile row, and the list of rows
// touched. Adding a box and taking the rectangles cost what changed, not what the screen
// measures: a row is only visited when something in it changed.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
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

// The part both boxes cover; empty when they do not meet.
PixelRect Intersect(const PixelRect& a, const PixelRect& b);

// The parts of `rects` inside `clips`, into `out`: a part inside two overlapping clips
// comes twice.
void ClipRects(std::span<const PixelRect> rects, std::span<const PixelRect> clips,
               std::vector<PixelRect>& out);

class DirtyRegion {
 public:
  static constexpr int kTileShift = 4;  // 16 x 16 pixel tiles
  static constexpr int kTile = 1 << kTileShift;

  // A region over a width x height surface with nothing dirty.
  void Reset(int width, int height);

  // Marks the w x h box at (x, y); the part outside the surface is ignored.
  void Add(int32_t x, int32_t y, int32_t w, int32_t h);
  void Add(const PixelRect& r) { Add(r.left, r.top, r.Width(), r.Height()); }
  void AddAll();

  // The dirty area as few rectangles of whole tiles (cut at the surface's edges), top to
  // bottom and without overlap; the region is clean afterwards.
  void Take(std::vector<PixelRect>& rects);

 private:
  uint64_t* RowBits(int row) { return bits_.data() + static_cast<size_t>(row) * words_; }

  int width_ = 0, height_ = 0, columns_ = 0, tileRows_ = 0;
  size_t words_ = 0;              // 64-bit words per tile row
  bool all_ = false;
  std::vector<uint64_t> bits_;
  std::vector<uint8_t> rowMarked_;
  std::vector<int> rows_;         // tile rows with a bit set, in the order first touched
  std::vector<size_t> open_, nextOpen_;  // rectangles ending at the tile row above
};

}  // namespace orv
