#include "win32/resource_picture.h"

#include <ole2.h>
#include <olectl.h>

#include <cstring>

#include "win32/surface_bitmap.h"

namespace orv::win {
namespace {

// A picture's size in pixels from its HIMETRIC size, at the screen's resolution.
int ToPixels(OLE_XSIZE_HIMETRIC himetric, int axis) {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, axis) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return MulDiv(himetric, dpi > 0 ? dpi : 96, 2540);
}

std::optional<Surface> Render(IPicture* picture) {
  OLE_XSIZE_HIMETRIC hmWidth = 0;
  OLE_YSIZE_HIMETRIC hmHeight = 0;
  if (FAILED(picture->get_Width(&hmWidth)) || FAILED(picture->get_Height(&hmHeight))) {
    return std::nullopt;
  }
  const int width = ToPixels(hmWidth, LOGPIXELSX);
  const int height = ToPixels(hmHeight, LOGPIXELSY);
  SurfaceBitmap target;
  if (width <= 0 || height <= 0 || !target.Resize(width, height)) return std::nullopt;
  // Metafiles draw only their own shapes: the rest of the picture is white paper.
  short type = PICTYPE_NONE;
  const bool metafile = SUCCEEDED(picture->get_Type(&type)) &&
                        (type == PICTYPE_METAFILE || type == PICTYPE_ENHMETAFILE);
  if (metafile) {
    target.Put(Surface(width, height, kWhite), 0, 0);
  }
  // Picture space runs bottom-up: start at the top edge and go down by a negative height.
  if (FAILED(picture->Render(target.Dc(), 0, 0, width, height, 0, hmHeight, hmWidth, -hmHeight,
                             nullptr))) {
    return std::nullopt;
  }
  return target.Take();
}

}  // namespace

std::optional<Surface> DecodePicture(const void* bytes, size_t size) {
  if (!bytes || size == 0 || size > 0x7FFFFFFF) return std::nullopt;
  // The loader reads from a stream; the stream owns a movable copy of the bytes.
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!copy) return std::nullopt;
  void* target = GlobalLock(copy);
  if (!target) {
    GlobalFree(copy);
    return std::nullopt;
  }
  std::memcpy(target, bytes, size);
  GlobalUnlock(copy);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
    GlobalFree(copy);
    return std::nullopt;
  }
  IPicture* picture = nullptr;
  const HRESULT loaded = OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                        reinterpret_cast<void**>(&picture));
  stream->Release();
  if (FAILED(loaded) || !picture) return std::nullopt;
  std::optional<Surface> result = Render(picture);
  picture->Release();
  return result;
}

std::optional<Surface> LoadResourcePicture(HINSTANCE instance, int id) {
  HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10) /*RCDATA*/);
  if (!found) return std::nullopt;
  HGLOBAL loaded = LoadResource(instance, found);
  return DecodePicture(loaded ? LockResource(loaded) : nullptr, SizeofResource(instance, found));
}

}  // namespace orv::win
