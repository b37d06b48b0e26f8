// The two music watch timers of the display window.
#include "sound/music_watch.h"

#include <gtest/gtest.h>

#include "display/show_fakes.h"

namespace orv::test {
namespace {

TEST(MusicTimers, CdWatchSwitchesItsTimerOffWhenTheDiscCannotBeQueried) {
  FakeMusic music;
  FakeTimer timer2;
  timer2.enabled = true;
  Timer2_Timer(music, timer2);
  EXPECT_TRUE(timer2.enabled);
  music.watchOn = false;
  Timer2_Timer(music, timer2);
  EXPECT_FALSE(timer2.enabled);
  Timer1_Timer(music);
  EXPECT_EQ(music.calls, (std::vector<std::string>{"CdWatch", "CdWatch", "Mp3Watch"}));
}

}  // namespace
}  // namespace orv::test
