#include "display/picture_file.h"

#include <gtest/gtest.h>

#include <string>

namespace orv {
namespace {

std::string Le16(uint32_t v) { return {char(v & 0xFF), char((v >> 8) & 0xFF)}; }
std::string Le32(uint32_t v) { return Le16(v & 0xFFFF) + Le16(v >> 16); }
std::string Be16(uint32_t v) { return {char((v >> 8) & 0xFF), char(v & 0xFF)}; }

std::string Bmp(int32_t w, int32_t h) {
  return "BM" + Le32(70) + Le32(0) + Le32(54) + Le32(40) + Le32(uint32_t(w)) + Le32(uint32_t(h)) +
         Le16(1) + Le16(32) + std::string(24, '\0');
}
std::string Gif(uint32_t w, uint32_t h) { return "GIF89a" + Le16(w) + Le16(h) + std::string(8, '\0'); }
std::string Jpeg(uint8_t frameMarker, uint32_t w, uint32_t h) {
  std::string app0 = "\xFF\xE0" + Be16(16) + std::string("JFIF\0", 5) + std::string(9, '\0');
  std::string sof = "\xFF" + std::string(1, char(frameMarker)) + Be16(17) + "\x08" + Be16(h) +
                    Be16(w) + std::string(10, '\0');
  return "\xFF\xD8" + app0 + sof + "\xFF\xDA" + Be16(12) + std::string(10, '\0');
}
std::string Wmf(int16_t left, int16_t top, int16_t right, int16_t bottom, uint16_t inch,
                bool goodSum = true) {
  std::string h = Le32(0x9AC6CDD7u) + Le16(0) + Le16(uint16_t(left)) + Le16(uint16_t(top)) +
                  Le16(uint16_t(right)) + Le16(uint16_t(bottom)) + Le16(inch) + Le32(0);
  uint32_t sum = 0;
  for (size_t i = 0; i < 20; i += 2) sum ^= uint32_t(uint8_t(h[i])) | uint32_t(uint8_t(h[i + 1])) << 8;
  return h + Le16(goodSum ? sum : sum ^ 1) + std::string(18, '\0');
}

TEST(PictureHeader, ReadsTheKindAndDeclaredSizeOfEachFormat) {
  auto bmp = ReadPictureHeader(Bmp(64, -48));  // top row first
  ASSERT_TRUE(bmp);
  EXPECT_EQ(bmp->kind, PictureKind::kBmp);
  EXPECT_EQ(bmp->width, 64);
  EXPECT_EQ(bmp->height, 48);
  auto gif = ReadPictureHeader(Gif(320, 200));
  ASSERT_TRUE(gif);
  EXPECT_EQ(gif->kind, PictureKind::kGif);
  EXPECT_EQ(gif->height, 200);
  for (const uint8_t marker : {0xC0, 0xC1, 0xC2}) {
    auto jpeg = ReadPictureHeader(Jpeg(marker, 800, 600));
    ASSERT_TRUE(jpeg) << int(marker);
    EXPECT_EQ(jpeg->kind, PictureKind::kJpeg);
    EXPECT_EQ(jpeg->width, 800);
    EXPECT_EQ(jpeg->height, 600);
  }
  auto wmf = ReadPictureHeader(Wmf(0, 0, 1440, 720, 1440));
  ASSERT_TRUE(wmf);
  EXPECT_EQ(wmf->kind, PictureKind::kWmf);
  EXPECT_EQ(wmf->width, 96);
  EXPECT_EQ(wmf->height, 48);
}

TEST(PictureHeader, RefusesOtherFilesDamagedHeadersAndAbsurdSizes) {
  EXPECT_FALSE(ReadPictureHeader(""));
  EXPECT_FALSE(ReadPictureHeader("\x89PNG\r\n\x1a\n0000000000000000"));
  EXPECT_FALSE(ReadPictureHeader("BM"));                        // cut short
  EXPECT_FALSE(ReadPictureHeader(Bmp(0, 10)));
  EXPECT_FALSE(ReadPictureHeader(Bmp(40000, 2)));               // a side beyond 32767
  EXPECT_FALSE(ReadPictureHeader(Bmp(20000, 20000)));           // 400 million pixels
  EXPECT_TRUE(ReadPictureHeader(Bmp(10000, 10000)));
  EXPECT_FALSE(ReadPictureHeader(Gif(65535, 65535)));
  EXPECT_FALSE(ReadPictureHeader("GIF88a" + Le16(10) + Le16(10)));
  EXPECT_FALSE(ReadPictureHeader(Jpeg(0xC4, 800, 600)));        // a table, never a frame
  const std::string jpeg = Jpeg(0xC0, 800, 600);
  EXPECT_FALSE(ReadPictureHeader(jpeg.substr(0, 26)));          // cut inside the frame header
  EXPECT_FALSE(ReadPictureHeader(std::string("\xFF\xD8\xFF\xE0\x00\x01", 6)));  // bad length
  EXPECT_FALSE(ReadPictureHeader(Wmf(0, 0, 100, 100, 1440, false)));  // checksum
  EXPECT_FALSE(ReadPictureHeader(Wmf(0, 0, 100, 100, 0)));
  EXPECT_FALSE(ReadPictureHeader(Wmf(0, 0, 0, 100, 1440)));
}

TEST(PictureHeader, DamagedBytesNeverReadOutsideTheFile) {
  const std::string originals[] = {Bmp(64, 48), Gif(20, 20), Jpeg(0xC0, 30, 40),
                                   Wmf(0, 0, 500, 500, 1000)};
  uint32_t seed = 99;
  int accepted = 0;
  for (const std::string& original : originals) {
    for (int round = 0; round < 3000; ++round) {
      std::string bytes = original;
      seed = seed * 1664525u + 1013904223u;
      bytes.resize(seed % (bytes.size() + 1));  // any length up to the whole
      for (int flips = 0; flips < 3 && !bytes.empty(); ++flips) {
        seed = seed * 1664525u + 1013904223u;
        bytes[(seed >> 8) % bytes.size()] = char(seed >> 24);
      }
      // std::string_view over exactly the damaged bytes: a read past them would fault
      // under the address sanitizer build.
      const auto header = ReadPictureHeader(std::string_view(bytes.data(), bytes.size()));
      if (header) {
        ++accepted;
        EXPECT_GT(header->width, 0);
        EXPECT_LE(header->width * header->height, kMostPicturePixels);
      }
    }
  }
  EXPECT_GT(accepted, 0);
}

TEST(PictureHeader, TheShowDecodesEachKindUpToWhatItsDecoderCanHoldBesideTheScreen) {
  struct Case {
    PictureKind kind;
    int64_t width, height;
    bool decoded;
  };
  const Case cases[] = {
      {PictureKind::kJpeg, 6000, 4000, true},   // a 24-MP photo
      {PictureKind::kJpeg, 10000, 5000, true},  // 50 MP
      {PictureKind::kJpeg, 10000, 5001, false},
      {PictureKind::kJpeg, 9800, 9800, false},  // 96 MP
      {PictureKind::kBmp, 5000, 4000, true},
      {PictureKind::kBmp, 5000, 4001, false},
      {PictureKind::kGif, 10000, 5000, true},
      {PictureKind::kGif, 10000, 5001, false},
      {PictureKind::kWmf, 32000, 375, true},
      {PictureKind::kWmf, 32000, 376, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FitsShowDecode(PictureHeader{c.kind, c.width, c.height}), c.decoded)
        << int(c.kind) << " " << c.width << "x" << c.height;
  }
}

}  // namespace
}  // namespace orv
