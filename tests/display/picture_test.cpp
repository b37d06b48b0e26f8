#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>

#include "display/picture_file.h"
#include "display/placement.h"
#include "toolkit/picture_orientation.h"

namespace orv {
namespace {

TEST(Placement, OriginalSizeIsCentredAndFullScreenFitsByThePicturesOwnShape) {
  const struct {
    int32_t w, h;
    int16_t mode;
    PictureBox box;
  } cases[] = {
      {999, 743, 0, {12, 12, 999, 743, false}},  // halves rounded to even
      {997, 741, 0, {14, 14, 997, 741, false}},
      {2000, 1000, 0, {-488, -116, 2000, 1000, false}},
      {1000, 900, 1, {0, -77, 1024, 922, true}},  // wider than high fills the width
      {600, 800, 1, {224, 0, 576, 768, true}},
      {300, 300, 1, {128, 0, 768, 768, true}},    // square fills the height
      {200, 50, 2, {0, 256, 1024, 256, true}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PlacePicture(1024, 768, c.w, c.h, c.mode), c.box) << c.w << "x" << c.h;
}

Surface Noise(int width, int height, uint32_t seed) {
  Surface s(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) s.SetPixel(x, y, (seed = seed * 1103515245u + 12345u) >> 8);
  return s;
}

// A picture read by rows that notes which rows were read and can fail at one.
class NotedRows final : public PictureRows {
 public:
  NotedRows(const Surface& picture, int failAt = -1) : rows_(picture), failAt_(failAt) {}
  int Width() const override { return rows_.Width(); }
  int Height() const override { return rows_.Height(); }
  bool ReadRow(int y, uint32_t* row) override {
    read.push_back(y);
    return y != failAt_ && rows_.ReadRow(y, row);
  }
  std::vector<int> read;

 private:
  SurfaceRows rows_;
  int failAt_;
};

TEST(Placement, RowByRowGivesTheWholePicturesPixelsReadingEachRowShownOnceFromTheTop) {
  const struct {
    int pw, ph, sw, sh;
    int16_t mode;
  } cases[] = {{2000, 1000, 1024, 768, 0}, {90, 200, 203, 157, 1}, {3000, 2000, 192, 108, 1},
               {3, 2, 64, 48, 1}, {50, 4000, 320, 240, 1}};
  uint32_t seed = 1;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.pw << "x" << c.ph << " on " << c.sw << "x" << c.sh);
    const Surface picture = Noise(c.pw, c.ph, ++seed);
    const PictureBox box = *PlacePicture(c.sw, c.sh, c.pw, c.ph, c.mode);
    Surface expected(c.sw, c.sh, kWhite), got(c.sw, c.sh, kWhite);
    DrawPicture(expected, picture, box);
    NotedRows rows(picture);
    EXPECT_TRUE(DrawPictureRows(got, rows, box));
    EXPECT_EQ(got, expected);
    EXPECT_EQ(std::adjacent_find(rows.read.begin(), rows.read.end(), std::greater_equal<>()),
              rows.read.end());
    EXPECT_LE(rows.read.size(), static_cast<size_t>(std::min(c.ph, c.sh)));
  }
  // The box itself: nothing outside it is touched.
  Surface master(1024, 768);
  DrawPicture(master, Surface(640, 480, 0x123456), *PlacePicture(1024, 768, 640, 480, 0));
  EXPECT_EQ(std::tuple(master.Pixel(831, 623), master.Pixel(191, 144), master.Pixel(192, 624)),
            std::tuple(0x123456u, kBlack, kBlack));
}

TEST(Placement, RowByRowStopsAtARowThatCannotBeRead) {
  const Surface picture = Noise(300, 200, 7);
  const PictureBox box = *PlacePicture(160, 120, 300, 200, 1);
  Surface target(160, 120);
  NotedRows broken(picture, 100);
  EXPECT_FALSE(DrawPictureRows(target, broken, box));
  EXPECT_EQ(broken.read.back(), 100);
}

std::string Le16(uint32_t v) { return {char(v & 0xFF), char((v >> 8) & 0xFF)}; }
std::string Le32(uint32_t v) { return Le16(v & 0xFFFF) + Le16(v >> 16); }
std::string Be16(uint32_t v) { return {char((v >> 8) & 0xFF), char(v & 0xFF)}; }
std::string Bmp(int32_t w, int32_t h, uint16_t bits = 32, uint32_t compression = 0) {
  return "BM" + Le32(70) + Le32(0) + Le32(54) + Le32(40) + Le32(uint32_t(w)) + Le32(uint32_t(h)) +
         Le16(1) + Le16(bits) + Le32(compression) + std::string(20, '\0');
}
std::string Gif(uint32_t w, uint32_t h) { return "GIF89a" + Le16(w) + Le16(h) + std::string(8, '\0'); }
std::string Jpeg(uint8_t frame, uint32_t w, uint32_t h) {
  return "\xFF\xD8\xFF\xE0" + Be16(16) + std::string("JFIF\0", 5) + std::string(9, '\0') + "\xFF" +
         std::string(1, char(frame)) + Be16(17) + "\x08" + Be16(h) + Be16(w) +
         std::string(10, '\0') + "\xFF\xDA" + Be16(12) + std::string(10, '\0');
}
std::string Wmf(int16_t right, int16_t bottom, uint16_t inch, bool goodSum = true) {
  std::string h = Le32(0x9AC6CDD7u) + Le16(0) + Le16(0) + Le16(0) + Le16(uint16_t(right)) +
                  Le16(uint16_t(bottom)) + Le16(inch) + Le32(0);
  uint32_t sum = 0;
  for (size_t i = 0; i < 20; i += 2) sum ^= uint32_t(uint8_t(h[i])) | uint32_t(uint8_t(h[i + 1])) << 8;
  return h + Le16(goodSum ? sum : sum ^ 1) + std::string(18, '\0');
}

TEST(PictureHeader, ReadsTheKindAndSizeOfEachFormatAndRefusesTheRest) {
  using K = PictureKind;
  const std::string jpeg = Jpeg(0xC0, 800, 600);
  const struct {
    std::string bytes;
    std::optional<PictureHeader> header;
  } cases[] = {
      {Bmp(64, -48), PictureHeader{K::kBmp, 64, 48}},  // top row first
      {Gif(320, 200), PictureHeader{K::kGif, 320, 200}},
      {jpeg, PictureHeader{K::kJpeg, 800, 600}},
      {Jpeg(0xC2, 30, 40), PictureHeader{K::kJpeg, 30, 40}},  // progressive
      {Wmf(1440, 720, 1440), PictureHeader{K::kWmf, 96, 48}},
      {Bmp(10000, 10000), PictureHeader{K::kBmp, 10000, 10000}},
      {"\x89PNG\r\n\x1a\n0000000000000000", std::nullopt},
      {Bmp(0, 10), std::nullopt},
      {Bmp(40000, 2), std::nullopt},      // a side beyond 32767
      {Bmp(20000, 20000), std::nullopt},  // 400 million pixels
      {"GIF88a" + Le16(10) + Le16(10), std::nullopt},
      {Jpeg(0xC4, 800, 600), std::nullopt},  // a table, never a frame
      {jpeg.substr(0, 26), std::nullopt},    // cut inside the frame header
      {jpeg.substr(0, 29), PictureHeader{K::kJpeg, 800, 600}},  // cut right after the size
      {std::string("\xFF\xD8\xFF\xE0\x00\x01", 6), std::nullopt},
      {Wmf(100, 100, 1440, false), std::nullopt},  // checksum
      {Wmf(100, 100, 0), std::nullopt},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const auto got = ReadPictureHeader(cases[i].bytes);
    const auto key = [](const std::optional<PictureHeader>& h) {
      return h ? std::tuple(int(h->kind), h->width, h->height) : std::tuple(-1, int64_t{0}, int64_t{0});
    };
    EXPECT_EQ(key(got), key(cases[i].header)) << "case " << i;
  }
}

TEST(PictureHeader, TheShowDecodesEachKindUpToWhatItsDecoderCanHoldBesideTheScreen) {
  const struct {
    std::string bytes;
    bool decoded;
  } cases[] = {
      {Jpeg(0xC0, 10000, 5000), true}, {Jpeg(0xC0, 10000, 5001), false},
      {Gif(10000, 5000), true},        {Wmf(32000, 375, 96), true},
      {Wmf(32000, 376, 96), false},    {Bmp(5000, 4000), true},  // 160 MB with the decoder's copy
      {Bmp(5000, 4001), false},        {Bmp(5600, -4200, 24), true},  // a 68 MB photo, top down
      {Bmp(6000, 6000, 16, 3), true},  // bit fields are plain pixels
      {Bmp(7000, 7000, 8), true},      // 49 MP at a byte a pixel
      {Bmp(6000, 6000, 8, 1), false},  // run-length pixels decode to 4 bytes each
      {Bmp(7100, 7100, 8), false},     // above every kind's 50 MP
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const auto header = ReadPictureHeader(cases[i].bytes);
    ASSERT_TRUE(header) << "case " << i;
    EXPECT_EQ(FitsShowDecode(*header), cases[i].decoded) << "case " << i;
  }
}

// Pictures stored turned: the EXIF tag read from JPEG bytes, and the upright picture whole
// and by rows.
// A JPEG head with an EXIF block whose first directory holds `tags` (tag, type, value).
std::string JpegWithExif(bool little, std::initializer_list<std::array<uint16_t, 3>> tags) {
  const auto u16 = [little](uint32_t v) { return little ? Le16(v) : Be16(v); };
  const auto u32 = [&](uint32_t v) { return little ? Le32(v) : Be16(v >> 16) + Be16(v); };
  // The first directory at 8; each tag's value left in its four bytes.
  std::string tiff =
      std::string(little ? "II*\0" : "MM\0*", 4) + u32(8) + u16(uint32_t(tags.size()));
  for (const auto& t : tags) tiff += u16(t[0]) + u16(t[1]) + u32(1) + u16(t[2]) + u16(0);
  const std::string body = std::string("Exif\0\0", 6) + tiff;
  return std::string("\xFF\xD8\xFF\xE0\x00\x04\x00\x00\xFF\xE1", 10) +  // an APP0 before it
         Be16(uint32_t(body.size() + 2)) + body + "\xFF\xDA\x00\x02";
}

// Stored   a b c   as rows top down.
//          d e f
Surface Stored() {
  Surface s(3, 2);
  for (int i = 0; i < 6; ++i) s.SetPixel(i % 3, i / 3, uint32_t('a' + i));
  return s;
}

std::string Rows(const Surface& s) {
  std::string text;
  for (int y = 0; y < s.Height(); ++y) {
    if (y) text += '/';
    for (int x = 0; x < s.Width(); ++x) text += char(s.Pixel(x, y));
  }
  return text;
}

TEST(PictureOrientation, EachExifValueInEitherByteOrderShowsUprightWholeAndByRows) {
  const char* const upright[] = {"abc/def",  "cba/fed",  "fed/cba",  "def/abc",
                                 "ad/be/cf", "da/eb/fc", "fc/eb/da", "cf/be/ad"};
  for (uint16_t value = 1; value <= 8; ++value) {
    SCOPED_TRACE(value);
    const auto orientation = static_cast<Orientation>(value);
    for (bool little : {true, false})
      EXPECT_EQ(ReadExifOrientation(JpegWithExif(little, {{0x0100, 3, 640}, {0x0112, 3, value}})),
                orientation);
    EXPECT_EQ(Rows(Upright(Stored(), orientation)), upright[value - 1]);
    auto stored = std::make_unique<NotedRows>(Stored());
    const std::vector<int>& reads = stored->read;
    auto rows = UprightRows(std::move(stored), orientation);
    Surface got(rows->Width(), rows->Height());
    std::vector<int> all(size_t(rows->Height()));
    std::iota(all.begin(), all.end(), 0);
    rows->Plan(all);
    for (int y = 0; y < got.Height(); ++y) ASSERT_TRUE(rows->ReadRow(y, got.Row(y)));
    EXPECT_EQ(Rows(got), upright[value - 1]);
    EXPECT_TRUE(std::is_sorted(reads.begin(), reads.end()));
    EXPECT_LE(reads.size(), 2u);  // each stored row once
  }
  // A value out of range, a tag of another type or number, a cut block, no JPEG at all.
  const std::string cut = JpegWithExif(true, {{0x0112, 3, 6}});
  for (const std::string& bytes :
       {JpegWithExif(true, {{0x0112, 3, 9}}), JpegWithExif(true, {{0x0112, 4, 6}}),
        JpegWithExif(true, {{0x0100, 3, 6}}), cut.substr(0, cut.size() - 12), "BM" + cut}) {
    EXPECT_EQ(ReadExifOrientation(bytes), Orientation::kUpright);
  }
}

}  // namespace
}  // namespace orv
