// Music from a file: MP3 through the MPEG device, opened under the alias MP3Play and
// restarted by the one-second watch; WAV looped by the simple sound player.
#include <gtest/gtest.h>

#include "sound_02_test_fixture.h"

namespace orv {
namespace {

using Commands = std::vector<std::string>;

class Mp3Music : public ::testing::Test {
 protected:
  test::MusicRig rig;
  test::ScriptedMciDevice& device = *rig.device;
  Sound_02& sound = *rig.sound;
  test::MusicTimers& timers = *rig.timers;

  // The display's load for an MP3: play it and start Timer1.
  void StartShow(const Text& file) {
    rig.settings.BgmFile = file;
    sound.Mp3Play();
    timers.timer1 = true;
  }
};

TEST_F(Mp3Music, OpensTheQuotedPathUnderItsAliasThenPlays) {
  device.AddMusicFile(u"C:\\Music\\theme.mp3", 60000);
  StartShow(u"C:\\Music\\theme.mp3");
  EXPECT_EQ(device.Commands(),
            (Commands{"open \"C:\\Music\\theme.mp3\" type MPEGVideo Alias MP3Play", "play MP3Play"}));
  for (const auto& s : device.sent) EXPECT_EQ(s.replySize, 0u);
  EXPECT_TRUE(device.FilePlaying());
}

TEST_F(Mp3Music, PathWithBlanksPlays) {
  // Unquoted, the command parser would split this path at its blanks.
  ASSERT_NE(device.SendStringA("open C:\\My Music\\a b.mp3 type MPEGVideo Alias MP3Play",
                               nullptr, 0),
            0);
  device.AddMusicFile(u"C:\\My Music\\a b.mp3", 60000);
  StartShow(u"C:\\My Music\\a b.mp3");
  EXPECT_TRUE(device.FilePlaying());
  EXPECT_EQ(device.OpenedFile(), "C:\\My Music\\a b.mp3");
}

TEST_F(Mp3Music, LongPathIsSentWhole) {
  const Text folder = u"C:\\" + Text(150, u'm') + u"\\" + Text(110, u'n');
  const Text file = folder + u"\\song.mp3";
  device.AddMusicFile(file, 60000);
  device.AddMusicFile(file.substr(0, 200), 60000);  // what a cut command would open
  StartShow(file);
  EXPECT_GT(device.Commands()[0].size(), 255u);
  EXPECT_EQ(device.OpenedFile(), ToUtf8(file));
  EXPECT_TRUE(device.FilePlaying());
}

TEST_F(Mp3Music, PathThatCannotBeQuotedIsNotSent) {
  device.AddMusicFile(u"C:\\a", 60000);
  StartShow(u"C:\\a\" type MPEGVideo Alias MP3Play\\b.mp3");
  EXPECT_TRUE(device.sent.empty());
  StartShow(Text(u"C:\\a\0.mp3", 9));
  EXPECT_TRUE(device.sent.empty());
  timers.Run(3000);  // the watch finds nothing open and changes nothing
  EXPECT_FALSE(device.OpenedFile());
}

TEST_F(Mp3Music, PathOutsideTheCodePagePlays) {
  device.AddMusicFile(u"C:\\音楽\\歌.mp3", 60000);
  StartShow(u"C:\\音楽\\歌.mp3");
  ASSERT_EQ(device.sent.size(), 2u);
  EXPECT_TRUE(device.sent[0].wide);
  EXPECT_FALSE(device.sent[1].wide);
  EXPECT_TRUE(device.FilePlaying());
}

TEST_F(Mp3Music, MissingFilePlaysNothingAndTheWatchKeepsTrying) {
  StartShow(u"C:\\gone.mp3");
  EXPECT_EQ(device.Commands(),
            (Commands{"open \"C:\\gone.mp3\" type MPEGVideo Alias MP3Play"}));
  device.ClearLog();
  timers.Run(2000);
  EXPECT_EQ(device.Commands(),
            (Commands{"status MP3Play mode", "stop MP3Play", "play MP3Play from 0",
                      "status MP3Play mode", "stop MP3Play", "play MP3Play from 0"}));
  EXPECT_FALSE(device.FilePlaying());
}

TEST_F(Mp3Music, WatchLeavesAPlayingFileAlone) {
  device.AddMusicFile(u"C:\\a.mp3", 60000);
  StartShow(u"C:\\a.mp3");
  device.ClearLog();
  timers.Run(3000);
  EXPECT_EQ(device.Commands(),
            (Commands{"status MP3Play mode", "status MP3Play mode", "status MP3Play mode"}));
  for (const auto& s : device.sent) EXPECT_EQ(s.replySize, 30u);
  EXPECT_EQ(device.FilePositionMs(), 3000);
}

TEST_F(Mp3Music, EndedFileRestartsWithinAWatchTick) {
  device.AddMusicFile(u"C:\\short.mp3", 2500);
  StartShow(u"C:\\short.mp3");
  timers.Run(2500);
  EXPECT_FALSE(device.FilePlaying());
  device.ClearLog();
  timers.Run(500);
  EXPECT_EQ(device.Commands(),
            (Commands{"status MP3Play mode", "stop MP3Play", "play MP3Play from 0"}));
  EXPECT_TRUE(device.FilePlaying());
  EXPECT_EQ(device.FilePositionMs(), 0);

  timers.Run(9500);  // and again at every end
  EXPECT_TRUE(device.FilePlaying());
  EXPECT_LT(device.FilePositionMs(), 1000);
}

TEST_F(Mp3Music, StopSendsStopThenClose) {
  device.AddMusicFile(u"C:\\a.mp3", 60000);
  StartShow(u"C:\\a.mp3");
  device.ClearLog();
  sound.Mp3Stop();
  EXPECT_EQ(device.Commands(), (Commands{"stop MP3Play", "close MP3Play"}));
  EXPECT_FALSE(device.FilePlaying());
  EXPECT_FALSE(device.OpenedFile());
}

class WavMusic : public Mp3Music {};

TEST_F(WavMusic, PlaysLoopedAndAsynchronously) {
  rig.settings.BgmFile = u"C:\\My Music\\loop.wav";
  sound.WavPlay();
  ASSERT_EQ(device.sounds.size(), 1u);
  EXPECT_EQ(device.sounds[0].name, "C:\\My Music\\loop.wav");
  EXPECT_EQ(device.sounds[0].flags, 9u);
  EXPECT_FALSE(device.sounds[0].wide);
  EXPECT_TRUE(device.sent.empty());

  sound.WavStop();
  ASSERT_EQ(device.sounds.size(), 2u);
  EXPECT_FALSE(device.sounds[1].name);
  EXPECT_EQ(device.sounds[1].flags, 0u);
}

TEST_F(WavMusic, NoWaveOutputPlaysNothing) {
  device.waveDevices = 0;
  rig.settings.BgmFile = u"C:\\loop.wav";
  sound.WavPlay();
  EXPECT_TRUE(device.sounds.empty());
}

TEST_F(WavMusic, PathOutsideTheCodePageGoesByItsShortName) {
  rig.settings.BgmFile = u"C:\\音楽\\ループ.wav";
  device.shortPaths[u"C:\\音楽\\ループ.wav"] = u"C:\\B9C8~1\\C2E9~1.WAV";
  sound.WavPlay();
  ASSERT_EQ(device.sounds.size(), 1u);
  EXPECT_FALSE(device.sounds[0].wide);
  EXPECT_EQ(device.sounds[0].name, "C:\\B9C8~1\\C2E9~1.WAV");
  EXPECT_EQ(device.sounds[0].flags, 9u);
}

TEST_F(WavMusic, PathOutsideTheCodePageWithoutShortNameGoesWide) {
  rig.settings.BgmFile = u"C:\\音楽\\ループ.wav";
  device.shortPaths[u"C:\\音楽\\ループ.wav"] = u"C:\\音楽\\ループ.wav";  // 8.3 names are off
  sound.WavPlay();
  ASSERT_EQ(device.sounds.size(), 1u);
  EXPECT_TRUE(device.sounds[0].wide);
  EXPECT_EQ(device.sounds[0].name, "C:\\音楽\\ループ.wav");
  EXPECT_EQ(device.sounds[0].flags, 9u);
}

}  // namespace
}  // namespace orv
