// Our Surface as a GDI bitmap: a 32-bit top-down DIB section in a memory device context,
// so GDI can draw on it (edges, text) and it can be copied to a window with BitBlt.
#pragma once
#include <windows.h>

#include "toolkit/surface.h"

namespace orv::win {

class SurfaceBitmap {
 public:
  SurfaceBitmap() = default;
  SurfaceBitmap(int width, int height);
  ~SurfaceBitmap();
  SurfaceBitmap(const SurfaceBitmap&) = delete;
  SurfaceBitmap& operator=(const SurfaceBitmap&) = delete;

  // A new size, black; false when the system has no memory for it.
  bool Resize(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  HDC Dc() const { return dc_; }

  // Pixel exchange with our surfaces, clipped to both.
  void Put(const Surface& source, int dx, int dy);
  Surface Take() const;

 private:
  void Release();
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace orv::win
