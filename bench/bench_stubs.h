// Stand-ins the benchmarks give the show for what it does not measure: timers that only
// remember, no system, no music, no event pump, and a fixed sequence of random numbers.
#pragma once
#include <cstdint>

#include "display/show.h"

namespace orv::bench {

struct Quiet : Timer {
  void SetInterval(int32_t ms) override { interval = ms; }
  int32_t Interval() const override { return interval; }
  void SetEnabled(bool on) override { enabled = on; }
  bool Enabled() const override { return enabled; }
  int32_t interval = 0;
  bool enabled = false;
};

struct NoSystem : System {
  bool TopLevelWindowExists(const Text&) override { return false; }
  VersionInfo GetVersion() override { return {1, 2}; }
  void SystemParameters(uint32_t, int32_t) override {}
  int32_t ShowCursor(int32_t) override { return 0; }
  void ChangeScreenSaverPassword(WindowHandle) override {}
  int32_t VerifyScreenSavePassword(WindowHandle) override { return 1; }
  void ShowMessage(const Text&) override {}
};

struct NoMusic : MusicPlayer {
  void CdOpen() override {}
  void CdWatch() override {}
  bool CdWatchOn() const override { return false; }
  void CdPreviousTrack() override {}
  void CdNextTrack() override {}
  void CdStop() override {}
  void Mp3Play() override {}
  void Mp3Watch() override {}
  void Mp3Stop() override {}
  void WavPlay() override {}
  void WavStop() override {}
};

struct NoPump : EventPump {
  void DoEvents() override {}
};

struct Sequence : Random {
  void Reseed() override {}
  double Next() override {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<double>(state >> 11) * 0x1.0p-53;
  }
  uint64_t state = 99;
};

}  // namespace orv::bench
