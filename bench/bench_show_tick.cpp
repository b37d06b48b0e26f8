// One animation tick of the show (move pass, frame composition, transfer to the screen
// buffer) in the scene of show_scene.h: 500 fragments in flight, relaunched as they land,
// a crater once a second. Bursts from a point that moves once a second, as the show's fly,
// or from a new point every tick, which scatters the fragments over the whole screen (the
// worst case for memory traffic). The incremental tick against the whole-frame recipe, at
// two sizes, and on one monitor against two of the same size side by side.
#include <benchmark/benchmark.h>

#include <vector>

#include "show_scene.h"

namespace orv {
namespace {

void ShowTick(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  std::vector<PixelRect> monitors;
  for (int64_t i = 0; i < state.range(4); ++i) {
    monitors.push_back(PixelRect{int(i) * width, 0, int(i + 1) * width, height});
  }
  bench::ShowScene scene(monitors, state.range(2) != 0, state.range(3) != 0);
  for (int i = 0; i < 100; ++i) scene.Tick();  // settle into a steady stream of landings

  uint64_t inFlight = 0;
  int64_t ticks = 0;
  const uint64_t bytesBefore = scene.PresentedBytes();
  for (auto _ : state) {
    scene.Tick();
    ++ticks;
    inFlight += static_cast<uint64_t>(scene.InFlight());
    benchmark::DoNotOptimize(scene.Show().Screen().Row(0));
  }
  const double measured = double(ticks);
  state.counters["bytes_presented_per_tick"] =
      benchmark::Counter(double(scene.PresentedBytes() - bytesBefore) / measured);
  state.counters["fragments_in_flight"] = benchmark::Counter(double(inFlight) / measured);
}

BENCHMARK(ShowTick)
    ->ArgNames({"w", "h", "full_frame", "scatter", "monitors"})
    ->Args({1920, 1080, 0, 0, 1})
    ->Args({3840, 2160, 0, 0, 1})
    ->Args({3840, 2160, 0, 0, 2})
    ->Args({1920, 1080, 0, 1, 1})
    ->Args({3840, 2160, 0, 1, 1})
    ->Args({3840, 2160, 0, 1, 2})
    ->Args({1920, 1080, 1, 0, 1})
    ->Args({3840, 2160, 1, 0, 1})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orv

BENCHMARK_MAIN();
