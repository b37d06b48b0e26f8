// The show with decoded pictures of any size on screens of any size: the window's load,
// picture changes, impacts and animation ticks in an order the input chooses, with crash
// values from the whole 32-bit range as a hand-edited settings file can hold them. A second
// window composes every frame over the whole screen; both must show the same frames.
//
// After every step every presented rectangle lies on the screen, and what reached the screen
// is the visible surface.
#include <algorithm>

#include "display/show.h"
#include "fuzz_harness.h"
#include "support/fake_system.h"
#include "support/show_fakes.h"

namespace orv::fuzz {
namespace {

constexpr int kMostPicturePixels = 1 << 20;  // keeps one run within milliseconds

// The screen, sized as the window's surface, checking each rectangle presented to it.
class ScreenHost final : public test::FakeHost {
 public:
  using FakeHost::FakeHost;
  void CaptureDesktop(Surface& target) override { target.FillBox(0, 0, 7, 7, 0x336699); }
  void Present(const Surface& display, std::span<const PixelRect> rects) override {
    if (screen.Width() != display.Width() || screen.Height() != display.Height()) {
      screen = Surface(display.Width(), display.Height());
    }
    // The Win32 layer drops a rectangle that leaves the surface: it would never be seen.
    for (const PixelRect& r : rects) {
      Check(r.Empty() || (r.left >= 0 && r.top >= 0 && r.right <= display.Width() &&
                          r.bottom <= display.Height()));
    }
    FakeHost::Present(display, rects);
  }
};

struct Rig {
  Rig(const PictureList& state, int width, int height, const test::FakePictures& loader,
      uint64_t seed)
      : app(state), random(clock, seed), pictures(loader), host(width, height),
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

}  // namespace

void FuzzOne(Input input) {
  FuzzedDataProvider in = input.Provider();
  const int width = in.ConsumeIntegralInRange(-2, 640), height = in.ConsumeIntegralInRange(-2, 640);

  PictureList app;
  Settings& s = app.settings;
  s.SizeMode = in.ConsumeIntegral<int16_t>();
  s.IntervalSec = in.ConsumeIntegralInRange<int16_t>(-1, 3);
  s.PieceCount = in.ConsumeBool() ? in.ConsumeIntegralInRange(0, 500) : in.ConsumeIntegral<int32_t>();
  for (int32_t* crash : {&s.PieceElasticity, &s.Gravity, &s.Spread, &s.Intensity}) {
    if (in.ConsumeBool()) *crash = in.ConsumeIntegral<int32_t>();
  }
  s.Speed = 20;

  test::FakePictures pictures;
  const int count = in.ConsumeIntegralInRange(0, 3);
  app.imageList.assign(1, Text());
  app.imageOrder.assign(static_cast<size_t>(count) + 1, 0);
  for (int i = 1; i <= count; ++i) {
    const Text path = u"C:\\p\\" + Text(1, static_cast<char16_t>(u'0' + i));
    app.imageList.push_back(path);
    app.imageOrder[static_cast<size_t>(i)] = static_cast<int16_t>(i);
    const int w = in.ConsumeIntegralInRange(0, 65535);
    const int h = std::min(in.ConsumeIntegralInRange(0, 65535), kMostPicturePixels / std::max(w, 1));
    if (in.ConsumeBool()) pictures.pictures.emplace(path, Surface(w, h, in.ConsumeIntegral<uint32_t>() & 0xFFFFFF));
  }
  app.imageCount = static_cast<int16_t>(count);
  const uint64_t seed = in.ConsumeIntegral<uint64_t>();

  Rig incremental(app, width, height, pictures, seed);
  Rig whole(app, width, height, pictures, seed);
  whole.window.SetFullFrameComposition(true);
  for (Rig* rig : {&incremental, &whole}) rig->window.Form_Load();

  for (int step = 0; step < 48 && in.remaining_bytes() > 0; ++step) {
    const bool frame = in.ConsumeIntegralInRange(0, 6) < 5;
    for (Rig* rig : {&incremental, &whole}) {
      frame ? rig->window.Timer3_Timer() : rig->window.Timer4_Timer();
    }
    if (frame) {
      Check(incremental.host.screen == incremental.window.Screen());
      Check(incremental.window.Screen() == whole.window.Screen());
    }
  }
}

}  // namespace orv::fuzz
