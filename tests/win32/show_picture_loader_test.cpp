// The show's picture loader against the system's decoders: JPEG, BMP and GIF pictures read
// row by row give the pixels of the whole-picture decode, and a header that claims more than
// the show decodes is refused.
#include <gtest/gtest.h>
#include <objbase.h>

#include <cstdlib>

#include "resources/resource_ids.h"
#include "support/fake_file_system.h"
#include "win32/resource_picture.h"
#include "win32/show_picture_loader.h"

namespace orv::win {
namespace {

// The bytes of the preview's still, a JPEG file built into the program.
std::string StillJpeg() {
  HMODULE self = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(self, MAKEINTRESOURCEW(ORV_RES_PREVIEW_STILL), MAKEINTRESOURCEW(10));
  HGLOBAL loaded = found ? LoadResource(self, found) : nullptr;
  const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  return bytes ? std::string(bytes, SizeofResource(self, found)) : std::string();
}

std::string Le16(unsigned v) { return {char(v & 0xFF), char(v >> 8 & 0xFF)}; }
std::string Le32(unsigned v) { return Le16(v & 0xFFFF) + Le16(v >> 16); }

// A 24-bit BMP of w x h pixels of noise, bottom row first.
std::string NoiseBmp(int w, int h) {
  const int stride = (w * 3 + 3) / 4 * 4;
  std::string pixels(size_t(stride) * size_t(h), '\0');
  uint32_t seed = 5;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w * 3; ++x) {
      pixels[size_t(y * stride + x)] = char((seed = seed * 1103515245u + 12345u) >> 16);
    }
  const auto size = unsigned(pixels.size());
  return "BM" + Le32(54 + size) + Le32(0) + Le32(54) + Le32(40) + Le32(unsigned(w)) +
         Le32(unsigned(h)) + Le16(1) + Le16(24) + Le32(0) + Le32(size) + Le32(2835) +
         Le32(2835) + Le32(0) + Le32(0) + pixels;
}

// A GIF of w x h pixels cycling through 8 colours, colour 5 transparent. The image data are
// 4-bit codes with a clear code before every 5 pixels, so the code size never grows.
std::string StripedGif(int w, int h) {
  std::string gif = "GIF89a" + Le16(unsigned(w)) + Le16(unsigned(h)) + std::string("\xA2\0\0", 3);
  for (int i = 0; i < 8; ++i) gif += {char(i * 30), char(255 - i * 30), char(i * 17)};
  gif += std::string("\x21\xF9\x04\x01\x00\x00\x05\x00", 8);  // colour 5 is clear
  gif += "," + Le16(0) + Le16(0) + Le16(unsigned(w)) + Le16(unsigned(h)) + std::string(1, '\0');
  gif += '\x03';  // minimum code size 3: codes of 4 bits, clear 8, end 9
  std::string codes;
  uint32_t bits = 0;
  int count = 0;
  auto put = [&](unsigned code) {
    bits |= code << count;
    count += 4;
    while (count >= 8) codes += char(bits & 0xFF), bits >>= 8, count -= 8;
  };
  for (int i = 0; i < w * h; ++i) {
    if (i % 5 == 0) put(8);
    put(unsigned((i / 3 + i / w) % 8));
  }
  put(9);
  if (count > 0) codes += char(bits & 0xFF);
  for (size_t at = 0; at < codes.size(); at += 255) {
    const std::string block = codes.substr(at, 255);
    gif += char(block.size()) + block;
  }
  return gif + std::string(1, '\0') + ";";
}

// The JPEG with its frame header claiming another size; its data stays as it was.
std::string ClaimingSize(std::string jpeg, uint16_t width, uint16_t height) {
  for (size_t at = 2; at + 9 <= jpeg.size();) {
    const auto marker = static_cast<uint8_t>(jpeg[at + 1]);
    if (marker >= 0xC0 && marker <= 0xC3) {
      jpeg[at + 5] = char(height >> 8), jpeg[at + 6] = char(height);
      jpeg[at + 7] = char(width >> 8), jpeg[at + 8] = char(width);
      return jpeg;
    }
    at += 2 + (static_cast<uint8_t>(jpeg[at + 2]) << 8 | static_cast<uint8_t>(jpeg[at + 3]));
  }
  return {};
}

class ShowPictureLoaderTest : public ::testing::Test {
 protected:
  ShowPictureLoaderTest() { com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)); }
  ~ShowPictureLoaderTest() override {
    if (com) CoUninitialize();
  }
  bool com = false;
  test::FakeFileSystem files;
  ShowPictureLoader loader{files};
};

TEST_F(ShowPictureLoaderTest, PicturesReadByRowsHaveThePixelsOfTheWholePictureDecode) {
  struct Case {
    const char16_t* path;
    std::string bytes;
    int tolerance;  // two JPEG decoders may round a colour differently by a step or two
  };
  const Case cases[] = {{u"C:\\p\\still.jpg", StillJpeg(), 2},
                        {u"C:\\p\\noise.bmp", NoiseBmp(61, 37), 0},
                        {u"C:\\p\\stripes.gif", StripedGif(45, 29), 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.path));
    ASSERT_GT(c.bytes.size(), 30u);
    files.AddFile(c.path, c.bytes);
    const std::optional<Surface> whole = DecodePicture(c.bytes.data(), c.bytes.size());
    ASSERT_TRUE(whole);
    const std::unique_ptr<PictureRows> rows = loader.Open(c.path);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->Width(), whole->Width());
    ASSERT_EQ(rows->Height(), whole->Height());
    std::vector<uint32_t> row(static_cast<size_t>(rows->Width()));
    int worst = 0, black = 0;
    for (int y = 0; y < rows->Height(); ++y) {
      ASSERT_TRUE(rows->ReadRow(y, row.data()));
      for (int x = 0; x < rows->Width(); ++x) {
        const uint32_t a = row[size_t(x)], b = whole->Pixel(x, y);
        ASSERT_EQ(a >> 24, 0u);
        black += a == 0;
        for (int shift : {0, 8, 16}) {
          worst = std::max(worst, std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)));
        }
      }
    }
    EXPECT_LE(worst, c.tolerance);
    if (c.bytes.starts_with("GIF")) {
      EXPECT_GT(black, 45 * 29 / 10) << "clear pixels are black";
    }
  }
}

TEST_F(ShowPictureLoaderTest, AHeaderClaimingMoreThanTheShowDecodesIsRefusedUnread) {
  const std::string claims96 = ClaimingSize(StillJpeg(), 9800, 9800);
  const std::string claims24 = ClaimingSize(StillJpeg(), 6000, 4000);
  ASSERT_FALSE(claims96.empty());
  files.AddFile(u"C:\\p\\huge.jpg", claims96);
  files.AddFile(u"C:\\p\\large.jpg", claims24);
  EXPECT_EQ(loader.Open(u"C:\\p\\huge.jpg"), nullptr);
  // The decoder itself takes a short file of that size: what it would not show, it pads.
  const std::unique_ptr<PictureRows> large = loader.Open(u"C:\\p\\large.jpg");
  ASSERT_TRUE(large);
  EXPECT_EQ(large->Width(), 6000);
}

}  // namespace
}  // namespace orv::win
