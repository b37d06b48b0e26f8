// A long run of the show on a test-owned clock: a million animation ticks (a quarter of
// that in the slow builds), an impact every simulated second and a picture change every
// ten, with the program's own clock-seeded random numbers. Every tick the count of
// fragments in flight must be the number of enabled slots; over the run the heap must not
// grow. This program counts its heap itself (it replaces the global allocation functions),
// so the check is exact on every platform.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "display/display_window.h"
#include "display/show_fakes.h"
#include "display/show_rig.h"
#include "support/fake_system.h"

namespace {

std::atomic<int64_t> g_liveBytes{0};
std::atomic<int64_t> g_peakBytes{0};
std::atomic<int64_t> g_allocations{0};

// Each block carries its size in front, so a plain delete knows what it frees.
constexpr size_t kHeader = alignof(std::max_align_t);

void* Allocate(size_t size) {
  void* block = std::malloc(size + kHeader);
  if (!block) throw std::bad_alloc();
  *static_cast<size_t*>(block) = size;
  const int64_t live = g_liveBytes += static_cast<int64_t>(size);
  int64_t peak = g_peakBytes.load();
  while (live > peak && !g_peakBytes.compare_exchange_weak(peak, live)) {
  }
  ++g_allocations;
  return static_cast<char*>(block) + kHeader;
}

void Free(void* p) noexcept {
  if (!p) return;
  void* block = static_cast<char*>(p) - kHeader;
  g_liveBytes -= static_cast<int64_t>(*static_cast<size_t*>(block));
  std::free(block);
}

}  // namespace

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* p) noexcept { Free(p); }
void operator delete[](void* p) noexcept { Free(p); }
void operator delete(void* p, size_t) noexcept { Free(p); }
void operator delete[](void* p, size_t) noexcept { Free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Free(p); }

namespace orv::test {
namespace {

// The time of day the show's random numbers are re-seeded from: the test's own.
class SimulatedClock final : public Clock {
 public:
  double SecondsSinceMidnight() override {
    return static_cast<double>(nowMs % 86'400'000) / 1000.0;
  }
  int64_t nowMs = 9 * 3'600'000;
};

// Two pictures of different shapes; loads are counted, not logged.
class TwoPictures final : public PictureLoader {
 public:
  std::optional<Surface> Load(const Text& path) override {
    ++loads;
    return path == u"C:\\p\\a.bmp" ? a : b;
  }
  Surface a{200, 150, 0x2060A0};
  Surface b{90, 160, 0xC0A040};
  int64_t loads = 0;
};

// The screen: presented rectangles are counted and must lie on it; their pixels are not
// copied, which would cost a fifth of the run.
class CountingHost final : public DisplayHost {
 public:
  CountingHost(int width, int height) : width_(width), height_(height) {}
  WindowHandle Handle() const override { return 1; }
  void UnloadAndEnd() override { ++unloads; }
  ScreenMeasure Screen() override { return ScreenMeasure{width_ * 15.0, height_ * 15.0, 15, 15}; }
  void CaptureDesktop(Surface&) override {}
  void Present(const Surface&, std::span<const PixelRect> rects) override {
    for (const PixelRect& r : rects) {
      if (r.left < 0 || r.top < 0 || r.right > width_ || r.bottom > height_) ++outside;
      presentedPixels += static_cast<int64_t>(r.Width()) * r.Height();
    }
  }
  void ShowTopmost() override {}
  int64_t presentedPixels = 0;
  int outside = 0;
  int unloads = 0;

 private:
  int width_, height_;
};

int EnabledSlots(const Balls& balls) {
  int n = 0;
  for (int i = 1; i <= kBallSlots; ++i) n += balls[i].Enabled != kFalse;
  return n;
}

// Resident and peak resident size in KiB where the system reports them (Linux).
struct Resident {
  long nowKiB = -1;
  long peakKiB = -1;
};
Resident ReadResident() {
  Resident r;
  if (std::FILE* f = std::fopen("/proc/self/status", "r")) {
    char line[256];
    while (std::fgets(line, sizeof line, f)) {
      std::sscanf(line, "VmRSS: %ld", &r.nowKiB);
      std::sscanf(line, "VmHWM: %ld", &r.peakKiB);
    }
    std::fclose(f);
  }
  return r;
}

// Under AddressSanitizer each tick costs some five times as much, and the 32-bit x86 build
// (x87 arithmetic) some two and a half: those builds run a quarter of the ticks, the others
// the whole million.
#if defined(__SANITIZE_ADDRESS__) || (defined(__i386__) && !defined(__SSE2_MATH__))
constexpr int64_t kTicks = 250'000;
#else
constexpr int64_t kTicks = 1'000'000;
#endif

TEST(LongRun, HoursOfTicksKeepThePoolCountTrueAndTheHeapFlat) {
  constexpr int64_t kWarmUpTicks = 20'000;

  AppState app;
  app.commandLine = u"/s";
  app.settings = DefaultShowSettings();
  app.imageList = {Text(), u"C:\\p\\a.bmp", u"C:\\p\\b.bmp"};
  app.imageCount = 2;
  app.imageOrder = {0, 1, 2};

  SimulatedClock clock;
  ClockSeededRandom random(clock);
  FakeSystem system;
  TwoPictures pictures;
  FakeWorker worker;
  FakeMusic music;
  FakePump pump;
  CountingHost host(320, 240);
  FakeTimer timer1, timer2, timer3, timer4;
  DisplayWindow window(ShowServices{app, system, random, pictures, worker, music, pump, host,
                                    DisplayTimers{timer1, timer2, timer3, timer4}});
  const Resident atStart = ReadResident();
  window.Form_Load();

  // The clock runs from one timer's due time to the next; Timer3 sets its own interval.
  int64_t next3 = clock.nowMs + timer3.interval;
  int64_t next4 = clock.nowMs + timer4.interval;
  int64_t ticks = 0, impacts = 0, mostInFlight = 0, warmLive = 0;
  Resident warm;
  bool countTrue = true;
  while (ticks < kTicks) {
    if (next4 <= next3) {
      clock.nowMs = next4;
      window.Timer4_Timer();
      ++impacts;
      next4 += timer4.interval;
    } else {
      clock.nowMs = next3;
      window.Timer3_Timer();
      ++ticks;
      next3 += std::max(timer3.interval, 1);
    }
    const int enabled = EnabledSlots(window.balls);
    if (window.balls.ActiveCount != enabled) {
      ADD_FAILURE() << "after tick " << ticks << ": ActiveCount " << window.balls.ActiveCount
                    << ", enabled slots " << enabled;
      countTrue = false;
      break;
    }
    mostInFlight = std::max<int64_t>(mostInFlight, enabled);
    if (ticks == kWarmUpTicks && warmLive == 0) {
      warmLive = g_liveBytes.load();
      warm = ReadResident();
    }
  }
  const int64_t endLive = g_liveBytes.load();
  const Resident atEnd = ReadResident();

  ASSERT_TRUE(countTrue);
  EXPECT_EQ(ticks, kTicks);
  // Twenty milliseconds a tick: 20,000 simulated seconds, an impact in each, a picture
  // change in every tenth.
  EXPECT_EQ(impacts, kTicks * 20 / 1000);
  EXPECT_EQ(pictures.loads, 1 + impacts / 10);
  EXPECT_GE(mostInFlight, app.settings.PieceCount);  // whole bursts flew
  EXPECT_EQ(host.outside, 0);
  EXPECT_GT(host.presentedPixels, ticks * 100);  // the fragments' boxes, every frame
  EXPECT_EQ(host.unloads, 0);
  // Nothing the show keeps grows with time: the heap at the end is the heap after warm-up.
  EXPECT_LE(endLive - warmLive, 4096) << "heap grew from " << warmLive << " to " << endLive;

  std::printf("  long run: %lld animation ticks, %lld impacts, %lld picture loads, "
              "up to %lld fragments in flight\n",
              static_cast<long long>(ticks), static_cast<long long>(impacts),
              static_cast<long long>(pictures.loads), static_cast<long long>(mostInFlight));
  std::printf("  heap: %lld bytes live after warm-up, %lld at the end, peak %lld "
              "(%lld allocations in all)\n",
              static_cast<long long>(warmLive), static_cast<long long>(endLive),
              static_cast<long long>(g_peakBytes.load()),
              static_cast<long long>(g_allocations.load()));
  if (atEnd.nowKiB >= 0) {
    std::printf("  resident: %ld KiB at start, %ld after warm-up, %ld at the end, peak %ld\n",
                atStart.nowKiB, warm.nowKiB, atEnd.nowKiB, atEnd.peakKiB);
  }
}

}  // namespace
}  // namespace orv::test
