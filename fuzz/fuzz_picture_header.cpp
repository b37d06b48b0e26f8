// Picture files as any bytes: the header check run before the system's decoder sees a
// file. A file it lets through names its kind by its own magic and declares a size the show
// can hold; no byte is read outside the file.
#include "display/picture_file.h"
#include "fuzz_harness.h"

namespace orv::fuzz {

void FuzzOne(Input input) {
  const std::string_view bytes = input.Bytes();
  const auto header = ReadPictureHeader(bytes);
  if (!header) return;
  Check(header->width >= 1 && header->height >= 1 && header->width <= kLongestPictureSide &&
        header->height <= kLongestPictureSide && header->width * header->height <= kMostPicturePixels);
  static constexpr std::string_view kMagic[] = {"BM", "GIF8", "\xFF\xD8", "\xD7\xCD\xC6\x9A"};
  Check(bytes.starts_with(kMagic[static_cast<int>(header->kind)]));
  Check(header->kind != PictureKind::kGif || bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a"));
}

}  // namespace orv::fuzz
