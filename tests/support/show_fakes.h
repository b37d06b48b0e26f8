// Stand-ins for the show's platform: timers the test fires by hand, a scripted random
// source, a picture store, a worker whose jobs finish when the test says, a recording music
// module and a host whose "screen" only learns what the window presents.
#pragma once
#include <deque>
#include <functional>
#include <map>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_stubs.h"
#include "display/display_host.h"
#include "sound/music_player.h"
#include "toolkit/picture_loader.h"
#include "toolkit/random.h"
#include "toolkit/timer.h"
#include "toolkit/worker.h"

namespace orv::test {

// A timer the test fires by hand: the benchmark's, which only remembers its settings.
using FakeTimer = bench::Quiet;

class FakePump : public EventPump {
 public:
  void DoEvents() override {
    if (pending) {
      auto run = std::move(pending);
      pending = nullptr;
      run();
    }
  }
  std::function<void()> pending;  // what waits in the queue at the next call
};

// Numbers handed out in order; when the script runs out, a fixed pseudo-random sequence.
class ScriptedRandom : public Random {
 public:
  void Reseed() override { log.push_back("reseed"); }
  double Next() override {
    log.push_back("next");
    if (!script.empty()) {
      const double u = script.front();
      script.pop_front();
      return u;
    }
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<double>(state >> 11) * 0x1.0p-53;
  }
  std::deque<double> script;
  std::vector<std::string> log;
  uint64_t state = 12345;
};

class FakeClock : public Clock {
 public:
  double SecondsSinceMidnight() override { return now += 0.013; }
  double now = 3600;
};

class FakePictures : public PictureLoader {
 public:
  std::optional<Surface> Load(const Text& path) override {
    loads.push_back(path);
    const auto it = pictures.find(path);
    if (it == pictures.end()) return std::nullopt;
    return it->second;
  }
  std::map<Text, Surface> pictures;
  std::vector<Text> loads;
};

// Jobs run on the test's thread, in order: by default the moment the show first asks
// whether one has finished (a decode that is always just in time), or, with
// `finishWhenAsked` off, only when the test runs them.
class FakeWorker : public Worker {
 public:
  uint64_t Post(Job job) override {
    jobs.emplace_back(++posted, std::move(job));
    return posted;
  }
  bool Finished(uint64_t ticket) override {
    while (finishWhenAsked && !jobs.empty() && jobs.front().first <= ticket) RunNext();
    return ticket <= posted && (jobs.empty() || ticket < jobs.front().first);
  }
  // Runs the oldest waiting job; false when none waits.
  bool RunNext() {
    if (jobs.empty()) return false;
    auto [ticket, job] = std::move(jobs.front());
    jobs.pop_front();
    job(stop.get_token());
    return true;
  }

  bool finishWhenAsked = true;
  std::deque<std::pair<uint64_t, Job>> jobs;  // waiting, by ticket
  uint64_t posted = 0;
  std::stop_source stop;
};

class FakeMusic : public MusicPlayer {
 public:
  void CdOpen() override { Call("CdOpen"); }
  void CdWatch() override { Call("CdWatch"); }
  bool CdWatchOn() const override { return watchOn; }
  void CdPreviousTrack() override { Call("CdPreviousTrack"); }
  void CdNextTrack() override { Call("CdNextTrack"); }
  void CdStop() override { Call("CdStop"); }
  void Mp3Play() override { Call("Mp3Play"); }
  void Mp3Watch() override { Call("Mp3Watch"); }
  void Mp3Stop() override { Call("Mp3Stop"); }
  void WavPlay() override { Call("WavPlay"); }
  void WavStop() override { Call("WavStop"); }

  std::vector<std::string>* journal = &calls;  // may point at a log shared with the system
  std::vector<std::string> calls;
  bool watchOn = true;
  bool throws = false;

 private:
  void Call(const std::string& name) {
    journal->push_back(name);
    if (throws) throw std::runtime_error(name);
  }
};

class FakeHost : public DisplayHost {
 public:
  FakeHost(int width, int height) : screen(width, height) {}

  WindowHandle Handle() const override { return 4242; }
  void UnloadAndEnd() override {
    journal->push_back("Unload");
    ++unloads;
  }
  ScreenMeasure Screen() override {
    return ScreenMeasure{screen.Width() * 15.0, screen.Height() * 15.0, 15, 15};
  }
  void CaptureDesktop(Surface& target) override {
    journal->push_back("Capture");
    BitBlt(target, 0, 0, screen.Width(), screen.Height(), screen, 0, 0, Rop::kSrcCopy);
  }
  void Present(const Surface& display, std::span<const PixelRect> rects) override {
    ++presents;
    for (const PixelRect& r : rects)
      BitBlt(screen, r.left, r.top, r.Width(), r.Height(), display, r.left, r.top, Rop::kSrcCopy);
  }
  void ShowTopmost() override { journal->push_back("ShowTopmost"); }

  std::vector<std::string>* journal = &calls;
  std::vector<std::string> calls;
  int unloads = 0;
  int presents = 0;
  Surface screen;  // what the user sees: only presented rectangles ever reach it
};

}  // namespace orv::test
