// Pictures stored turned: the EXIF tag read from JPEG bytes, the upright picture whole and
// by rows, and the bound on BMP pictures the show decodes.
#include <gtest/gtest.h>

#include <string>

#include "display/picture_file.h"
#include "toolkit/picture_orientation.h"

namespace orv {
namespace {

// A JPEG head with an EXIF block whose first directory holds `tags` (tag, type, value).
std::string JpegWithExif(bool little, std::initializer_list<std::array<uint16_t, 3>> tags) {
  auto put16 = [little](std::string& s, uint32_t v) {
    s += little ? char(v & 0xFF) : char(v >> 8 & 0xFF);
    s += little ? char(v >> 8 & 0xFF) : char(v & 0xFF);
  };
  std::string tiff = little ? std::string("II*\0", 4) : std::string("MM\0*", 4);
  put16(tiff, little ? 8 : 0), put16(tiff, little ? 0 : 8);  // first directory at 8
  put16(tiff, uint32_t(tags.size()));
  for (const auto& t : tags) {
    put16(tiff, t[0]), put16(tiff, t[1]), put16(tiff, little ? 1 : 0), put16(tiff, little ? 0 : 1);
    put16(tiff, t[2]), put16(tiff, 0);
  }
  const std::string body = std::string("Exif\0\0", 6) + tiff;
  std::string jpeg = "\xFF\xD8\xFF\xE0";
  jpeg += std::string("\x00\x04\x00\x00", 4);  // an APP0 before it
  jpeg += "\xFF\xE1";
  jpeg += char((body.size() + 2) >> 8), jpeg += char((body.size() + 2) & 0xFF);
  return jpeg + body + "\xFF\xDA\x00\x02";
}

TEST(PictureOrientation, TheExifTagOfAJpegInEitherByteOrder) {
  for (uint16_t value = 1; value <= 8; ++value) {
    for (bool little : {true, false}) {
      EXPECT_EQ(ReadExifOrientation(JpegWithExif(little, {{0x0100, 3, 640}, {0x0112, 3, value}})),
                static_cast<Orientation>(value))
          << value << " " << little;
    }
  }
  // A value out of range, a tag of another type or number, a cut block, no JPEG at all.
  const std::string cut = JpegWithExif(true, {{0x0112, 3, 6}});
  for (const std::string& bytes :
       {JpegWithExif(true, {{0x0112, 3, 9}}), JpegWithExif(true, {{0x0112, 4, 6}}),
        JpegWithExif(true, {{0x0100, 3, 6}}), cut.substr(0, cut.size() - 12), "BM" + cut}) {
    EXPECT_EQ(ReadExifOrientation(bytes), Orientation::kUpright);
  }
}

// Stored   a b c   and each orientation's upright picture, rows top down.
//          d e f
struct Case {
  Orientation orientation;
  const char* upright;
};
const Case kCases[] = {
    {Orientation::kUpright, "abc/def"},     {Orientation::kMirrored, "cba/fed"},
    {Orientation::kUpsideDown, "fed/cba"},  {Orientation::kMirroredUpsideDown, "def/abc"},
    {Orientation::kTransposed, "ad/be/cf"}, {Orientation::kTurnedRight, "da/eb/fc"},
    {Orientation::kTransverse, "fc/eb/da"}, {Orientation::kTurnedLeft, "cf/be/ad"},
};

Surface Stored() {
  Surface s(3, 2);
  for (int i = 0; i < 6; ++i) s.SetPixel(i % 3, i / 3, uint32_t('a' + i));
  return s;
}

std::string Rows(int width, int height, auto pixel) {
  std::string text;
  for (int y = 0; y < height; ++y) {
    if (y) text += '/';
    for (int x = 0; x < width; ++x) text += char(pixel(x, y));
  }
  return text;
}

// Rows of a stored picture that records the order they are read in.
class CountedRows final : public PictureRows {
 public:
  explicit CountedRows(std::vector<int>& reads) : reads_(reads) {}
  int Width() const override { return 3; }
  int Height() const override { return 2; }
  bool ReadRow(int y, uint32_t* row) override {
    reads_.push_back(y);
    const Surface s = Stored();
    std::copy(s.Row(y), s.Row(y) + 3, row);
    return true;
  }
  std::vector<int>& reads_;
};

TEST(PictureOrientation, AllEightShowUprightWholeAndByRowsReadingEachStoredRowOnce) {
  for (const Case& c : kCases) {
    const Surface upright = Upright(Stored(), c.orientation);
    EXPECT_EQ(Rows(upright.Width(), upright.Height(),
                   [&](int x, int y) { return upright.Pixel(x, y); }),
              c.upright)
        << int(c.orientation);

    std::vector<int> reads;
    auto rows = UprightRows(std::make_unique<CountedRows>(reads), c.orientation);
    ASSERT_EQ(rows->Width(), upright.Width());
    ASSERT_EQ(rows->Height(), upright.Height());
    std::vector<int> all;
    for (int y = 0; y < rows->Height(); ++y) all.push_back(y);
    rows->Plan(all);
    std::vector<std::vector<uint32_t>> got(size_t(rows->Height()),
                                           std::vector<uint32_t>(size_t(rows->Width())));
    for (int y = 0; y < rows->Height(); ++y) ASSERT_TRUE(rows->ReadRow(y, got[size_t(y)].data()));
    EXPECT_EQ(Rows(rows->Width(), rows->Height(), [&](int x, int y) { return got[y][x]; }),
              c.upright)
        << int(c.orientation);
    EXPECT_TRUE(std::is_sorted(reads.begin(), reads.end())) << int(c.orientation);
    EXPECT_LE(reads.size(), 2u) << int(c.orientation);
  }
}

std::string BmpHead(int32_t width, int32_t height, uint16_t bits, uint32_t compression) {
  std::string b(54, '\0');
  auto put = [&b](size_t at, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b[at + size_t(i)] = char(v >> (8 * i) & 0xFF);
  };
  b[0] = 'B', b[1] = 'M';
  put(14, 40, 4), put(18, uint32_t(width), 4), put(22, uint32_t(height), 4), put(26, 1, 2);
  put(28, bits, 2), put(30, compression, 4);
  return b;
}

TEST(PictureOrientation, TheShowDecodesABmpUpToTheBytesItsDecoderHolds) {
  struct Bmp {
    int32_t width, height;
    uint16_t bits;
    uint32_t compression;
    bool shown;
  };
  const Bmp cases[] = {
      {5600, 4200, 24, 0, true},     // a 68 MB photo
      {5600, -4200, 24, 0, true},    // stored top down
      {5600, 4200, 32, 0, false},    // 188 MB with the decoder's copy
      {5000, 4000, 32, 3, true},     // bit fields are plain pixels
      {6600, 4000, 24, 0, true},     // 158 MB
      {6700, 4000, 24, 0, false},    // 161 MB
      {7000, 7000, 8, 0, true},      // 49 MP at a byte a pixel
      {6000, 6000, 8, 1, false},     // run-length pixels decode to 4 bytes each
      {7100, 7100, 8, 0, false},     // above every kind's 50 MP
  };
  for (const Bmp& c : cases) {
    const auto header = ReadPictureHeader(BmpHead(c.width, c.height, c.bits, c.compression));
    ASSERT_TRUE(header) << c.width;
    EXPECT_EQ(FitsShowDecode(*header), c.shown) << c.width << "x" << c.height << "x" << c.bits;
  }
}

}  // namespace
}  // namespace orv
