// The show's picture loader against the system's decoders: JPEG, BMP and GIF pictures read
// row by row give the pixels of the whole-picture decode. ORVANE_PICTURE_MEDIA names the
// folder of the generated noise.bmp and clear.gif (with a transparent colour).
#include <gtest/gtest.h>
#include <objbase.h>

#include <algorithm>
#include <cstdlib>

#include "resources/resource_ids.h"
#include "support/fake_file_system.h"
#include "win32/file_calls.h"
#include "win32/resource_picture.h"
#include "win32/show_picture_loader.h"
#include "win32/wide.h"

namespace orv::win {
namespace {

// The bytes of the preview's still, a JPEG file built into the program.
std::string StillJpeg() {
  HMODULE self = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(self, MAKEINTRESOURCEW(ORV_RES_PREVIEW_STILL), MAKEINTRESOURCEW(10));
  const char* bytes = found ? static_cast<const char*>(LockResource(LoadResource(self, found))) : nullptr;
  return bytes ? std::string(bytes, SizeofResource(self, found)) : std::string();
}

std::string Media(const wchar_t* name) {
  wchar_t folder[1024] = {};
  GetEnvironmentVariableW(L"ORVANE_PICTURE_MEDIA", folder, 1024);
  return Win32FileSystem().ReadAll(FromWide(std::wstring(folder) + L"\\" + name)).value_or("");
}

class ShowPictureLoaderTest : public ::testing::Test {
 protected:
  ShowPictureLoaderTest() { com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)); }
  ~ShowPictureLoaderTest() override {
    if (com) CoUninitialize();
  }
  bool com = false;
  orv::test::FakeFileSystem files;
  ShowPictureLoader loader{files};
};

TEST_F(ShowPictureLoaderTest, PicturesReadByRowsHaveThePixelsOfTheWholePictureDecode) {
  const struct { const char16_t* path; std::string bytes; int tolerance; } cases[] = {
      // Two JPEG decoders may round a colour differently by a step or two.
      {u"C:\\p\\still.jpg", StillJpeg(), 2},
      {u"C:\\p\\noise.bmp", Media(L"noise.bmp"), 0},
      {u"C:\\p\\clear.gif", Media(L"clear.gif"), 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(ToUtf8(c.path));
    ASSERT_GT(c.bytes.size(), 30u);
    files.AddFile(c.path, c.bytes);
    const std::optional<Surface> whole = DecodePicture(c.bytes.data(), c.bytes.size());
    const std::unique_ptr<PictureRows> rows = loader.Open(c.path);
    ASSERT_TRUE(whole && rows);
    ASSERT_EQ(rows->Width(), whole->Width());
    ASSERT_EQ(rows->Height(), whole->Height());
    std::vector<uint32_t> row(size_t(rows->Width()));
    int worst = 0, black = 0;
    for (int y = 0; y < rows->Height(); ++y) {
      ASSERT_TRUE(rows->ReadRow(y, row.data()));
      for (int x = 0; x < rows->Width(); ++x) {
        const uint32_t a = row[size_t(x)], b = whole->Pixel(x, y);
        ASSERT_EQ(a >> 24, 0u);
        black += a == 0;
        for (int shift : {0, 8, 16}) worst = std::max(worst, std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)));
      }
    }
    EXPECT_LE(worst, c.tolerance);
    if (c.bytes.starts_with("GIF")) {
      EXPECT_GE(black, 10 * rows->Height()) << "clear pixels are black";
    }
  }
}

}  // namespace
}  // namespace orv::win
