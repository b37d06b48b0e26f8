// A first look at a picture file's bytes before the system's decoder sees them: which of
// the four kinds it is and the size its header declares. A file that is none of them, or
// declares a size beyond what the show can hold, is refused without decoding, so a damaged
// header cannot make the decoder allocate gigabytes.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace orv {

enum class PictureKind { kBmp, kGif, kJpeg, kWmf };

struct PictureHeader {
  PictureKind kind = PictureKind::kBmp;
  int64_t width = 0;   // pixels (for a metafile: at 96 dots per inch)
  int64_t height = 0;
};

// Largest picture the show decodes: 100 million pixels, no side above 32767.
inline constexpr int64_t kMostPicturePixels = 100'000'000;
inline constexpr int64_t kLongestPictureSide = 32767;

// The kind and declared size; nullopt when the bytes are no picture of the four kinds, the
// header is cut short, or the declared size is empty or too large.
std::optional<PictureHeader> ReadPictureHeader(std::string_view bytes);

}  // namespace orv
