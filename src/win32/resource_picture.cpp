#include "win32/resource_picture.h"

#include <ole2.h>
#include <olectl.h>

#include <cstring>
#include <memory>

#include "win32/dpi.h"
#include "win32/scoped.h"
#include "win32/surface_bitmap.h"

namespace orv::win {
namespace {

// A picture's size in pixels from its HIMETRIC size, at the screen's resolution.
int ToPixels(OLE_XSIZE_HIMETRIC himetric, int axis) {
  return MulDiv(himetric, ScreenDpi(axis), 2540);
}

// The picture drawn at its own size into a bitmap of ours; null when it cannot be.
std::unique_ptr<SurfaceBitmap> Render(IPicture* picture) {
  OLE_XSIZE_HIMETRIC hmWidth = 0;
  OLE_YSIZE_HIMETRIC hmHeight = 0;
  if (FAILED(picture->get_Width(&hmWidth)) || FAILED(picture->get_Height(&hmHeight))) {
    return nullptr;
  }
  const int width = ToPixels(hmWidth, LOGPIXELSX);
  const int height = ToPixels(hmHeight, LOGPIXELSY);
  auto target = std::make_unique<SurfaceBitmap>();
  if (width <= 0 || height <= 0 || !target->Resize(width, height)) return nullptr;
  // Metafiles draw only their own shapes: the rest of the picture is white paper.
  short type = PICTYPE_NONE;
  const bool metafile = SUCCEEDED(picture->get_Type(&type)) &&
                        (type == PICTYPE_METAFILE || type == PICTYPE_ENHMETAFILE);
  if (metafile) {
    target->Put(Surface(width, height, kWhite), 0, 0);
  }
  // Picture space runs bottom-up: start at the top edge and go down by a negative height.
  if (FAILED(picture->Render(target->Dc(), 0, 0, width, height, 0, hmHeight, hmWidth, -hmHeight,
                             nullptr))) {
    return nullptr;
  }
  return target;
}

// Decodes the stream's picture; the system's copy of it is freed before ours is made.
std::optional<Surface> DecodeStream(IStream* stream, size_t size) {
  ComPtr<IPicture> picture;
  {
    const ComPtr<IStream> owned(stream);
    const HRESULT loaded = OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                          reinterpret_cast<void**>(picture.put()));
    if (FAILED(loaded) || !picture) return std::nullopt;
  }
  const std::unique_ptr<SurfaceBitmap> drawn = Render(picture.get());
  picture.reset();
  if (!drawn) return std::nullopt;
  return drawn->Take();
}

// A stream over a movable copy of the bytes, which the stream owns; null on failure.
IStream* StreamOf(const void* bytes, size_t size) {
  if (!bytes || size == 0 || size > 0x7FFFFFFF) return nullptr;
  ScopedGlobal copy(size);
  void* target = copy ? GlobalLock(copy.get()) : nullptr;
  if (!target) return nullptr;
  std::memcpy(target, bytes, size);
  GlobalUnlock(copy.get());
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(copy.get(), TRUE, &stream))) return nullptr;
  copy.release();  // the stream frees it
  return stream;
}

}  // namespace

std::optional<Surface> DecodePicture(const void* bytes, size_t size) {
  IStream* stream = StreamOf(bytes, size);
  if (!stream) return std::nullopt;
  return DecodeStream(stream, size);
}

std::optional<Surface> DecodePicture(std::string&& bytes) {
  const size_t size = bytes.size();
  IStream* stream = StreamOf(bytes.data(), size);
  std::string().swap(bytes);
  if (!stream) return std::nullopt;
  return DecodeStream(stream, size);
}

std::optional<Surface> LoadResourcePicture(HINSTANCE instance, int id) {
  HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10) /*RCDATA*/);
  if (!found) return std::nullopt;
  HGLOBAL loaded = LoadResource(instance, found);
  return DecodePicture(loaded ? LockResource(loaded) : nullptr, SizeofResource(instance, found));
}

}  // namespace orv::win
