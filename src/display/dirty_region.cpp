#include "display/dirty_region.h"

#include <algorithm>
#include <bit>

namespace orv {

PixelRect Intersect(const PixelRect& a, const PixelRect& b) {
  const PixelRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                    std::min(a.bottom, b.bottom)};
  return r.Empty() ? PixelRect{} : r;
}

void ClipRects(std::span<const PixelRect> rects, std::span<const PixelRect> clips,
               std::vector<PixelRect>& out) {
  out.clear();
  for (const PixelRect& r : rects) {
    for (const PixelRect& c : clips) {
      const PixelRect part = Intersect(r, c);
      if (!part.Empty()) out.push_back(part);
    }
  }
}

void DirtyRegion::Reset(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  columns_ = (width_ + kTile - 1) >> kTileShift;
  tileRows_ = (height_ + kTile - 1) >> kTileShift;
  words_ = (static_cast<size_t>(columns_) + 63) / 64;
  bits_.assign(words_ * static_cast<size_t>(tileRows_), 0);
  rowMarked_.assign(static_cast<size_t>(tileRows_), 0);
  rows_.clear();
  all_ = false;
}

void DirtyRegion::Add(int32_t x, int32_t y, int32_t w, int32_t h) {
  if (all_ || w <= 0 || h <= 0) return;
  // In 64 bits: a box far off screen must not wrap round into it.
  const int64_t left = std::max<int64_t>(x, 0);
  const int64_t top = std::max<int64_t>(y, 0);
  const int64_t right = std::min<int64_t>(int64_t{x} + w, width_);
  const int64_t bottom = std::min<int64_t>(int64_t{y} + h, height_);
  if (left >= right || top >= bottom) return;
  const auto c0 = static_cast<size_t>(left >> kTileShift);
  const auto c1 = static_cast<size_t>((right - 1) >> kTileShift);
  const int r0 = static_cast<int>(top >> kTileShift), r1 = static_cast<int>((bottom - 1) >> kTileShift);
  for (int r = r0; r <= r1; ++r) {
    if (!rowMarked_[static_cast<size_t>(r)]) {
      rowMarked_[static_cast<size_t>(r)] = 1;
      rows_.push_back(r);
    }
    uint64_t* bits = RowBits(r);
    for (size_t c = c0; c <= c1; ++c) bits[c / 64] |= uint64_t{1} << (c % 64);
  }
}

void DirtyRegion::AddAll() {
  if (width_ > 0 && height_ > 0) all_ = true;
}

void DirtyRegion::Take(std::vector<PixelRect>& rects) {
  rects.clear();
  std::sort(rows_.begin(), rows_.end());
  if (all_) rects.push_back(PixelRect{0, 0, width_, height_});
  // Runs of neighbouring tiles in one tile row become one rectangle; a run that spans the
  // same columns as a rectangle ending just above it extends that rectangle downwards.
  open_.clear();
  nextOpen_.clear();
  int lastRow = -1;
  for (const int row : rows_) {
    uint64_t* bits = RowBits(row);
    if (!all_) {
      if (row == lastRow + 1) {
        open_.swap(nextOpen_);
      } else {
        open_.clear();
      }
      nextOpen_.clear();
      const int32_t top = row << kTileShift;
      const int32_t bottom = std::min((row + 1) << kTileShift, height_);
      size_t c = 0;
      const size_t end = static_cast<size_t>(columns_);
      while (c < end) {
        // Next set bit from c on, then the end of its run.
        uint64_t word = bits[c / 64] >> (c % 64);
        if (word == 0) {
          c = (c / 64 + 1) * 64;
          continue;
        }
        c += static_cast<size_t>(std::countr_zero(word));
        size_t stop = c;
        while (stop < end && (bits[stop / 64] >> (stop % 64)) & 1) {
          const uint64_t ones = ~(bits[stop / 64] >> (stop % 64));
          stop += ones == 0 ? 64 - stop % 64 : static_cast<size_t>(std::countr_zero(ones));
        }
        stop = std::min(stop, end);
        const int32_t left = static_cast<int32_t>(c) << kTileShift;
        const int32_t right = std::min(static_cast<int32_t>(stop) << kTileShift, width_);
        size_t target = rects.size();
        for (const size_t k : open_) {
          if (rects[k].left == left && rects[k].right == right) {
            target = k;
            break;
          }
        }
        if (target == rects.size()) rects.push_back(PixelRect{left, top, right, bottom});
        rects[target].bottom = bottom;
        nextOpen_.push_back(target);
        c = stop;
      }
      lastRow = row;
    }
    std::fill(bits, bits + words_, 0);
    rowMarked_[static_cast<size_t>(row)] = 0;
  }
  rows_.clear();
  all_ = false;
}

}  // namespace orv
