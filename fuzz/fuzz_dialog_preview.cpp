// The settings dialog's picture preview with decoded pictures of any size: the fit into
// 100 x 100, the size caption and the stretch, run through List_1_Click as a selection in
// the list does. The fit on its own is checked over the whole 32-bit range.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "dialog/dialog_model.h"
#include "support/fake_file_system.h"
#include "support/fake_system.h"

namespace {

using orv::Surface;

class Host final : public orv::DialogHost {
 public:
  orv::PixelSize ScreenSize() override { return {1024, 768}; }
  void PlaceWindow(int32_t, int32_t, int32_t, int32_t) override {}
  std::optional<orv::PixelPoint> CursorPos() override { return orv::PixelPoint{1, 1}; }
  void ZoomOpen(int16_t, int16_t) override {}
  void ZoomClose(int16_t, int16_t) override {}
  void DrawFrameEdge(Surface& surface, orv::EdgeRect rect, uint32_t, uint32_t) override {
    // The edge runs round the preview's own area.
    if (rect.left != 0 || rect.top != 0 || rect.right != surface.Width() ||
        rect.bottom != surface.Height()) {
      std::abort();
    }
  }
  void DoEvents() override {}
  void PaintNow() override {}
  void SetPointer(orv::Pointer) override {}
  std::optional<orv::Text> BrowseForFolder(const orv::Text&) override { return std::nullopt; }
  std::optional<orv::Text> ChooseOpenFile(const orv::OpenFileRequest&) override {
    return std::nullopt;
  }
  void OpenDocument(const orv::Text&) override {}
  void EndDialog() override {}
  void Invalidate(orv::ControlId) override {}
};

class OnePicture final : public orv::PictureLoader {
 public:
  std::optional<Surface> picture;
  std::optional<Surface> Load(const orv::Text&) override { return picture; }
};

struct Draws final : orv::Random {
  void Reseed() override {}
  double Next() override { return 0.25; }
};

struct Midnight final : orv::Clock {
  double SecondsSinceMidnight() override { return 0; }
};

void CheckFit(int32_t w, int32_t h) {
  const orv::PixelSize fit = orv::FitPreview(w, h);
  if (w <= 0 || h <= 0) {
    if (fit.width != 0 || fit.height != 0) std::abort();
    return;
  }
  if (fit.width < 1 || fit.height < 1 || fit.width > 100 || fit.height > 100) std::abort();
  if ((w > h ? fit.width : fit.height) != 100) std::abort();
}

orv::Text Decimal(int32_t n) {
  const std::string s = std::to_string(n);
  return orv::Text(s.begin(), s.end());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  CheckFit(in.ConsumeIntegral<int32_t>(), in.ConsumeIntegral<int32_t>());

  static constexpr int kSides[] = {0, 1, 2, 3, 99, 100, 101, 199, 200, 201, 32767, 65535};
  auto side = [&] {
    return in.ConsumeBool() ? kSides[in.ConsumeIntegralInRange<size_t>(0, std::size(kSides) - 1)]
                            : in.ConsumeIntegralInRange(0, 65535);
  };
  int w = side(), h = side();
  constexpr int64_t kMostPixels = 1 << 20;
  if (int64_t{w} * h > kMostPixels) {
    (w >= h ? w : h) = static_cast<int>(kMostPixels / std::max(std::min(w, h), 1));
  }

  orv::test::FakeFileSystem fs;
  fs.AddFile(u"C:\\p\\a.bmp");
  orv::test::FakeSystem system;
  Host host;
  OnePicture pictures;
  if (in.ConsumeIntegralInRange(0, 7) != 0) {
    Surface picture(w, h, in.ConsumeIntegral<uint32_t>() & 0xFFFFFF);
    if (!picture.Empty()) {
      const int x = in.ConsumeIntegralInRange(0, w - 1);
      picture.FillBox(x, 0, x, h - 1, 0xFF0000);
    }
    pictures.picture = std::move(picture);
  }
  Draws random;
  Midnight clock;
  orv::SettingsStore store(fs, u"C:\\S", u"");
  orv::AppState app;
  app.settings.ImageFolder = u"C:\\p";
  app.imageList = {orv::Text(), u"C:\\p\\a.bmp"};
  app.imageCount = 1;
  orv::DialogModel dialog(app,
                          orv::DialogServices{host, system, fs, pictures, random, clock, store});
  dialog.Form_Load();
  const int selections = in.ConsumeIntegralInRange(1, 3);
  for (int i = 0; i < selections; ++i) dialog.ListSelect(in.ConsumeIntegralInRange(-1, 1));

  const Surface& shown = dialog.PreviewSurface();
  const orv::ControlState& k = dialog.State({orv::Ctl::Pic_K, 0});
  if (!k.visible || k.width != shown.Width() || k.height != shown.Height()) std::abort();
  if (dialog.ListIndex() != 0) return 0;
  const bool loaded = pictures.picture && !pictures.picture->Empty();
  const orv::PixelSize fit = orv::FitPreview(loaded ? w : 0, loaded ? h : 0);
  const orv::Text& caption = dialog.State({orv::Ctl::lbl_PreSize, 0}).caption;
  if (loaded) {
    if (shown.Width() != fit.width || shown.Height() != fit.height) std::abort();
    if (caption != Decimal(w) + u" * " + Decimal(h)) std::abort();
  } else if (shown.Width() != 100 || shown.Height() != 100 || !caption.empty()) {
    std::abort();
  }
  return 0;
}
