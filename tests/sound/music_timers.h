// The display window's two music timers on the scripted device's clock: Timer1 runs the
// file watch every second; Timer2 runs the CD watch every 200 ms and then takes its enabled
// state from CdWatchOn, so it stops for good once the disc cannot be queried.
#pragma once
#include <cstdint>

#include "scripted_mci_device.h"
#include "sound/music_player.h"

namespace orv::test {

class MusicTimers {
 public:
  MusicTimers(MusicPlayer& player, ScriptedMciDevice& device) : player_(player), device_(device) {}

  bool timer1 = false;
  bool timer2 = false;

  // Lets ms milliseconds pass in steps of 100 ms, firing the ticks that fall due.
  void Run(int32_t ms) {
    for (int32_t passed = 0; passed < ms; passed += kStep) {
      device_.Advance(kStep);
      now_ += kStep;
      if (timer2 && now_ % 200 == 0) {
        player_.CdWatch();
        timer2 = player_.CdWatchOn();
      }
      if (timer1 && now_ % 1000 == 0) player_.Mp3Watch();
    }
  }

 private:
  static constexpr int32_t kStep = 100;
  MusicPlayer& player_;
  ScriptedMciDevice& device_;
  int64_t now_ = 0;
};

}  // namespace orv::test
