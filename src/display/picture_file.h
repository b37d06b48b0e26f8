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
  int32_t bitsPerPixel = 32;  // BMP: as stored
  bool compressed = false;    // BMP: run-length or other compressed pixels
};

// Largest picture the show decodes: 100 million pixels, no side above 32767.
inline constexpr int64_t kMostPicturePixels = 100'000'000;
inline constexpr int64_t kLongestPictureSide = 32767;

// The kind and declared size; nullopt when the bytes are no picture of the four kinds, the
// header is cut short, or the declared size is empty or too large.
std::optional<PictureHeader> ReadPictureHeader(std::string_view bytes);

// Largest pictures the running show decodes, by kind, so that a decode never takes the
// program far beyond what the screen needs. Measured under Wine at 1920 x 1080, where the
// program holds some 75 MB of its own: the decoders keep the whole picture while its rows
// are read, a JPEG at 3 bytes a pixel (48 MP: 227 MB in all), a GIF at 1 (24 MP: 106 MB);
// a BMP decoder keeps a copy of the file's pixels at their own depth beside the file (or,
// for compressed and fewer than 8 bits, 4 bytes a pixel), so a BMP is bounded by the bytes
// it takes, 160 MB: 20 MP at 32 bits, 26 MP at 24 bits (a 68 MB photo of 5600 x 4200);
// a metafile is drawn whole into two 32-bit copies. With these bounds the program stays
// under 250 MB. A larger picture is refused from its header at once, before any decoding:
// a 96-MP JPEG would take the JPEG decoder alone 290 MB and seconds.
int64_t MostShowPixels(PictureKind kind);
bool FitsShowDecode(const PictureHeader& header);
inline constexpr int64_t kMostBmpDecodeBytes = 160'000'000;
// The bytes a BMP's file and its decoder's copy take together.
int64_t BmpDecodeBytes(const PictureHeader& header);

}  // namespace orv
