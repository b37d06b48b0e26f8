#include "toolkit/surface.h"

#include <algorithm>
#include <cmath>

namespace orv {

Surface::Surface(int width, int height, uint32_t fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_), fill) {}

void Surface::Resize(int width, int height) { *this = Surface(width, height); }

void Surface::FillBox(int left, int top, int right, int bottom, uint32_t color) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, width_ - 1);
  bottom = std::min(bottom, height_ - 1);
  // A box wholly outside (or a surface without columns) fills nothing: filling from a left
  // beyond the right edge would run on past the row.
  if (left > right || top > bottom) return;
  for (int y = top; y <= bottom; ++y) std::fill(Row(y) + left, Row(y) + right + 1, color);
}

void Surface::FillEllipse(double cx, double cy, double rx, double ry, uint32_t color) {
  if (rx < 0 || ry < 0) return;
  const int top = std::max(0, static_cast<int>(std::ceil(cy - ry - 0.5)));
  const int bottom = std::min(height_ - 1, static_cast<int>(std::floor(cy + ry - 0.5)));
  for (int y = top; y <= bottom; ++y) {
    const double dy = (y + 0.5 - cy) / (ry > 0 ? ry : 1);
    const double span = ry > 0 ? rx * std::sqrt(std::max(0.0, 1 - dy * dy)) : rx;
    const int left = std::max(0, static_cast<int>(std::ceil(cx - span - 0.5)));
    const int right = std::min(width_ - 1, static_cast<int>(std::floor(cx + span - 0.5)));
    if (left <= right) std::fill(Row(y) + left, Row(y) + right + 1, color);
  }
}

void BitBlt(Surface& dst, int dx, int dy, int w, int h, const Surface& src, int sx, int sy,
            Rop rop) {
  // Clip the rectangle against both surfaces, moving source and target together.
  if (dx < 0) w += dx, sx -= dx, dx = 0;
  if (dy < 0) h += dy, sy -= dy, dy = 0;
  if (sx < 0) w += sx, dx -= sx, sx = 0;
  if (sy < 0) h += sy, dy -= sy, sy = 0;
  w = std::min({w, dst.Width() - dx, src.Width() - sx});
  h = std::min({h, dst.Height() - dy, src.Height() - sy});
  if (w <= 0 || h <= 0) return;
  for (int y = 0; y < h; ++y) {
    const uint32_t* s = src.Row(sy + y) + sx;
    uint32_t* d = dst.Row(dy + y) + dx;
    switch (rop) {
      case Rop::kSrcCopy:
        std::copy(s, s + w, d);
        break;
      case Rop::kSrcAnd:
        for (int x = 0; x < w; ++x) d[x] &= s[x];
        break;
      case Rop::kSrcInvert:
        for (int x = 0; x < w; ++x) d[x] ^= s[x];
        break;
    }
  }
}

void StretchBlt(Surface& dst, int dx, int dy, int dw, int dh, const Surface& src, int sx, int sy,
                int sw, int sh) {
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || src.Empty()) return;
  const int x0 = std::max(dx, 0), x1 = std::min<int64_t>(int64_t{dx} + dw, dst.Width());
  const int y0 = std::max(dy, 0), y1 = std::min<int64_t>(int64_t{dy} + dh, dst.Height());
  std::vector<int> columns;
  columns.reserve(static_cast<size_t>(std::max(0, x1 - x0)));
  for (int x = x0; x < x1; ++x) columns.push_back(StretchSource(x - dx, sw, dw, sx, src.Width()));
  for (int y = y0; y < y1; ++y) {
    const uint32_t* s = src.Row(StretchSource(y - dy, sh, dh, sy, src.Height()));
    uint32_t* d = dst.Row(y);
    for (int x = x0; x < x1; ++x) d[x] = s[columns[static_cast<size_t>(x - x0)]];
  }
}

int StretchSource(int64_t i, int64_t s, int64_t d, int origin, int limit) {
  const int64_t v = origin + (2 * i + 1) * s / (2 * d);
  return static_cast<int>(std::clamp<int64_t>(v, 0, limit - 1));
}

}  // namespace orv
