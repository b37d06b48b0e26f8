// Placing a 24-MP photo (6000 x 4000) on a 3840 x 2160 screen, fitted: the stretch from a
// picture held whole, the same read row by row as the worker does it (with the screen-sized
// surface it draws on), and what a picture change leaves to the drawing thread once the
// worker has placed the picture (taking it over, putting it on the visible surface and into
// the frame buffer, presenting it).
#include <benchmark/benchmark.h>

#include <memory>

#include "bench_stubs.h"
#include "display/show.h"
#include "display/placement.h"

namespace orv {
namespace {

using namespace bench;  // NOLINT: the stand-ins

constexpr int kScreenW = 3840, kScreenH = 2160;
constexpr int kPhotoW = 6000, kPhotoH = 4000;

const Surface& Photo() {
  static const Surface photo = [] {
    Surface s(kPhotoW, kPhotoH);
    uint32_t seed = 7;
    for (int y = 0; y < kPhotoH; ++y) {
      uint32_t* row = s.Row(y);
      for (int x = 0; x < kPhotoW; ++x) row[x] = (seed = seed * 1103515245u + 12345u) >> 8;
    }
    return s;
  }();
  return photo;
}

// Rows of the photo, read where it lies (a decoder hands rows over the same way).
class PhotoRows final : public PictureRows {
 public:
  int Width() const override { return kPhotoW; }
  int Height() const override { return kPhotoH; }
  bool ReadRow(int y, uint32_t* row) override {
    std::copy(Photo().Row(y), Photo().Row(y) + kPhotoW, row);
    return true;
  }
};

class PhotoLoader final : public PictureLoader {
 public:
  std::optional<Surface> Load(const Text&) override { return Photo(); }
  std::unique_ptr<PictureRows> Open(const Text&) override {
    return std::make_unique<PhotoRows>();
  }
};

const PictureBox kBox = *PlacePicture(kScreenW, kScreenH, kPhotoW, kPhotoH, 1);

void StretchWholePicture(benchmark::State& state) {
  Surface master(kScreenW, kScreenH);
  for (auto _ : state) {
    DrawPicture(master, Photo(), kBox);
    benchmark::DoNotOptimize(master.Row(0));
  }
}

void PlaceRowByRow(benchmark::State& state) {
  PhotoLoader loader;
  const Placing placing{kScreenW, kScreenH, kScreenW, kScreenH, 1, {}};
  for (auto _ : state) {
    std::optional<Surface> placed = PlaceOnScreen(loader, u"photo.jpg", placing);
    benchmark::DoNotOptimize(placed->Row(0));
  }
}

// --- the change on the drawing thread ------------------------------------------------------

struct CountingScreen : DisplayHost {
  WindowHandle Handle() const override { return 1; }
  void UnloadAndEnd() override {}
  ScreenMeasure Screen() override { return {kScreenW * 15.0, kScreenH * 15.0, 15, 15}; }
  void CaptureDesktop(Surface&) override {}
  void Present(const Surface&, std::span<const PixelRect> rects) override {
    for (const PixelRect& r : rects) pixels += uint64_t(r.Width()) * uint64_t(r.Height());
  }
  void ShowTopmost() override {}
  uint64_t pixels = 0;
};
// Jobs wait until the benchmark runs them, outside the timed part.
struct HeldWork : Worker {
  uint64_t Post(Job job) override {
    held = std::move(job);
    return ++posted;
  }
  bool Finished(uint64_t ticket) override { return ticket <= done; }
  void RunHeld() {
    if (held) held(std::stop_token());
    held = nullptr;
    done = posted;
  }
  Job held;
  uint64_t posted = 0, done = 0;
};

void ChangeOnTheDrawingThread(benchmark::State& state) {
  PictureList app;
  ExitSession session{u"/s"};
  app.settings.SizeMode = 1;
  app.settings.IntervalSec = 1;
  app.settings.PieceCount = 0;
  app.settings.Speed = 20;
  app.imageList = {Text(), u"a.jpg", u"b.jpg"};
  app.imageCount = 2;
  app.imageOrder = {0, 1, 2};
  NoSystem system;
  Sequence random;
  PhotoLoader pictures;
  HeldWork worker;
  NoMusic music;
  NoPump pump;
  CountingScreen screen;
  Quiet t1, t2, t3, t4;
  DisplayWindow w(ShowServices{app, session, system, random, pictures, worker, music, pump, screen,
                               DisplayTimers{t1, t2, t3, t4}});
  worker.done = 1;  // the first picture is not needed
  w.Form_Load();
  for (auto _ : state) {
    state.PauseTiming();
    worker.RunHeld();
    state.ResumeTiming();
    w.Timer4_Timer();  // an impact and the change
  }
  state.counters["presented_pixels_per_change"] =
      benchmark::Counter(double(screen.pixels) / double(state.iterations()));
}

BENCHMARK(StretchWholePicture)->Unit(benchmark::kMillisecond);
BENCHMARK(PlaceRowByRow)->Unit(benchmark::kMillisecond);
BENCHMARK(ChangeOnTheDrawingThread)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orv

BENCHMARK_MAIN();
