// Picture files as any bytes: the header check the Win32 loader runs before the system's
// decoder sees a file. A file it lets through names its kind by its own magic and declares a
// size the show can hold; no byte is read outside the file.
#include "display/picture_file.h"
#include "fuzz_harness.h"

namespace orv::fuzz {
namespace {

bool KindMatchesMagic(PictureKind kind, std::string_view bytes) {
  switch (kind) {
    case PictureKind::kBmp: return bytes.starts_with("BM");
    case PictureKind::kGif: return bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a");
    case PictureKind::kJpeg: return bytes.starts_with("\xFF\xD8");
    case PictureKind::kWmf: return bytes.starts_with("\xD7\xCD\xC6\x9A");
  }
  return false;
}

}  // namespace

void FuzzOne(Input input) {
  const std::string_view bytes = input.Bytes();
  const auto header = ReadPictureHeader(bytes);
  if (!header) return;
  Check(header->width >= 1 && header->height >= 1);
  Check(header->width <= kLongestPictureSide && header->height <= kLongestPictureSide);
  Check(header->width * header->height <= kMostPicturePixels);
  Check(KindMatchesMagic(header->kind, bytes));
}

}  // namespace orv::fuzz
