#include "dialog/dialog_art.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace orv {
namespace {

uint32_t Rgb(int r, int g, int b) {
  const auto c = [](int v) { return uint32_t(std::clamp(v, 0, 255)); };
  return c(r) << 16 | c(g) << 8 | c(b);
}

uint32_t Mix(uint32_t a, uint32_t b, double t) {
  const auto ch = [&](int shift) {
    const double x = double((a >> shift) & 0xFF), y = double((b >> shift) & 0xFF);
    return int(std::lround(x + (y - x) * t));
  };
  return Rgb(ch(16), ch(8), ch(0));
}

// A fixed hash, so the texture is the same in every run and on every machine.
uint32_t Hash(uint32_t x, uint32_t y) {
  uint32_t h = x * 0x27D4EB2Du ^ (y + 0x165667B1u) * 0x9E3779B1u;
  h ^= h >> 15;
  h *= 0x85EBCA77u;
  h ^= h >> 13;
  h *= 0xC2B2AE3Du;
  return h ^ (h >> 16);
}

double Unit(uint32_t x, uint32_t y) { return double(Hash(x, y) & 0xFFFF) / 65535.0; }

// Smooth value noise on a lattice that wraps round the picture, so copies of it meet
// without a seam.
double WrappedNoise(int x, int y, int cellW, int cellH, int cellsX, int cellsY) {
  const int cx = x / cellW, cy = y / cellH;
  const double fx = double(x % cellW) / cellW, fy = double(y % cellH) / cellH;
  const auto smooth = [](double t) { return t * t * (3 - 2 * t); };
  const auto at = [&](int i, int j) { return Unit(uint32_t(i % cellsX), uint32_t(j % cellsY)); };
  const double top = at(cx, cy) + (at(cx + 1, cy) - at(cx, cy)) * smooth(fx);
  const double bottom = at(cx, cy + 1) + (at(cx + 1, cy + 1) - at(cx, cy + 1)) * smooth(fx);
  return top + (bottom - top) * smooth(fy);
}

Surface Texture() {
  constexpr int kW = 606, kH = 20;
  Surface s(kW, kH);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      // Broad soft clouds, finer mottling and a little grain, all pale grey.
      const double clouds = WrappedNoise(x, y, 6, 5, kW / 6, kH / 5);
      const double mottle = WrappedNoise(x, y, 3, 2, kW / 3, kH / 2);
      const double grain = Unit(uint32_t(x) + 7919u, uint32_t(y)) - 0.5;
      const int v = int(std::lround(204 + 14 * (clouds - 0.5) + 8 * (mottle - 0.5) + 5 * grain));
      s.SetPixel(x, y, Rgb(v, v, v + 3));
    }
  }
  return s;
}

// A bevelled bar: a vertical gradient between two colours, a light line along the top and
// left, a dark one along the bottom and right, and an optional outer frame.
Surface Bar(int w, int h, uint32_t top, uint32_t bottom, uint32_t light, uint32_t dark,
            bool framed, uint32_t frame) {
  Surface s(w, h);
  for (int y = 0; y < h; ++y) s.FillBox(0, y, w - 1, y, Mix(top, bottom, double(y) / (h - 1)));
  const int o = framed ? 1 : 0;
  s.FillBox(o, o, w - 1 - o, o, light);
  s.FillBox(o, o, o, h - 1 - o, light);
  s.FillBox(o, h - 1 - o, w - 1 - o, h - 1 - o, dark);
  s.FillBox(w - 1 - o, o, w - 1 - o, h - 1 - o, dark);
  if (framed) {
    s.FillBox(0, 0, w - 1, 0, frame);
    s.FillBox(0, h - 1, w - 1, h - 1, frame);
    s.FillBox(0, 0, 0, h - 1, frame);
    s.FillBox(w - 1, 0, w - 1, h - 1, frame);
  }
  return s;
}

// A ring mark, drawn with a little coverage smoothing against the see-through colour's
// neighbour (the texture's grey), so its edge does not look jagged.
Surface RoundMark(bool chosen) {
  constexpr int kSize = 13;
  constexpr double kCentre = 6.5;
  const uint32_t ring = Rgb(96, 100, 112), face = Rgb(252, 252, 252);
  const uint32_t edgeBlend = Rgb(204, 204, 207);
  const uint32_t dot = Rgb(220, 30, 30);
  Surface s(kSize, kSize, kSeeThrough);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const double d = std::hypot(x + 0.5 - kCentre, y + 0.5 - kCentre);
      if (d > 6.6) continue;
      uint32_t c = d > 5.3 ? ring : face;
      if (d > 6.0) c = Mix(ring, edgeBlend, 0.45);
      if (chosen && d < 3.2) c = d > 2.5 ? Mix(dot, face, 0.35) : dot;
      s.SetPixel(x, y, c);
    }
  }
  return s;
}

Surface SquareMark(bool on) {
  constexpr int kSize = 12;
  Surface s(kSize, kSize, Rgb(96, 100, 112));
  s.FillBox(1, 1, kSize - 2, kSize - 2, Rgb(252, 252, 252));
  if (on) {
    s.FillBox(2, 2, kSize - 3, kSize - 3, Rgb(40, 90, 200));
    s.FillBox(3, 3, kSize - 4, 3, Rgb(110, 150, 230));  // a glint along the top
  }
  return s;
}

// The hand, one character per pixel: B black outline, W white, anything else transparent.
constexpr const char* kHand[] = {
    "",
    "...........BBB",
    "..........BWWWB",
    "..........BWWWB",
    "..........BWWWB",
    "..........BWWWB",
    "..........BWWWB",
    "..........BWWWB",
    "..........BWWWBBB",
    "..........BWWWBWWBBB",
    "..........BWWWBWWBWWBB",
    "..........BWWWBWWBWWBWB",
    "......BB..BWWWBWWBWWBWWB",
    ".....BWWB.BWWWWWWWWWWWWB",
    ".....BWWWBBWWWWWWWWWWWWB",
    "......BWWWBWWWWWWWWWWWWB",
    ".......BWWBWWWWWWWWWWWWB",
    ".......BWWWWWWWWWWWWWWWB",
    "........BWWWWWWWWWWWWWWB",
    "........BWWWWWWWWWWWWWB",
    ".........BWWWWWWWWWWWWB",
    ".........BWWWWWWWWWWWB",
    "..........BWWWWWWWWWWB",
    "..........BWWWWWWWWWWB",
    "..........BBBBBBBBBBBB",
};

}  // namespace

DialogArt MakeDialogArt() {
  DialogArt art;
  art.texture = Texture();
  art.plate = Bar(95, 22, Rgb(196, 198, 204), Rgb(150, 152, 160), Rgb(232, 233, 236),
                  Rgb(104, 106, 114), true, Rgb(120, 122, 130));
  art.buttonPressed = Bar(95, 22, Rgb(176, 208, 244), Rgb(200, 224, 250), Rgb(120, 156, 204),
                          Rgb(226, 238, 252), true, Rgb(70, 100, 150));
  art.buttonReleased = Bar(95, 22, Rgb(130, 168, 224), Rgb(84, 124, 194), Rgb(182, 206, 240),
                           Rgb(48, 78, 140), true, Rgb(28, 46, 96));
  art.optionOff = RoundMark(false);
  art.optionOn = RoundMark(true);
  art.kindOff = SquareMark(false);
  art.kindOn = SquareMark(true);
  return art;
}

void DrawMark(Surface& target, int x, int y, const Surface& picture) {
  for (int py = 0; py < picture.Height(); ++py) {
    const int ty = y + py;
    if (ty < 0 || ty >= target.Height()) continue;
    for (int px = 0; px < picture.Width(); ++px) {
      const int tx = x + px;
      const uint32_t c = picture.Pixel(px, py);
      if (tx >= 0 && tx < target.Width() && c != kSeeThrough) target.SetPixel(tx, ty, c);
    }
  }
}

CursorPlanes HandCursor() {
  CursorPlanes c;
  c.hotX = 12;
  c.hotY = 1;
  const size_t stride = size_t(c.width) / 8;
  c.andPlane.assign(stride * size_t(c.height), 0xFF);
  c.xorPlane.assign(stride * size_t(c.height), 0x00);
  const int rows = int(sizeof(kHand) / sizeof(kHand[0]));
  for (int y = 0; y < rows && y < c.height; ++y) {
    const int len = int(std::strlen(kHand[y]));
    for (int x = 0; x < len && x < c.width; ++x) {
      const char p = kHand[y][x];
      if (p != 'B' && p != 'W') continue;
      const size_t byte = size_t(y) * stride + size_t(x) / 8;
      const uint8_t bit = uint8_t(0x80u >> (x % 8));
      c.andPlane[byte] = uint8_t(c.andPlane[byte] & ~bit);
      if (p == 'W') c.xorPlane[byte] = uint8_t(c.xorPlane[byte] | bit);
    }
  }
  return c;
}

}  // namespace orv
