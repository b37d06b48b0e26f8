// Pictures stored turned: the EXIF tag read from JPEG bytes, and the upright picture whole
// and by rows.
#include <gtest/gtest.h>

#include <numeric>
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

// The stored picture by rows, noting the order they are read in.
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
    std::vector<int> reads;
    auto rows = UprightRows(std::make_unique<CountedRows>(reads), orientation);
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
