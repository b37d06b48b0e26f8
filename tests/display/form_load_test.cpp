#include <gtest/gtest.h>

#include <algorithm>

#include "display/show_rig.h"

namespace orv::test {
namespace {

TEST(FormLoad, SizesEverySurfaceToTheScreenInPixels) {
  ShowRig rig(1024, 768);
  DisplayWindow& w = rig.Load();
  EXPECT_EQ(w.ScreenW, 1024);
  EXPECT_EQ(w.ScreenH, 768);
  for (const Surface* s : {&w.Display, &w.Master, &w.PicBuffer}) {
    EXPECT_EQ(s->Width(), 1024);
    EXPECT_EQ(s->Height(), 768);
  }
  EXPECT_EQ(w.BallPic.Width(), 20);
  EXPECT_EQ(w.BallPic.Height(), 16);
}

TEST(FormLoad, SetsTheTimersAndEmptiesThePool) {
  ShowRig rig;
  DisplayWindow& w = rig.Window();
  w.balls[3].Enabled = kTrue;
  w.balls.ActiveCount = 1;
  w.SecondCount = 4;
  w.Form_Load();
  EXPECT_EQ(rig.timer1.interval, 1000);
  EXPECT_FALSE(rig.timer1.enabled);
  EXPECT_EQ(rig.timer2.interval, 200);
  EXPECT_FALSE(rig.timer2.enabled);
  EXPECT_EQ(rig.timer3.interval, 30);
  EXPECT_TRUE(rig.timer3.enabled);
  EXPECT_EQ(rig.timer4.interval, 1000);
  EXPECT_TRUE(rig.timer4.enabled);
  EXPECT_EQ(w.balls.ActiveCount, 0);
  EXPECT_EQ(w.balls.FirstFree(), 1);
  EXPECT_EQ(w.SecondCount, 0);
  w.Timer3_Timer();
  EXPECT_EQ(rig.timer3.interval, 20) << "the first tick sets the speed";
}

TEST(FormLoad, CapturesTheDesktopBeforeTheWindowShowsAndStartsOnIt) {
  ShowRig rig(64, 48);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) rig.host.screen.SetPixel(x, y, uint32_t(x * 4 + y * 1000));
  const Surface desktop = rig.host.screen;
  rig.host.journal = &rig.system.calls;
  rig.music.journal = &rig.system.calls;
  rig.app.settings.BgmMode = 1;
  DisplayWindow& w = rig.Load();
  EXPECT_EQ(w.Master, desktop);
  EXPECT_EQ(w.Display, desktop);
  EXPECT_EQ(w.PicBuffer, desktop);
  EXPECT_EQ(rig.system.calls, (std::vector<std::string>{"Capture", "CdOpen", "ShowTopmost"}));
}

TEST(FormLoad, WithPicturesTheFirstOneIsShownAndNoCaptureIsMade) {
  ShowRig rig(64, 48);
  rig.AddPictures(2, 64, 48);
  DisplayWindow& w = rig.Load();
  EXPECT_EQ(rig.pictures.loads, (std::vector<Text>{rig.app.imageList[1]}));
  EXPECT_EQ(w.PictureIndex, 1);
  EXPECT_EQ(rig.host.screen.Pixel(10, 10), ShowRig::Colour(1));
  EXPECT_EQ(std::count(rig.host.calls.begin(), rig.host.calls.end(), "Capture"), 0);
}

struct MusicCase {
  int16_t mode;
  const char16_t* file;
  std::vector<std::string> calls;
  bool mp3Watch, cdWatch;
};

TEST(FormLoad, StartsTheMusicByModeAndFileEnding) {
  const MusicCase cases[] = {
      {0, u"C:\\m\\a.mp3", {}, false, false},
      {1, u"", {"CdOpen"}, false, true},
      {2, u"C:\\m\\song.Mp3", {"Mp3Play"}, true, false},
      {2, u"C:\\m\\loop.wav", {"WavPlay"}, false, false},
      {2, u"C:\\m\\tune.mid", {}, false, false},
      {2, u"3", {}, false, false},
      {3, u"C:\\m\\a.mp3", {}, false, false},
  };
  for (const MusicCase& c : cases) {
    ShowRig rig;
    rig.app.settings.BgmMode = c.mode;
    rig.app.settings.BgmFile = c.file;
    rig.Load();
    EXPECT_EQ(rig.music.calls, c.calls) << ToUtf8(c.file);
    EXPECT_EQ(rig.timer1.enabled, c.mp3Watch) << ToUtf8(c.file);
    EXPECT_EQ(rig.timer2.enabled, c.cdWatch) << ToUtf8(c.file);
  }
}

TEST(FormLoad, FailingMusicDoesNotStopTheLoad) {
  ShowRig rig;
  rig.app.settings.BgmMode = 2;
  rig.app.settings.BgmFile = u"x.mp3";
  rig.music.throws = true;
  rig.Load();
  EXPECT_TRUE(rig.timer1.enabled);
  EXPECT_EQ(rig.host.calls.back(), "ShowTopmost");
}

}  // namespace
}  // namespace orv::test
