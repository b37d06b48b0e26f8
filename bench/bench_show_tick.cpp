// One animation tick of the show (move pass, frame composition, transfer to the screen
// buffer) with the pool kept full: 500 fragments in flight, the landed ones relaunched before
// each tick, a crater every fiftieth tick (once a second at the default speed). Two ways to
// relaunch: at an impact point that moves once a second, as the show's bursts fly, or at a
// new point every tick, which scatters the fragments over the whole screen (the worst case
// for memory traffic). The incremental tick against the whole-frame recipe, at two sizes.
#include <benchmark/benchmark.h>

#include "bench_stubs.h"
#include "display/show.h"

namespace orv {
namespace {

using namespace bench;  // NOLINT: the stand-ins

struct NoPictures : PictureLoader {
  std::optional<Surface> Load(const Text&) override { return std::nullopt; }
};

struct InlineWork : Worker {
  uint64_t Post(Job job) override {
    job(std::stop_token());
    return ++posted;
  }
  bool Finished(uint64_t) override { return true; }
  uint64_t posted = 0;
};

// A screen that records how much it is given; the desktop it shows at start is noise.
struct RecordingScreen : DisplayHost {
  RecordingScreen(int w, int h) : width(w), height(h) {}
  WindowHandle Handle() const override { return 1; }
  void UnloadAndEnd() override {}
  ScreenMeasure Screen() override { return {width * 15.0, height * 15.0, 15, 15}; }
  void CaptureDesktop(Surface& target) override {
    uint32_t seed = 1;
    for (int y = 0; y < target.Height(); ++y) {
      uint32_t* row = target.Row(y);
      for (int x = 0; x < target.Width(); ++x) row[x] = (seed = seed * 1103515245u + 12345u) >> 8;
    }
  }
  void Present(const Surface&, std::span<const PixelRect> rects) override {
    for (const PixelRect& r : rects) bytes += 4ull * uint64_t(r.Width()) * uint64_t(r.Height());
  }
  void ShowTopmost() override {}
  int width, height;
  uint64_t bytes = 0;
};

void ShowTick(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  const bool fullFrame = state.range(2) != 0;
  const bool scatter = state.range(3) != 0;

  AppState app;
  app.commandLine = u"/s";
  Settings& s = app.settings;
  s.SizeMode = 1;
  s.IntervalSec = 10;
  s.PieceElasticity = 35;
  s.Gravity = 10;
  s.Spread = 50;
  s.Intensity = 35;
  s.Speed = 20;
  NoSystem system;
  Sequence random;
  NoPictures pictures;
  InlineWork worker;
  NoMusic music;
  NoPump pump;
  RecordingScreen screen(width, height);
  Quiet t1, t2, t3, t4;
  DisplayWindow w(ShowServices{app, system, random, pictures, worker, music, pump, screen,
                               DisplayTimers{t1, t2, t3, t4}});
  w.Form_Load();
  w.SetFullFrameComposition(fullFrame);

  int64_t ticks = 0;
  auto topUp = [&] {
    const int32_t missing = kBallSlots - w.balls.ActiveCount;
    if (missing <= 0) return;
    if (scatter || ticks % 50 == 0) {
      w.ImpactX = static_cast<int16_t>(random.Next() * width);
      w.ImpactY = static_cast<int16_t>(random.Next() * height);
    }
    s.PieceCount = missing;
    w.balls.ActiveCount += missing;
    w.LaunchPieces();
  };
  for (int i = 0; i < 100; ++i) {  // settle into a steady stream of landing fragments
    ++ticks;
    topUp();
    w.Timer3_Timer();
  }

  uint64_t inFlight = 0;
  const int64_t ticksBefore = ticks;
  const uint64_t bytesBefore = screen.bytes;
  for (auto _ : state) {
    ++ticks;
    topUp();
    if (ticks % 50 == 0) {
      s.PieceCount = 0;
      const int16_t x = w.ImpactX, y = w.ImpactY;
      w.Impact();  // a crater somewhere
      w.ImpactX = x;
      w.ImpactY = y;
    }
    inFlight += static_cast<uint64_t>(w.balls.ActiveCount);
    w.Timer3_Timer();
    benchmark::DoNotOptimize(w.Display.Row(0));
  }
  const double measured = double(ticks - ticksBefore);
  state.counters["bytes_presented_per_tick"] =
      benchmark::Counter(double(screen.bytes - bytesBefore) / measured);
  state.counters["fragments_in_flight"] = benchmark::Counter(double(inFlight) / measured);
}

BENCHMARK(ShowTick)
    ->ArgNames({"w", "h", "full_frame", "scatter"})
    ->Args({1920, 1080, 0, 0})
    ->Args({3840, 2160, 0, 0})
    ->Args({1920, 1080, 0, 1})
    ->Args({3840, 2160, 0, 1})
    ->Args({1920, 1080, 1, 0})
    ->Args({3840, 2160, 1, 0})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orv

BENCHMARK_MAIN();
