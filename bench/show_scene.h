// A fixed, seeded scene of the show shared by the tick benchmark and the determinism test:
// a screen of one or more monitors whose desktop is noise, no pictures, the crash settings of a fresh installation,
// and the pool kept full: before every animation tick the landed fragments are relaunched,
// from an impact point that moves once a second (every fiftieth tick, as the show's bursts
// fly) or, scattered, from a new point every tick. Every fiftieth tick is also a one-second
// tick, which burns a crater.
#pragma once
#include <cstdint>
#include <vector>

#include "bench_stubs.h"
#include "display/show.h"

namespace orv::bench {

// FNV-1a over bytes: the scene's hash, and the picture digests of the tests.
struct Fnv1a {
  uint64_t value = 0xCBF29CE484222325ull;
  void Mix(const void* bytes, size_t n) {
    for (size_t i = 0; i < n; ++i) value = (value ^ static_cast<const uint8_t*>(bytes)[i]) * 0x100000001B3ull;
  }
};

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

// A screen that counts what it is given, and with `seen` marks it; the desktop it shows at
// start is noise. The first monitor is the primary, whose size the screen measure gives.
struct RecordingScreen : DisplayHost {
  explicit RecordingScreen(std::vector<PixelRect> layout)
      : monitors(std::move(layout)),
        width(monitors.front().Width()),
        height(monitors.front().Height()) {}
  WindowHandle Handle() const override { return 1; }
  void UnloadAndEnd() override {}
  ScreenMeasure Screen() override { return {width * 15.0, height * 15.0, 15, 15}; }
  std::vector<PixelRect> Monitors() override { return monitors; }
  void CaptureDesktop(Surface& target) override {
    uint32_t seed = 1;
    for (int y = 0; y < target.Height(); ++y) {
      uint32_t* row = target.Row(y);
      for (int x = 0; x < target.Width(); ++x) row[x] = (seed = seed * 1103515245u + 12345u) >> 8;
    }
  }
  void Present(const Surface&, std::span<const PixelRect> rects) override {
    for (const PixelRect& r : rects) {
      bytes += 4ull * uint64_t(r.Width()) * uint64_t(r.Height());
      if (seen) seen->FillBox(r.left, r.top, r.right - 1, r.bottom - 1, 1);
    }
  }
  void ShowTopmost() override {}
  std::vector<PixelRect> monitors;
  int width, height;
  Surface* seen = nullptr;
  uint64_t bytes = 0;
};

inline Settings SceneSettings() {
  Settings s;
  s.SizeMode = 1;
  s.IntervalSec = 10;
  s.PieceCount = 200;
  s.PieceElasticity = 35;
  s.Gravity = 10;
  s.Spread = 50;
  s.Intensity = 35;
  s.Speed = 20;
  return s;
}

class ShowScene {
 public:
  ShowScene(int width, int height, bool fullFrame, bool scatter)
      : ShowScene({PixelRect{0, 0, width, height}}, fullFrame, scatter) {}
  // Monitors in desktop pixels, the primary first; `seen` marks what is presented.
  ShowScene(std::vector<PixelRect> monitors, bool fullFrame, bool scatter, Surface* seen = nullptr)
      : screen_(std::move(monitors)), scatter_(scatter) {
    screen_.seen = seen;
    list_.settings = SceneSettings();
    session_.commandLine = u"/s";
    show_.Form_Load();
    show_.SetFullFrameComposition(fullFrame);
  }

  void Tick() {
    ++ticks_;
    const int32_t missing = FragmentPool::kSlots - show_.Fragments().Active();
    if (missing > 0) {
      if (scatter_ || ticks_ % 50 == 0) {
        x_ = static_cast<int16_t>(random_.Next() * show_.Screen().Width());
        y_ = static_cast<int16_t>(random_.Next() * show_.Screen().Height());
      }
      show_.Fragments().Launch(show_.Crash(), missing, x_, y_, random_);
    }
    inFlight_ = show_.Fragments().Active();
    if (ticks_ % 50 == 0) show_.Timer4_Timer();  // the pool is full: a crater, no burst
    show_.Timer3_Timer();
  }

  // Over the screen's pixels and every slot of the pool.
  uint64_t Hash() const {
    // The recorded hashes start from this value (the usual basis short of its last digit),
    // which mixes as well as the usual one.
    Fnv1a h{1469598103934665603ull};
    const Surface& s = show_.Screen();
    for (int y = 0; y < s.Height(); ++y) h.Mix(s.Row(y), 4 * static_cast<size_t>(s.Width()));
    for (int i = 1; i <= FragmentPool::kSlots; ++i) {
      const Ball& b = show_.Fragments().Slot(i);
      const float f[] = {b.Xpos, b.Ypos, b.Xvel, b.Yvel, b.Ystart, b.Ytilt, b.Ytiltvel, b.Yshadow};
      h.Mix(f, sizeof f);
      h.Mix(&b.Shape, sizeof b.Shape);
      h.Mix(&b.Enabled, sizeof b.Enabled);
    }
    return h.value;
  }

  const DisplayWindow& Show() const { return show_; }
  uint64_t PresentedBytes() const { return screen_.bytes; }
  // Fragments in flight when the last tick began moving them.
  int32_t InFlight() const { return inFlight_; }

 private:
  PictureList list_;
  ExitSession session_;
  NoSystem system_;
  Sequence random_;
  NoPictures pictures_;
  InlineWork worker_;
  NoMusic music_;
  NoPump pump_;
  RecordingScreen screen_;
  Quiet t1_, t2_, t3_, t4_;
  DisplayWindow show_{ShowServices{list_, session_, system_, random_, pictures_, worker_, music_,
                                   pump_, screen_, DisplayTimers{t1_, t2_, t3_, t4_}}};
  bool scatter_;
  int64_t ticks_ = 0;
  int16_t x_ = 0, y_ = 0;
  int32_t inFlight_ = 0;
};

}  // namespace orv::bench
