// The preview's still as the resources hold it: a JPEG the system's picture loader reads,
// of exactly the standard preview size.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "startup/preview.h"

namespace orv {
namespace {

struct JpegFrame {
  int marker = 0;
  int width = 0;
  int height = 0;
  int components = 0;
};

// The first frame header of a JPEG file; nullopt when the bytes are no JPEG.
std::optional<JpegFrame> ReadFrameHeader(const std::string& b) {
  if (b.size() < 4 || uint8_t(b[0]) != 0xFF || uint8_t(b[1]) != 0xD8) return std::nullopt;
  size_t at = 2;
  while (at + 4 <= b.size()) {
    if (uint8_t(b[at]) != 0xFF) return std::nullopt;
    const int marker = uint8_t(b[at + 1]);
    const size_t length = size_t(uint8_t(b[at + 2])) << 8 | uint8_t(b[at + 3]);
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                       marker != 0xCC;
    if (frame && at + 10 <= b.size()) {
      return JpegFrame{marker, uint8_t(b[at + 7]) << 8 | uint8_t(b[at + 8]),
                       uint8_t(b[at + 5]) << 8 | uint8_t(b[at + 6]), uint8_t(b[at + 9])};
    }
    if (marker == 0xDA || length < 2) return std::nullopt;  // scan data before any frame
    at += 2 + length;
  }
  return std::nullopt;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(PreviewStillFile, IsABaselineColourJpegOfTheStandardPreviewSize) {
  const std::string bytes = ReadFile(ORVANE_RESOURCES_DIR "/preview_still.jpg");
  ASSERT_FALSE(bytes.empty());
  const auto frame = ReadFrameHeader(bytes);
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->width, kPreviewStillWidth);
  EXPECT_EQ(frame->height, kPreviewStillHeight);
  EXPECT_EQ(frame->components, 3);
  // Baseline: every picture loader of the system decodes it, progressive ones not always.
  EXPECT_EQ(frame->marker, 0xC0);
}

TEST(PreviewStillFile, FrameHeaderReaderRejectsWhatIsNoJpeg) {
  EXPECT_FALSE(ReadFrameHeader(""));
  EXPECT_FALSE(ReadFrameHeader("BM\x36\x00"));
  const std::string onlyScan("\xFF\xD8\xFF\xDA\x00\x02", 6);
  EXPECT_FALSE(ReadFrameHeader(onlyScan));
  const std::string tiny("\xFF\xD8\xFF\xE0\x00\x04\x00\x00\xFF\xC0\x00\x11\x08\x00\x02\x00\x03\x03",
                         18);
  const auto frame = ReadFrameHeader(tiny);
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->width, 3);
  EXPECT_EQ(frame->height, 2);
}

}  // namespace
}  // namespace orv
