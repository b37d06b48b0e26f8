// Audio-CD music: opening the drive, the 200 ms watch that keeps the disc playing or
// repeating one track, the track arrows, and stopping.
#include <gtest/gtest.h>

#include <algorithm>

#include "sound_02_test_fixture.h"

namespace orv {
namespace {

using Commands = std::vector<std::string>;

class CdMusic : public ::testing::Test {
 protected:
  test::MusicRig rig;
  test::ScriptedMciDevice& device = *rig.device;
  Sound_02& sound = *rig.sound;
  test::MusicTimers& timers = *rig.timers;

  // A disc of ten 30-second tracks, and the display's load: open the drive, start Timer2.
  void StartShow(int16_t repeat) {
    rig.settings.BgmRepeat = repeat;
    device.InsertDisc({30, 30, 30, 30, 30, 30, 30, 30, 30, 30});
    sound.CdOpen();
    timers.timer2 = true;
  }
  int PlayCommandsSent() const {
    const auto commands = device.Commands();
    return static_cast<int>(std::count_if(commands.begin(), commands.end(), [](const auto& c) {
      return c.rfind("play ", 0) == 0;
    }));
  }
};

TEST_F(CdMusic, OpenSendsOpenThenTimeFormatWithoutReply) {
  sound.CdOpen();
  EXPECT_EQ(device.Commands(), (Commands{"open cdaudio", "set cdaudio time format tmsf"}));
  for (const auto& s : device.sent) EXPECT_EQ(s.replySize, 0u);
  EXPECT_FALSE(device.CdPlaying());  // nothing plays before the first watch tick
}

TEST_F(CdMusic, WatchTickQueriesThenJumpsToTheRepeatTrack) {
  StartShow(3);
  device.ClearLog();
  timers.Run(200);
  EXPECT_EQ(device.Commands(), (Commands{
                                   "status cdaudio current track",
                                   "status cdaudio number of tracks",
                                   "status cdaudio mode",
                                   "status cdaudio position track 3",
                                   "play cdaudio from 03:00:00:00",
                               }));
  const std::vector<uint32_t> sizes{512, 512, 255, 512, 512};
  for (size_t i = 0; i < sizes.size(); ++i) EXPECT_EQ(device.sent[i].replySize, sizes[i]) << i;
  EXPECT_TRUE(sound.CdWatchOn());
}

TEST_F(CdMusic, RepeatTrackThreeOfTen) {
  StartShow(3);
  timers.Run(200);
  EXPECT_TRUE(device.CdPlaying());
  EXPECT_EQ(device.CdTrack(), 3);
  EXPECT_EQ(device.CdMsIntoTrack(), 0);

  // While track 3 plays, the watch only looks.
  device.ClearLog();
  timers.Run(20000);
  EXPECT_EQ(PlayCommandsSent(), 0);
  EXPECT_EQ(device.CdTrack(), 3);

  // Track 3 ends and track 4 begins: the next tick brings the disc back to track 3.
  timers.Run(10000);
  EXPECT_EQ(device.CdTrack(), 3);
  EXPECT_LT(device.CdMsIntoTrack(), 200);
  EXPECT_EQ(PlayCommandsSent(), 1);

  // The right arrow plays track 4; the watch returns to track 3 within a tick.
  timers.Run(5000);
  sound.CdNextTrack();
  EXPECT_EQ(device.CdTrack(), 4);
  EXPECT_EQ(device.CdMsIntoTrack(), 0);
  timers.Run(200);
  EXPECT_EQ(device.CdTrack(), 3);
  EXPECT_LT(device.CdMsIntoTrack(), 200);
  EXPECT_TRUE(timers.timer2);
}

TEST_F(CdMusic, RepeatedLastTrackRestartsWhenTheDiscStops) {
  StartShow(10);
  timers.Run(200);
  ASSERT_EQ(device.CdTrack(), 10);
  timers.Run(30000);  // the disc ends with track 10 and stops
  EXPECT_TRUE(device.CdPlaying());
  EXPECT_EQ(device.CdTrack(), 10);
  EXPECT_LT(device.CdMsIntoTrack(), 200);
  EXPECT_EQ(device.Commands().back(), "play cdaudio from 10:00:00:00");
}

TEST_F(CdMusic, NoRepeatPlaysOnFromWhereTheDiscStands) {
  StartShow(0);
  device.ClearLog();
  timers.Run(200);
  EXPECT_EQ(device.Commands().back(), "play cdaudio");
  EXPECT_EQ(device.Commands().size(), 4u);
  EXPECT_TRUE(device.CdPlaying());
  EXPECT_EQ(device.CdTrack(), 1);

  timers.Run(45000);  // through track 1 into track 2: nothing is sent but queries
  EXPECT_EQ(PlayCommandsSent(), 1);
  EXPECT_EQ(device.CdTrack(), 2);

  device.StopDiscFromOutside();
  const int32_t stoppedAt = device.CdMsIntoTrack();
  timers.Run(200);
  EXPECT_EQ(PlayCommandsSent(), 2);
  EXPECT_EQ(device.Commands().back(), "play cdaudio");
  EXPECT_TRUE(device.CdPlaying());
  EXPECT_EQ(device.CdTrack(), 2);
  EXPECT_GE(device.CdMsIntoTrack(), stoppedAt);
}

TEST_F(CdMusic, LeftArrowOnTrackOneChangesNothing) {
  StartShow(0);
  timers.Run(5000);
  ASSERT_EQ(device.CdTrack(), 1);
  const int32_t before = device.CdMsIntoTrack();
  device.ClearLog();

  sound.CdPreviousTrack();
  EXPECT_EQ(device.Commands(), (Commands{"status cdaudio current track",
                                         "status cdaudio position track 0",
                                         "play cdaudio from Error:282"}));
  EXPECT_TRUE(device.CdPlaying());
  EXPECT_EQ(device.CdTrack(), 1);
  EXPECT_EQ(device.CdMsIntoTrack(), before);
}

TEST_F(CdMusic, RightArrowOnTheLastTrackChangesNothing) {
  StartShow(10);
  timers.Run(5000);
  ASSERT_EQ(device.CdTrack(), 10);
  const int32_t before = device.CdMsIntoTrack();
  sound.CdNextTrack();
  EXPECT_EQ(device.Commands().back(), "play cdaudio from Error:282");
  EXPECT_EQ(device.CdTrack(), 10);
  EXPECT_EQ(device.CdMsIntoTrack(), before);
}

TEST_F(CdMusic, LeftArrowPlaysThePreviousTrackFromItsStart) {
  StartShow(0);
  timers.Run(200);
  sound.CdNextTrack();
  sound.CdNextTrack();
  ASSERT_EQ(device.CdTrack(), 3);
  timers.Run(7000);
  sound.CdPreviousTrack();
  EXPECT_EQ(device.Commands().back(), "play cdaudio from 02:00:00:00");
  EXPECT_EQ(device.CdTrack(), 2);
  EXPECT_EQ(device.CdMsIntoTrack(), 0);
}

TEST_F(CdMusic, NoDriveSwitchesTheWatchOffForGood) {
  device.cdDrive = false;
  sound.CdOpen();
  timers.timer2 = true;
  device.ClearLog();

  timers.Run(200);
  EXPECT_FALSE(sound.CdWatchOn());
  EXPECT_FALSE(timers.timer2);
  EXPECT_EQ(device.Commands(), (Commands{"status cdaudio current track"}));

  timers.Run(5000);
  EXPECT_EQ(device.sent.size(), 1u);
}

TEST_F(CdMusic, EmptyDriveSwitchesTheWatchOff) {
  sound.CdOpen();
  timers.timer2 = true;
  timers.Run(200);
  EXPECT_FALSE(sound.CdWatchOn());
  EXPECT_FALSE(timers.timer2);
  EXPECT_FALSE(device.CdPlaying());
}

TEST_F(CdMusic, RepeatBeyondTheLastTrackKeepsTryingSilently) {
  StartShow(12);
  timers.Run(1000);
  EXPECT_FALSE(device.CdPlaying());
  EXPECT_TRUE(timers.timer2);
  EXPECT_EQ(PlayCommandsSent(), 5);
  EXPECT_EQ(device.Commands().back(), "play cdaudio from Error:282");
}

TEST_F(CdMusic, StopSendsStopThenClose) {
  StartShow(0);
  timers.Run(1000);
  ASSERT_TRUE(device.CdPlaying());
  device.ClearLog();
  sound.CdStop();
  EXPECT_EQ(device.Commands(), (Commands{"stop cdaudio", "close cdaudio"}));
  for (const auto& s : device.sent) EXPECT_EQ(s.replySize, 0u);
  EXPECT_FALSE(device.CdPlaying());
}

}  // namespace
}  // namespace orv
