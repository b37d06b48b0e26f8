// The preview's still: what the generator draws, and the committed file being that drawing.
#include <gtest/gtest.h>

#include <jpeglib.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "preview_still.h"
#include "startup/preview.h"

namespace orv {
namespace {

int Red(uint32_t c) { return int(c >> 16 & 0xFF); }
int Green(uint32_t c) { return int(c >> 8 & 0xFF); }
int Blue(uint32_t c) { return int(c & 0xFF); }

Surface DecodeJpeg(const char* path) {
  std::FILE* f = std::fopen(path, "rb");
  if (!f) return Surface();
  jpeg_decompress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, f);
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  Surface s(int(info.output_width), int(info.output_height));
  std::vector<JSAMPLE> row(info.output_width * 3);
  while (info.output_scanline < info.output_height) {
    const int y = int(info.output_scanline);
    JSAMPROW rows[] = {row.data()};
    jpeg_read_scanlines(&info, rows, 1);
    for (int x = 0; x < s.Width(); ++x) {
      s.SetPixel(x, y, uint32_t(row[size_t(x) * 3]) << 16 | uint32_t(row[size_t(x) * 3 + 1]) << 8 |
                           row[size_t(x) * 3 + 2]);
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  std::fclose(f);
  return s;
}

TEST(PreviewStill, ShowsRedFragmentsAndBlackShadowsOverBlueRoundAPurpleOval) {
  const Surface still = art::RenderPreviewStill();
  ASSERT_EQ(still.Width(), kPreviewStillWidth);
  ASSERT_EQ(still.Height(), kPreviewStillHeight);
  int red = 0, black = 0, blue = 0;
  for (uint32_t c : still.Pixels()) {
    red += c == kRed;
    black += c == kBlack;
    blue += Blue(c) > Red(c) + 60 && Blue(c) > Green(c) + 40;
  }
  EXPECT_GT(blue, int(still.Pixels().size()) * 6 / 10);  // the ground dominates
  EXPECT_GT(red, 300);
  EXPECT_GT(black, 100);
  EXPECT_LT(black, red);  // shadows are flatter than the pieces
  // The oval: purple (red and blue both strong, green weak) somewhere near the middle.
  int purple = 0;
  for (int y = 62; y < 82; ++y) {
    for (int x = 50; x < 102; ++x) {
      const uint32_t c = still.Pixel(x, y);
      purple += Red(c) > 70 && Blue(c) > 100 && Green(c) < Red(c) - 20;
    }
  }
  EXPECT_GT(purple, 300);
}

TEST(PreviewStill, IsTheSameEveryTime) {
  EXPECT_EQ(art::RenderPreviewStill(), art::RenderPreviewStill());
}

TEST(PreviewStill, CommittedJpegIsTheGeneratorsDrawing) {
  // Fails when the drawing changed and scripts/make_artwork.sh was not run.
  const Surface stored = DecodeJpeg(ORVANE_RESOURCES_DIR "/preview_still.jpg");
  const Surface drawn = art::RenderPreviewStill();
  ASSERT_EQ(stored.Width(), drawn.Width());
  ASSERT_EQ(stored.Height(), drawn.Height());
  long difference = 0;
  for (size_t i = 0; i < drawn.Pixels().size(); ++i) {
    const uint32_t a = stored.Pixels()[i], b = drawn.Pixels()[i];
    difference += std::abs(Red(a) - Red(b)) + std::abs(Green(a) - Green(b)) +
                  std::abs(Blue(a) - Blue(b));
  }
  const double perChannel = double(difference) / (drawn.Pixels().size() * 3);
  EXPECT_LT(perChannel, 6.0);  // JPEG's loss stays small; another picture would not
}

}  // namespace
}  // namespace orv
