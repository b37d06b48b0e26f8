// The settings dialog's picture preview with decoded pictures of any size: the fit into
// 100 x 100, the size caption and the stretch, run through List_1_Click as a selection in
// the list does. The fit on its own is checked over the whole 32-bit range.
#include <algorithm>
#include <string>

#include "dialog/dialog_model.h"
#include "fuzz_harness.h"
#include "support/fake_file_system.h"
#include "support/fake_system.h"

namespace orv::fuzz {
namespace {

class Host final : public DialogHost {
 public:
  PixelSize ScreenSize() override { return {1024, 768}; }
  void PlaceWindow(int32_t, int32_t, int32_t, int32_t) override {}
  std::optional<PixelPoint> CursorPos() override { return PixelPoint{1, 1}; }
  void ZoomOpen(int16_t, int16_t) override {}
  void ZoomClose(int16_t, int16_t) override {}
  void DrawFrameEdge(Surface& surface, EdgeRect rect, uint32_t, uint32_t) override {
    // The edge runs round the preview's own area.
    Check(rect.left == 0 && rect.top == 0 && rect.right == surface.Width() &&
          rect.bottom == surface.Height());
  }
  void DoEvents() override {}
  void PaintNow() override {}
  void SetPointer(Pointer) override {}
  std::optional<Text> BrowseForFolder(const Text&) override { return std::nullopt; }
  std::optional<Text> ChooseOpenFile(const OpenFileRequest&) override { return std::nullopt; }
  void OpenDocument(const Text&) override {}
  void EndDialog() override {}
  void Invalidate(ControlId) override {}
};

struct Midnight final : Clock {
  double SecondsSinceMidnight() override { return 0; }
};

void CheckFit(int32_t w, int32_t h) {
  const PixelSize fit = FitPreview(w, h);
  if (w <= 0 || h <= 0) return Check(fit.width == 0 && fit.height == 0);
  Check(fit.width >= 1 && fit.height >= 1 && fit.width <= 100 && fit.height <= 100);
  Check((w > h ? fit.width : fit.height) == 100);
}

Text Decimal(int32_t n) {
  const std::string s = std::to_string(n);
  return Text(s.begin(), s.end());
}

}  // namespace

void FuzzOne(Input input) {
  FuzzedDataProvider in = input.Provider();
  CheckFit(in.ConsumeIntegral<int32_t>(), in.ConsumeIntegral<int32_t>());

  static constexpr int kSides[] = {0, 1, 2, 3, 99, 100, 101, 199, 200, 201, 32767, 65535};
  auto side = [&] {
    return in.ConsumeBool() ? in.PickValueInArray(kSides) : in.ConsumeIntegralInRange(0, 65535);
  };
  int w = side(), h = side();
  constexpr int64_t kMostPixels = 1 << 20;
  if (int64_t{w} * h > kMostPixels) {
    (w >= h ? w : h) = static_cast<int>(kMostPixels / std::max(std::min(w, h), 1));
  }

  test::FakeFileSystem fs;
  fs.AddFile(u"C:\\p\\a.bmp");
  test::FakeSystem system;
  Host host;
  PicturesByPath pictures;
  if (in.ConsumeIntegralInRange(0, 7) != 0) {
    Surface picture(w, h, in.ConsumeIntegral<uint32_t>() & 0xFFFFFF);
    if (!picture.Empty()) {
      const int x = in.ConsumeIntegralInRange(0, w - 1);
      picture.FillBox(x, 0, x, h - 1, 0xFF0000);
    }
    pictures.pictures.emplace_back(u"C:\\p\\a.bmp", std::move(picture));
  }
  SeededDraws random;
  Midnight clock;
  SettingsStore store(fs, u"C:\\S", u"");
  AppState app;
  app.settings.ImageFolder = u"C:\\p";
  app.imageList = {Text(), u"C:\\p\\a.bmp"};
  app.imageCount = 1;
  DialogModel dialog(app, DialogServices{host, system, fs, pictures, random, clock, store});
  dialog.Form_Load();
  const int selections = in.ConsumeIntegralInRange(1, 3);
  for (int i = 0; i < selections; ++i) dialog.ListSelect(in.ConsumeIntegralInRange(-1, 1));

  const Surface& shown = dialog.PreviewSurface();
  const ControlState& k = dialog.State({Ctl::Pic_K, 0});
  Check(k.visible && k.width == shown.Width() && k.height == shown.Height());
  if (dialog.ListIndex() != 0) return;
  const bool loaded = !pictures.pictures.empty() && !pictures.pictures[0].second.Empty();
  const PixelSize fit = FitPreview(loaded ? w : 0, loaded ? h : 0);
  const Text& caption = dialog.State({Ctl::lbl_PreSize, 0}).caption;
  if (loaded) {
    Check(shown.Width() == fit.width && shown.Height() == fit.height);
    Check(caption == Decimal(w) + u" * " + Decimal(h));
  } else {
    Check(shown.Width() == 100 && shown.Height() == 100 && caption.empty());
  }
}

}  // namespace orv::fuzz
