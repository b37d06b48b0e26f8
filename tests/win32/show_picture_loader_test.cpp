// The show's picture loader against the system's decoders: JPEG, BMP and GIF pictures read
// row by row give the pixels of the whole-picture decode. ORVANE_PICTURE_MEDIA names the
// folder of the generated noise.jpg, noise.bmp and clear.gif (with a transparent colour).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "support/fake_file_system.h"
#include "win32/file_calls.h"
#include "win32/resource_picture.h"
#include "win32/scoped.h"
#include "win32/show_picture_loader.h"
#include "win32/wide.h"

namespace orv::win {
namespace {

std::string Media(const Text& name) {
  wchar_t folder[1024] = {};
  GetEnvironmentVariableW(L"ORVANE_PICTURE_MEDIA", folder, 1024);
  return Win32FileSystem().ReadAll(FromWide(folder) + u"\\" + name).value_or("");
}

TEST(ShowPictureLoaderTest, PicturesReadByRowsHaveThePixelsOfTheWholePictureDecode) {
  const ScopedCom com(COINIT_MULTITHREADED);
  orv::test::FakeFileSystem files;
  ShowPictureLoader loader{files};
  // Two JPEG decoders may round a colour differently by a step or two.
  for (const auto& [name, tolerance] :
       {std::pair{u"noise.jpg", 2}, {u"noise.bmp", 0}, {u"clear.gif", 0}}) {
    SCOPED_TRACE(ToUtf8(name));
    const Text path = u"C:\\p\\" + Text(name);
    const std::string bytes = Media(name);
    ASSERT_GT(bytes.size(), 30u);
    files.AddFile(path, bytes);
    const std::optional<Surface> whole = DecodePicture(bytes.data(), bytes.size());
    const std::unique_ptr<PictureRows> rows = loader.Open(path);
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
        for (int shift : {0, 8, 16}) {
          worst = std::max(worst, std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)));
        }
      }
    }
    EXPECT_LE(worst, tolerance);
    if (bytes.starts_with("GIF")) {
      EXPECT_GE(black, 10 * rows->Height()) << "clear pixels are black";
    }
  }
}

}  // namespace
}  // namespace orv::win
