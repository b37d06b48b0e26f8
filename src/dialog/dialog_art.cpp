#include "dialog/dialog_art.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <vector>

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
// `x` and `y` are in design pixels; at another DPI they fall between them, so the clouds keep
// their size on screen.
double WrappedNoise(double x, double y, int cellW, int cellH, int cellsX, int cellsY) {
  const int cx = int(std::floor(x / cellW)), cy = int(std::floor(y / cellH));
  const double fx = (x - double(cx) * cellW) / cellW, fy = (y - double(cy) * cellH) / cellH;
  const auto smooth = [](double t) { return t * t * (3 - 2 * t); };
  const auto at = [&](int i, int j) { return Unit(uint32_t(i % cellsX), uint32_t(j % cellsY)); };
  const double top = at(cx, cy) + (at(cx + 1, cy) - at(cx, cy)) * smooth(fx);
  const double bottom = at(cx, cy + 1) + (at(cx + 1, cy + 1) - at(cx, cy + 1)) * smooth(fx);
  return top + (bottom - top) * smooth(fy);
}

Surface Texture(int32_t dpi) {
  constexpr int kW = 606, kH = 20;
  const int w = ScaleToDpi(kW, dpi), h = ScaleToDpi(kH, dpi);
  const double toDesign = double(kDesignDpi) / UsableDpi(dpi);
  Surface s(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      // Broad soft clouds, finer mottling and a little grain, all pale grey.
      const double dx = x * toDesign, dy = y * toDesign;
      const double clouds = WrappedNoise(dx, dy, 6, 5, kW / 6, kH / 5);
      const double mottle = WrappedNoise(dx, dy, 3, 2, kW / 3, kH / 2);
      const double grain = Unit(uint32_t(x) + 7919u, uint32_t(y)) - 0.5;
      const int v = int(std::lround(204 + 14 * (clouds - 0.5) + 8 * (mottle - 0.5) + 5 * grain));
      s.SetPixel(x, y, Rgb(v, v, v + 3));
    }
  }
  return s;
}

// Lines of the pictures are one design pixel thick, scaled like everything else but never
// thinner than one pixel.
int LineWidth(int32_t dpi) { return std::max(1, ScaleToDpi(1, dpi)); }

// A bevelled bar: a vertical gradient between two colours, a light line along the top and
// left, a dark one along the bottom and right, and an optional outer frame; lines `t` thick.
Surface Bar(int w, int h, int t, uint32_t top, uint32_t bottom, uint32_t light, uint32_t dark,
            bool framed, uint32_t frame) {
  Surface s(w, h);
  for (int y = 0; y < h; ++y) s.FillBox(0, y, w - 1, y, Mix(top, bottom, double(y) / (h - 1)));
  const int o = framed ? t : 0;
  s.FillBox(o, o, w - 1 - o, o + t - 1, light);
  s.FillBox(o, o, o + t - 1, h - 1 - o, light);
  s.FillBox(o, h - o - t, w - 1 - o, h - 1 - o, dark);
  s.FillBox(w - o - t, o, w - 1 - o, h - 1 - o, dark);
  if (framed) {
    s.FillBox(0, 0, w - 1, t - 1, frame);
    s.FillBox(0, h - t, w - 1, h - 1, frame);
    s.FillBox(0, 0, t - 1, h - 1, frame);
    s.FillBox(w - t, 0, w - 1, h - 1, frame);
  }
  return s;
}

// A ring mark, drawn with a little coverage smoothing against the see-through colour's
// neighbour (the texture's grey), so its edge does not look jagged.
Surface RoundMark(bool chosen, int32_t dpi) {
  const int kSize = ScaleToDpi(13, dpi);
  const double k = kSize / 13.0;  // radii follow the drawn size, so the ring stays round
  const double kCentre = kSize / 2.0;
  const uint32_t ring = Rgb(96, 100, 112), face = Rgb(252, 252, 252);
  const uint32_t edgeBlend = Rgb(204, 204, 207);
  const uint32_t dot = Rgb(220, 30, 30);
  Surface s(kSize, kSize, kSeeThrough);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const double d = std::hypot(x + 0.5 - kCentre, y + 0.5 - kCentre);
      if (d > 6.6 * k) continue;
      uint32_t c = d > 5.3 * k ? ring : face;
      if (d > 6.0 * k) c = Mix(ring, edgeBlend, 0.45);
      if (chosen && d < 3.2 * k) c = d > 2.5 * k ? Mix(dot, face, 0.35) : dot;
      s.SetPixel(x, y, c);
    }
  }
  return s;
}

Surface SquareMark(bool on, int32_t dpi) {
  const int kSize = ScaleToDpi(12, dpi), t = LineWidth(dpi);
  Surface s(kSize, kSize, Rgb(96, 100, 112));
  s.FillBox(t, t, kSize - 1 - t, kSize - 1 - t, Rgb(252, 252, 252));
  if (on) {
    s.FillBox(2 * t, 2 * t, kSize - 1 - 2 * t, kSize - 1 - 2 * t, Rgb(40, 90, 200));
    // a glint along the top
    s.FillBox(3 * t, 3 * t, kSize - 1 - 3 * t, 4 * t - 1, Rgb(110, 150, 230));
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

// The hand at other sizes, as shapes in design pixels (x right, y down; the pixel at x, y
// covers x..x+1): the four fingers with round tips, the palm and the thumb.
struct Capsule {
  double x0, y0, x1, y1, r;
};
constexpr Capsule kFingers[] = {
    {12.5, 3.5, 12.5, 14, 1.5}, {16, 9.9, 16, 14, 1},  {19, 10.9, 19, 14, 1},
    {22, 11.9, 22, 14, 1},      {7.2, 14.2, 10.5, 17.8, 1.5},  // the thumb
};
struct Vertex {
  double x, y;
};
constexpr Vertex kPalm[] = {{11, 13}, {23, 13}, {23, 19}, {21, 21.5}, {21, 24},
                            {11, 24}, {8.5, 17.6}, {11, 16}};

bool InCapsule(const Capsule& c, double x, double y) {
  const double vx = c.x1 - c.x0, vy = c.y1 - c.y0;
  const double len2 = vx * vx + vy * vy;
  const double t = len2 > 0 ? std::clamp(((x - c.x0) * vx + (y - c.y0) * vy) / len2, 0.0, 1.0)
                            : 0.0;
  const double dx = x - (c.x0 + t * vx), dy = y - (c.y0 + t * vy);
  return dx * dx + dy * dy <= c.r * c.r;
}

bool InPalm(double x, double y) {
  bool inside = false;
  const size_t n = std::size(kPalm);
  for (size_t i = 0, j = n - 1; i < n; j = i++) {
    const Vertex& a = kPalm[i];
    const Vertex& b = kPalm[j];
    if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
      inside = !inside;
    }
  }
  return inside;
}

// Fingers stand one design pixel apart above the palm; that gap becomes outline.
bool HandWhite(double x, double y) {
  if (InPalm(x, y)) return true;
  for (const Capsule& f : kFingers) {
    if (InCapsule(f, x, y)) return true;
  }
  return false;
}

}  // namespace

DialogArt MakeDialogArt(int32_t dpi) {
  DialogArt art;
  const int t = LineWidth(dpi);
  const int barW = ScaleToDpi(95, dpi), barH = ScaleToDpi(22, dpi);
  art.texture = Texture(dpi);
  art.plate = Bar(barW, barH, t, Rgb(196, 198, 204), Rgb(150, 152, 160), Rgb(232, 233, 236),
                  Rgb(104, 106, 114), true, Rgb(120, 122, 130));
  art.buttonPressed = Bar(barW, barH, t, Rgb(176, 208, 244), Rgb(200, 224, 250), Rgb(120, 156, 204),
                          Rgb(226, 238, 252), true, Rgb(70, 100, 150));
  art.buttonReleased = Bar(barW, barH, t, Rgb(130, 168, 224), Rgb(84, 124, 194), Rgb(182, 206, 240),
                           Rgb(48, 78, 140), true, Rgb(28, 46, 96));
  art.optionOff = RoundMark(false, dpi);
  art.optionOn = RoundMark(true, dpi);
  art.kindOff = SquareMark(false, dpi);
  art.kindOn = SquareMark(true, dpi);
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

namespace {

void SetCursorPixel(CursorPlanes& c, int x, int y, bool white) {
  const size_t stride = size_t(c.width) / 8;
  const size_t byte = size_t(y) * stride + size_t(x) / 8;
  const uint8_t bit = uint8_t(0x80u >> (x % 8));
  c.andPlane[byte] = uint8_t(c.andPlane[byte] & ~bit);
  if (white) c.xorPlane[byte] = uint8_t(c.xorPlane[byte] | bit);
}

// The hand drawn at `dpi`: white inside the shapes, and an outline of the scaled line width
// round them.
void DrawHand(CursorPlanes& c, int32_t dpi) {
  const double toDesign = double(kDesignDpi) / UsableDpi(dpi);
  const int t = LineWidth(dpi);
  // Pixel centres can fall exactly on a shape's edge; a nudge far below a pixel keeps every
  // compiler's floating point (x87's wider registers included) on the same side of it.
  constexpr double kNudge = 1e-6;
  std::vector<uint8_t> white(size_t(c.width) * size_t(c.height), 0);
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      white[size_t(y) * size_t(c.width) + size_t(x)] =
          HandWhite((x + 0.5) * toDesign + kNudge, (y + 0.5) * toDesign + kNudge) ? 1 : 0;
    }
  }
  const auto isWhite = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < c.width && y < c.height &&
           white[size_t(y) * size_t(c.width) + size_t(x)] != 0;
  };
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      if (isWhite(x, y)) {
        SetCursorPixel(c, x, y, true);
        continue;
      }
      bool near = false;
      for (int dy = -t; dy <= t && !near; ++dy) {
        for (int dx = -t; dx <= t && !near; ++dx) near = isWhite(x + dx, y + dy);
      }
      if (near) SetCursorPixel(c, x, y, false);
    }
  }
}

}  // namespace

CursorPlanes HandCursor(int32_t dpi) {
  CursorPlanes c;
  const bool design = UsableDpi(dpi) == kDesignDpi;
  if (!design) {
    c.width = c.height = (ScaleToDpi(32, dpi) + 7) / 8 * 8;
  }
  c.hotX = ScaleToDpi(12, dpi);
  c.hotY = ScaleToDpi(1, dpi);
  const size_t stride = size_t(c.width) / 8;
  c.andPlane.assign(stride * size_t(c.height), 0xFF);
  c.xorPlane.assign(stride * size_t(c.height), 0x00);
  if (!design) {
    DrawHand(c, dpi);
    return c;
  }
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
