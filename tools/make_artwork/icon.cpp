#include "icon.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace orv::art {
namespace {

struct Rgba {
  double r = 0, g = 0, b = 0, a = 0;
};

// Paints `top` over `under` with its own alpha.
Rgba Over(const Rgba& top, const Rgba& under) {
  const double a = top.a + under.a * (1 - top.a);
  if (a <= 0) return {};
  auto mix = [&](double t, double u) { return (t * top.a + u * under.a * (1 - top.a)) / a; };
  return {mix(top.r, under.r), mix(top.g, under.g), mix(top.b, under.b), a};
}

// The icon at a point of the unit square (0..1 both ways, y down).
Rgba Sample(double x, double y) {
  Rgba c;
  // A rounded tile: the picture the impacts land on, sky above a dark green hill.
  const double inset = 0.06, radius = 0.16;
  const double qx = std::max({inset + radius - x, x - (1 - inset - radius), 0.0});
  const double qy = std::max({inset + radius - y, y - (1 - inset - radius), 0.0});
  if (std::hypot(qx, qy) > radius) return c;
  c = {0.25 + 0.35 * y, 0.55 + 0.3 * y, 0.95, 1};
  if (y > 0.72 - 0.08 * std::sin(x * 3.1)) c = {0.15, 0.42, 0.2, 1};
  // The frame of the tile.
  if (std::hypot(qx, qy) > radius - 0.035 || std::min({x, y, 1 - x, 1 - y}) < inset + 0.035) {
    c = Over({0.1, 0.12, 0.2, 0.8}, c);
  }
  // The crater: a black oval with a brown rim.
  const double cx = 0.5, cy = 0.6;
  const double d = std::hypot((x - cx) / 0.3, (y - cy) / 0.17);
  if (d < 1.15) c = Over({0.45, 0.22, 0.08, 0.9}, c);
  if (d < 0.95) c = Over({0, 0, 0, 1}, c);
  // Fragments: red dots thrown up and out, bigger as they come nearer.
  const double fragments[][3] = {{0.22, 0.3, 0.07}, {0.5, 0.18, 0.08}, {0.78, 0.28, 0.07},
                                 {0.33, 0.14, 0.05}, {0.68, 0.12, 0.05}, {0.12, 0.5, 0.05},
                                 {0.88, 0.48, 0.05}};
  for (const auto& f : fragments) {
    const double fd = std::hypot(x - f[0], y - f[1]);
    if (fd < f[2]) c = Over({1, 0.1 + 0.5 * (1 - fd / f[2]) * 0.4, 0.08, 1}, c);
  }
  return c;
}

void Put16(std::string& s, uint32_t v) { s += char(v & 0xFF), s += char(v >> 8 & 0xFF); }
void Put32(std::string& s, uint32_t v) { Put16(s, v & 0xFFFF), Put16(s, v >> 16); }

// One icon image: a BITMAPINFOHEADER of twice the height, the colour rows bottom up as
// BGRA, then the one-bit mask (all clear: the alpha decides).
std::string IconImage(int size) {
  constexpr int kSub = 4;  // samples a side per pixel, for smooth edges
  std::string bits;
  Put32(bits, 40), Put32(bits, uint32_t(size)), Put32(bits, uint32_t(size * 2));
  Put16(bits, 1), Put16(bits, 32);
  for (int i = 0; i < 6; ++i) Put32(bits, 0);
  for (int y = size - 1; y >= 0; --y) {
    for (int x = 0; x < size; ++x) {
      Rgba sum;
      for (int sy = 0; sy < kSub; ++sy) {
        for (int sx = 0; sx < kSub; ++sx) {
          const Rgba s = Sample((x + (sx + 0.5) / kSub) / size, (y + (sy + 0.5) / kSub) / size);
          sum.r += s.r * s.a, sum.g += s.g * s.a, sum.b += s.b * s.a, sum.a += s.a;
        }
      }
      const double a = sum.a / (kSub * kSub);
      auto channel = [&](double premultiplied) {
        return char(sum.a > 0 ? std::lround(255 * std::clamp(premultiplied / sum.a, 0.0, 1.0))
                              : 0);
      };
      bits += channel(sum.b), bits += channel(sum.g), bits += channel(sum.r);
      bits += char(std::lround(255 * a));
    }
  }
  const size_t maskRow = static_cast<size_t>((size + 31) / 32 * 4);
  bits.append(maskRow * static_cast<size_t>(size), '\0');
  return bits;
}

}  // namespace

std::string RenderIconFile() {
  const int sizes[] = {16, 24, 32, 48, 256};
  constexpr size_t kCount = std::size(sizes);
  std::vector<std::string> images;
  for (int size : sizes) images.push_back(IconImage(size));
  std::string file;
  Put16(file, 0), Put16(file, 1), Put16(file, kCount);
  uint32_t offset = uint32_t(6 + 16 * kCount);
  for (size_t i = 0; i < kCount; ++i) {
    file += char(sizes[i] & 0xFF), file += char(sizes[i] & 0xFF);  // 256 is written as 0
    file += '\0', file += '\0';
    Put16(file, 1), Put16(file, 32);
    Put32(file, uint32_t(images[i].size())), Put32(file, offset);
    offset += uint32_t(images[i].size());
  }
  for (const std::string& image : images) file += image;
  return file;
}

}  // namespace orv::art
