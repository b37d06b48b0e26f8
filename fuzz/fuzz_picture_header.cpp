// Picture files as any bytes: the header check the Win32 loader runs before the system's
// decoder sees a file. A file it lets through names its kind by its own magic and declares a
// size the show can hold; no byte is read outside the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "display/picture_file.h"

namespace {

bool StartsWith(std::string_view bytes, std::string_view magic) {
  return bytes.substr(0, magic.size()) == magic;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly `size` bytes on the heap: a read past its end is a reported error.
  const std::string copy(reinterpret_cast<const char*>(data), size);
  const std::string_view bytes(copy);
  const auto header = orv::ReadPictureHeader(bytes);
  if (!header) return 0;
  if (header->width < 1 || header->height < 1) std::abort();
  if (header->width > orv::kLongestPictureSide || header->height > orv::kLongestPictureSide) {
    std::abort();
  }
  if (header->width * header->height > orv::kMostPicturePixels) std::abort();
  bool kindMatches = false;
  switch (header->kind) {
    case orv::PictureKind::kBmp: kindMatches = StartsWith(bytes, "BM"); break;
    case orv::PictureKind::kGif:
      kindMatches = StartsWith(bytes, "GIF87a") || StartsWith(bytes, "GIF89a");
      break;
    case orv::PictureKind::kJpeg: kindMatches = StartsWith(bytes, "\xFF\xD8"); break;
    case orv::PictureKind::kWmf: kindMatches = StartsWith(bytes, "\xD7\xCD\xC6\x9A"); break;
  }
  if (!kindMatches) std::abort();
  return 0;
}
