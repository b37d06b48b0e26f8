#include "display/dirty_region.h"

#include <algorithm>

namespace orv {

void DirtyRegion::Reset(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  columns_ = (width_ + kTile - 1) >> kTileShift;
  rows_ = (height_ + kTile - 1) >> kTileShift;
  marks_.assign(static_cast<size_t>(columns_) * static_cast<size_t>(rows_), 0);
  touched_.clear();
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
  const int c0 = static_cast<int>(left >> kTileShift), c1 = static_cast<int>((right - 1) >> kTileShift);
  const int r0 = static_cast<int>(top >> kTileShift), r1 = static_cast<int>((bottom - 1) >> kTileShift);
  for (int r = r0; r <= r1; ++r) {
    const uint32_t base = static_cast<uint32_t>(r) * static_cast<uint32_t>(columns_);
    for (int c = c0; c <= c1; ++c) {
      uint8_t& mark = marks_[base + static_cast<uint32_t>(c)];
      if (!mark) {
        mark = 1;
        touched_.push_back(base + static_cast<uint32_t>(c));
      }
    }
  }
}

void DirtyRegion::AddAll() {
  if (width_ > 0 && height_ > 0) all_ = true;
}

void DirtyRegion::Take(std::vector<PixelRect>& rects) {
  rects.clear();
  if (all_) {
    rects.push_back(PixelRect{0, 0, width_, height_});
  } else if (!touched_.empty()) {
    std::sort(touched_.begin(), touched_.end());
    // Runs of neighbouring tiles in one tile row become one rectangle; a run that spans the
    // same columns as a rectangle ending just above it extends that rectangle downwards.
    open_.clear();
    nextOpen_.clear();
    int lastRow = -1;
    size_t i = 0;
    while (i < touched_.size()) {
      const auto columns = static_cast<uint32_t>(columns_);
      const int row = static_cast<int>(touched_[i] / columns);
      const int c0 = static_cast<int>(touched_[i] % columns);
      int c1 = c0;
      for (++i; i < touched_.size() && touched_[i] == touched_[i - 1] + 1 &&
                static_cast<int>(touched_[i] % columns) == c1 + 1;
           ++i) {
        ++c1;
      }
      if (row != lastRow) {
        if (row == lastRow + 1) {
          open_.swap(nextOpen_);
        } else {
          open_.clear();
        }
        nextOpen_.clear();
        lastRow = row;
      }
      const int32_t left = c0 << kTileShift;
      const int32_t right = std::min((c1 + 1) << kTileShift, width_);
      const int32_t bottom = std::min((row + 1) << kTileShift, height_);
      size_t target = rects.size();
      for (const size_t k : open_) {
        if (rects[k].left == left && rects[k].right == right) {
          target = k;
          break;
        }
      }
      if (target == rects.size()) rects.push_back(PixelRect{left, row << kTileShift, right, bottom});
      rects[target].bottom = bottom;
      nextOpen_.push_back(target);
    }
  }
  for (const uint32_t t : touched_) marks_[t] = 0;
  touched_.clear();
  all_ = false;
}

}  // namespace orv
