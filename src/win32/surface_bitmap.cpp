#include "win32/surface_bitmap.h"

#include <algorithm>
#include <cstring>

namespace orv::win {

SurfaceBitmap::SurfaceBitmap(int width, int height) { Resize(width, height); }

SurfaceBitmap::~SurfaceBitmap() { Release(); }

void SurfaceBitmap::Release() {
  if (dc_) {
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  if (bitmap_) DeleteObject(bitmap_);
  dc_ = nullptr;
  bitmap_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = 0;
}

bool SurfaceBitmap::Resize(int width, int height) {
  Release();
  if (width <= 0 || height <= 0) return true;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first, as in Surface
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  dc_ = CreateCompatibleDC(nullptr);
  if (!bitmap_ || !dc_ || !bits) {
    Release();
    return false;
  }
  previous_ = SelectObject(dc_, bitmap_);
  bits_ = static_cast<uint32_t*>(bits);
  width_ = width;
  height_ = height;
  std::memset(bits_, 0, size_t(width) * size_t(height) * 4);
  return true;
}

void SurfaceBitmap::Put(const Surface& source, int dx, int dy) {
  if (!bits_) return;
  GdiFlush();  // GDI may still be drawing into the bits
  const int x0 = std::max(dx, 0);
  const int x1 = std::min(dx + source.Width(), width_);
  const int y0 = std::max(dy, 0);
  const int y1 = std::min(dy + source.Height(), height_);
  if (x0 >= x1) return;
  for (int y = y0; y < y1; ++y) {
    std::memcpy(bits_ + size_t(y) * size_t(width_) + size_t(x0), source.Row(y - dy) + (x0 - dx),
                size_t(x1 - x0) * 4);
  }
}

Surface SurfaceBitmap::Take() const {
  Surface result(width_, height_);
  if (!bits_) return result;
  GdiFlush();
  for (int y = 0; y < height_; ++y) {
    uint32_t* row = result.Row(y);
    const uint32_t* from = bits_ + size_t(y) * size_t(width_);
    for (int x = 0; x < width_; ++x) row[x] = from[x] & 0x00FFFFFF;
  }
  return result;
}

}  // namespace orv::win
