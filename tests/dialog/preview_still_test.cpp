// The preview's committed still: a baseline colour JPEG of the preview's size (every picture
// loader of the system reads baseline, progressive not always) that is the generator's
// drawing. Fails when the drawing changed and scripts/make_artwork.sh was not run.
#include <gtest/gtest.h>

#include <jpeglib.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "preview_still.h"
#include "startup/preview.h"

namespace orv {
namespace {

TEST(PreviewStill, TheCommittedJpegIsABaselineCopyOfTheGeneratorsDrawing) {
  std::FILE* f = std::fopen(ORVANE_RESOURCES_DIR "/preview_still.jpg", "rb");
  ASSERT_NE(f, nullptr);
  jpeg_decompress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, f);
  jpeg_read_header(&info, TRUE);
  EXPECT_FALSE(jpeg_has_multiple_scans(&info));
  EXPECT_EQ(info.num_components, 3);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  const Surface drawn = art::RenderPreviewStill();
  const std::pair size(kPreviewStillWidth, kPreviewStillHeight);
  ASSERT_EQ(std::pair(int(info.output_width), int(info.output_height)), size);
  ASSERT_EQ(std::pair(drawn.Width(), drawn.Height()), size);
  long difference = 0;
  std::vector<JSAMPLE> row(info.output_width * 3);
  while (info.output_scanline < info.output_height) {
    const int y = int(info.output_scanline);
    JSAMPROW rows[] = {row.data()};
    jpeg_read_scanlines(&info, rows, 1);
    for (int i = 0; i < 3 * drawn.Width(); ++i) {
      difference += std::abs(int(row[size_t(i)]) - int(drawn.Pixel(i / 3, y) >> (16 - 8 * (i % 3)) & 0xFF));
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  std::fclose(f);
  EXPECT_LT(double(difference) / (3.0 * drawn.Width() * drawn.Height()), 6.0);  // JPEG's loss
}

}  // namespace
}  // namespace orv
