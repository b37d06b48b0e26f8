// The program's own drawing surface: a 32-bit pixel buffer (0x00RRGGBB, top row first, the
// layout of a top-down 32-bit DIB) with the block transfers the drawing code relies on.
// The Win32 layer presents a surface to a window; nothing here touches the platform.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace orv {

enum class Rop : uint32_t {
  kSrcCopy = 0x00CC0020,
  kSrcAnd = 0x008800C6,
  kSrcInvert = 0x00660046,
};

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0xFF0000;

class Surface {
 public:
  Surface() = default;
  Surface(int width, int height, uint32_t fill = kBlack);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }

  // New size, all black.
  void Resize(int width, int height);

  uint32_t Pixel(int x, int y) const { return pixels_[Index(x, y)]; }
  void SetPixel(int x, int y, uint32_t color) { pixels_[Index(x, y)] = color; }
  uint32_t* Row(int y) { return pixels_.data() + Index(0, y); }
  const uint32_t* Row(int y) const { return pixels_.data() + Index(0, y); }
  const std::vector<uint32_t>& Pixels() const { return pixels_; }

  // Fills the box from (left, top) to (right, bottom), both corners included; clipped.
  void FillBox(int left, int top, int right, int bottom, uint32_t color);

  // Fills every pixel whose centre lies inside the ellipse centred on (cx, cy) with
  // half-axes rx and ry; clipped. Nothing is drawn for a negative half-axis.
  void FillEllipse(double cx, double cy, double rx, double ry, uint32_t color);

  friend bool operator==(const Surface&, const Surface&) = default;

 private:
  size_t Index(int x, int y) const {
    return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
  }
  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> pixels_;
};

// Block transfer of w x h pixels from (sx, sy) of `src` to (dx, dy) of `dst`, clipped to
// both surfaces.
void BitBlt(Surface& dst, int dx, int dy, int w, int h, const Surface& src, int sx, int sy,
            Rop rop);

// Stretches the sw x sh pixels at (sx, sy) of `src` onto the dw x dh box at (dx, dy) of
// `dst` with SRCCOPY in COLORONCOLOR mode: each target pixel takes the source pixel under
// its centre, no blending. Clipped to the target; nothing is drawn for empty sizes.
void StretchBlt(Surface& dst, int dx, int dy, int dw, int dh, const Surface& src, int sx, int sy,
                int sw, int sh);

// The source pixel StretchBlt takes for target pixel i (counted from the box's edge) when
// `s` source pixels from `origin` stretch over `d` target pixels: the one under the centre
// of i, origin + (2i + 1) s / (2d), held to 0 .. limit - 1.
int StretchSource(int64_t i, int64_t s, int64_t d, int origin, int limit);

}  // namespace orv
