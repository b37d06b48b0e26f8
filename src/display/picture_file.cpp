#include "display/picture_file.h"

#include <algorithm>
#include <cstdlib>

namespace orv {
namespace {

uint32_t Le16(std::string_view b, size_t at) {
  return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8;
}
uint32_t Le32(std::string_view b, size_t at) { return Le16(b, at) | Le16(b, at + 2) << 16; }
uint32_t Be16(std::string_view b, size_t at) {
  return uint32_t(uint8_t(b[at])) << 8 | uint32_t(uint8_t(b[at + 1]));
}

std::optional<PictureHeader> Bmp(std::string_view b) {
  if (b.size() < 26) return std::nullopt;
  const uint32_t infoSize = Le32(b, 14);
  if (infoSize == 12) {  // the old core header: 16-bit sizes
    const auto bits = static_cast<int32_t>(Le16(b, 24));
    return PictureHeader{PictureKind::kBmp, Le16(b, 18), Le16(b, 20), bits, false};
  }
  const auto width = static_cast<int32_t>(Le32(b, 18));
  const auto height = static_cast<int32_t>(Le32(b, 22));  // negative: top row first
  // A header cut before its depth counts as the deepest.
  const int32_t bits = b.size() >= 30 ? int32_t(Le16(b, 28)) : 32;
  const uint32_t compression = b.size() >= 34 ? Le32(b, 30) : 0;
  // Bit fields (3, 6) are plain pixels with masks; the rest are compressed.
  const bool compressed = compression != 0 && compression != 3 && compression != 6;
  return PictureHeader{PictureKind::kBmp, width, std::llabs(int64_t{height}), bits, compressed};
}

std::optional<PictureHeader> Gif(std::string_view b) {
  if (b.size() < 10 || (b.substr(0, 6) != "GIF87a" && b.substr(0, 6) != "GIF89a")) {
    return std::nullopt;
  }
  return PictureHeader{PictureKind::kGif, Le16(b, 6), Le16(b, 8)};
}

std::optional<PictureHeader> Jpeg(std::string_view b) {
  // Walk the marker segments to the first frame header.
  size_t at = 2;
  while (at + 4 <= b.size()) {
    if (uint8_t(b[at]) != 0xFF) return std::nullopt;
    const uint8_t marker = uint8_t(b[at + 1]);
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
      at += 2;
      continue;
    }
    const size_t length = Be16(b, at + 2);
    if (length < 2) return std::nullopt;
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                       marker != 0xCC;
    if (frame) {
      if (at + 9 > b.size() || length < 7) return std::nullopt;
      return PictureHeader{PictureKind::kJpeg, Be16(b, at + 7), Be16(b, at + 5)};
    }
    if (marker == 0xD9 || marker == 0xDA) return std::nullopt;  // no frame before the data
    at += 2 + length;
  }
  return std::nullopt;
}

std::optional<PictureHeader> Wmf(std::string_view b) {
  // The placeable header: key, handle, bounding box in units, units per inch, reserved,
  // checksum, then the metafile's own header.
  if (b.size() < 22 + 18) return std::nullopt;
  const int64_t left = static_cast<int16_t>(Le16(b, 6)), top = static_cast<int16_t>(Le16(b, 8));
  const int64_t right = static_cast<int16_t>(Le16(b, 10));
  const int64_t bottom = static_cast<int16_t>(Le16(b, 12));
  const int64_t inch = Le16(b, 14);
  uint32_t sum = 0;
  for (size_t i = 0; i < 20; i += 2) sum ^= Le16(b, i);
  if (inch == 0 || sum != Le16(b, 20)) return std::nullopt;
  return PictureHeader{PictureKind::kWmf, std::llabs(right - left) * 96 / inch,
                       std::llabs(bottom - top) * 96 / inch};
}

}  // namespace

std::optional<PictureHeader> ReadPictureHeader(std::string_view bytes) {
  std::optional<PictureHeader> header;
  if (bytes.size() >= 2 && bytes.substr(0, 2) == "BM") {
    header = Bmp(bytes);
  } else if (bytes.size() >= 3 && bytes.substr(0, 3) == "GIF") {
    header = Gif(bytes);
  } else if (bytes.size() >= 3 && uint8_t(bytes[0]) == 0xFF && uint8_t(bytes[1]) == 0xD8) {
    header = Jpeg(bytes);
  } else if (bytes.size() >= 4 && Le32(bytes, 0) == 0x9AC6CDD7u) {
    header = Wmf(bytes);
  }
  if (!header || header->width <= 0 || header->height <= 0 ||
      header->width > kLongestPictureSide || header->height > kLongestPictureSide ||
      header->width * header->height > kMostPicturePixels) {
    return std::nullopt;
  }
  return header;
}

int64_t MostShowPixels(PictureKind kind) {
  switch (kind) {
    case PictureKind::kJpeg:
    case PictureKind::kGif:
    case PictureKind::kBmp:  // and its bytes, BmpDecodeBytes
      return 50'000'000;
    case PictureKind::kWmf:
      return 12'000'000;
  }
  return 0;
}

int64_t BmpDecodeBytes(const PictureHeader& header) {
  const int64_t pixels = header.width * header.height;
  const int64_t bits = std::clamp<int64_t>(header.bitsPerPixel, 1, 32);
  const int64_t file = (pixels * bits + 7) / 8;
  const int64_t copy = header.compressed || bits < 8 ? pixels * 4 : file;
  return file + copy;
}

bool FitsShowDecode(const PictureHeader& header) {
  if (header.width * header.height > MostShowPixels(header.kind)) return false;
  return header.kind != PictureKind::kBmp || BmpDecodeBytes(header) <= kMostBmpDecodeBytes;
}

}  // namespace orv
