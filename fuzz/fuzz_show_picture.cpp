// The show with decoded pictures of any size on screens of any size: the window's load,
// the picture cycle (placement at the picture's own size or fitted, the stretch), impacts
// and animation ticks in an order the input chooses, with crash values from the whole
// 32-bit range as a hand-edited settings file can hold them. A second window composes every
// frame over the whole screen; both must show the same frames.
//
// After every step: the picture has the screen's size, the count of fragments in flight
// is the number of enabled slots, every presented rectangle lies on the screen, and what
// reached the screen is the visible surface.
#include <algorithm>
#include <limits>

#include "display/show.h"
#include "support/show_fakes.h"
#include "fuzz_harness.h"
#include "support/fake_system.h"

namespace orv::fuzz {
namespace {

constexpr int64_t kMostPicturePixels = 1 << 20;  // keeps one run within milliseconds
constexpr int kMostScreenSide = 640;
constexpr int kMostSteps = 48;

// A screen that only learns what the window presents, and checks each rectangle.
class ScreenHost final : public DisplayHost {
 public:
  ScreenHost(ScreenMeasure measure, Surface desktop)
      : measure_(measure), desktop_(std::move(desktop)) {}
  WindowHandle Handle() const override { return 1; }
  void UnloadAndEnd() override { ++unloads; }
  ScreenMeasure Screen() override { return measure_; }
  void CaptureDesktop(Surface& target) override {
    BitBlt(target, 0, 0, desktop_.Width(), desktop_.Height(), desktop_, 0, 0,
                Rop::kSrcCopy);
  }
  void Present(const Surface& display, std::span<const PixelRect> rects) override {
    if (shown.Width() != display.Width() || shown.Height() != display.Height()) {
      shown = Surface(display.Width(), display.Height());
    }
    for (const PixelRect& r : rects) {
      // The Win32 layer drops a rectangle that leaves the surface: it would never be seen.
      if (r.Empty()) continue;
      Check(r.left >= 0 && r.top >= 0 && r.right <= display.Width() &&
            r.bottom <= display.Height());
      BitBlt(shown, r.left, r.top, r.Width(), r.Height(), display, r.left, r.top,
                  Rop::kSrcCopy);
    }
  }
  void ShowTopmost() override {}
  Surface shown;
  int unloads = 0;

 private:
  ScreenMeasure measure_;
  Surface desktop_;
};

struct Rig {
  Rig(const PictureList& state, ScreenMeasure measure, const Surface& desktop,
      const test::FakePictures& loader, uint64_t seed)
      : app(state), random(clock, seed), pictures(loader), host(measure, desktop),
        window(ShowServices{app, session, system, random, pictures, worker, music, pump, host,
                            DisplayTimers{t1, t2, t3, t4}}) {}
  PictureList app;
  ExitSession session{u"/s"};
  test::FakeSystem system;
  test::FakeClock clock;  // the same input, the same draws
  ClockSeededRandom random;
  test::FakePictures pictures;
  test::FakeWorker worker;
  test::FakeMusic music;
  test::FakePump pump;
  ScreenHost host;
  test::FakeTimer t1, t2, t3, t4;
  DisplayWindow window;
};

void CheckRig(const Rig& rig) {
  const DisplayWindow& w = rig.window;
  Check(w.Picture().Width() == w.Screen().Width() && w.Picture().Height() == w.Screen().Height());
  int enabled = 0;
  for (int i = 1; i <= FragmentPool::kSlots; ++i) enabled += w.Fragments().Slot(i).Enabled != kFalse;
  Check(w.Fragments().Active() == enabled);
}

Surface MakePicture(FuzzedDataProvider& in) {
  static constexpr int kSides[] = {0, 1, 2, 3, 7, 15, 16, 17, 240, 319, 320, 321, 640,
                                   4095, 16384, 32767, 32768, 65535};
  auto side = [&] {
    return in.ConsumeBool() ? in.PickValueInArray(kSides) : in.ConsumeIntegralInRange(0, 65535);
  };
  int w = side(), h = side();
  // Far larger than any screen is still allowed, within what one run can afford.
  if (int64_t{w} * h > kMostPicturePixels) {
    if (w >= h) {
      w = static_cast<int>(std::max<int64_t>(1, kMostPicturePixels / std::max(h, 1)));
    } else {
      h = static_cast<int>(std::max<int64_t>(1, kMostPicturePixels / std::max(w, 1)));
    }
  }
  Surface picture(w, h, in.ConsumeIntegral<uint32_t>() & 0xFFFFFF);
  // A few stripes, so a wrong source column or row shows as a wrong colour.
  const int stripes = in.ConsumeIntegralInRange(0, 4);
  for (int i = 0; i < stripes && !picture.Empty(); ++i) {
    const int x = in.ConsumeIntegralInRange(0, w - 1);
    picture.FillBox(x, 0, x + in.ConsumeIntegralInRange(0, 3), h - 1,
                    in.ConsumeIntegral<uint32_t>() & 0xFFFFFF);
  }
  return picture;
}

double OddMeasure(FuzzedDataProvider& in, double usual) {
  switch (in.ConsumeIntegralInRange(0, 5)) {
    case 0: return 0;
    case 1: return -usual;
    case 2: return std::numeric_limits<double>::quiet_NaN();
    case 3: return std::numeric_limits<double>::infinity();
    case 4: return in.ConsumeFloatingPoint<double>();
    default: return usual;
  }
}

}  // namespace

void FuzzOne(Input input) {
  FuzzedDataProvider in = input.Provider();
  // The screen as the window measures it: pixels times twips per pixel, or something odd.
  const int width = in.ConsumeIntegralInRange(-2, kMostScreenSide);
  const int height = in.ConsumeIntegralInRange(-2, kMostScreenSide);
  ScreenMeasure measure{width * 15.0, height * 15.0, 15, 15};
  if (in.ConsumeIntegralInRange(0, 7) == 0) {
    measure.widthTwips = OddMeasure(in, measure.widthTwips);
    measure.twipsPerPixelY = OddMeasure(in, measure.twipsPerPixelY);
  }

  PictureList app;
  Settings& s = app.settings;
  s.SizeMode = in.ConsumeBool() ? static_cast<int16_t>(in.ConsumeBool())
                                : in.ConsumeIntegral<int16_t>();
  s.IntervalSec = in.ConsumeIntegralInRange<int16_t>(-1, 3);
  s.PieceCount = in.ConsumeBool() ? in.ConsumeIntegralInRange(0, 500)
                                  : in.ConsumeIntegral<int32_t>();
  s.PieceElasticity = in.ConsumeBool() ? 35 : in.ConsumeIntegral<int32_t>();
  s.Gravity = in.ConsumeBool() ? 10 : in.ConsumeIntegral<int32_t>();
  s.Spread = in.ConsumeBool() ? 50 : in.ConsumeIntegral<int32_t>();
  s.Intensity = in.ConsumeBool() ? 35 : in.ConsumeIntegral<int32_t>();
  s.Speed = 20;

  test::FakePictures pictures;
  const int count = in.ConsumeIntegralInRange(0, 3);
  app.imageList.assign(1, Text());
  app.imageOrder.assign(static_cast<size_t>(count) + 1, 0);
  for (int i = 1; i <= count; ++i) {
    const Text path = u"C:\\p\\" + Text(1, static_cast<char16_t>(u'0' + i));
    app.imageList.push_back(path);
    app.imageOrder[static_cast<size_t>(i)] = static_cast<int16_t>(i);
    if (in.ConsumeIntegralInRange(0, 5) != 0) pictures.pictures.emplace(path, MakePicture(in));
  }
  app.imageCount = static_cast<int16_t>(count);
  const Surface desktop(std::clamp(width, 0, 64), std::clamp(height, 0, 64), 0x336699);
  const uint64_t seed = in.ConsumeIntegral<uint64_t>();

  Rig incremental(app, measure, desktop, pictures, seed);
  Rig whole(app, measure, desktop, pictures, seed);
  whole.window.SetFullFrameComposition(true);
  for (Rig* rig : {&incremental, &whole}) {
    rig->window.Form_Load();
    CheckRig(*rig);
  }

  for (int step = 0; step < kMostSteps && in.remaining_bytes() > 0; ++step) {
    const int op = in.ConsumeIntegralInRange(0, 7);
    for (Rig* rig : {&incremental, &whole}) {
      if (op < 5) {
        rig->window.Timer3_Timer();
      } else if (op < 7) {
        rig->window.Timer4_Timer();
      } else {
        rig->app.settings.SizeMode = static_cast<int16_t>(!rig->app.settings.SizeMode);
      }
      CheckRig(*rig);
    }
    if (op < 5) {
      // After a frame, the screen holds exactly the visible surface, and the incremental
      // frame is the whole-screen one.
      Check(incremental.host.shown == incremental.window.Screen());
      Check(incremental.window.Screen() == whole.window.Screen());
    }
  }
}

}  // namespace orv::fuzz
