#include "display/show.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "display/dirty_region.h"
#include "support/fake_system.h"
#include "support/show_fakes.h"

namespace orv::test {
namespace {

// A show on fakes with plain-coloured pictures p1..pN in sequential order.
struct ShowRig {
  explicit ShowRig(int pictureCount = 0, int width = 640, int height = 480)
      : host(width, height) {
    session.commandLine = u"/s";
    Settings& s = list.settings;
    s.SizeMode = 0, s.IntervalSec = 2, s.PieceCount = 0, s.PieceElasticity = 35;
    s.Gravity = 10, s.Spread = 50, s.Intensity = 35, s.Speed = 20;
    for (int i = 1; i <= pictureCount; ++i) {
      const Text path = u"p" + FromUtf8(std::to_string(i));
      list.imageList.push_back(path);
      list.imageOrder.push_back(static_cast<int16_t>(i));
      pictures.pictures[path] = Surface(width, height, Colour(i));
    }
    list.imageOrder.insert(list.imageOrder.begin(), 0);
    list.imageCount = static_cast<int16_t>(pictureCount);
  }
  static uint32_t Colour(int i) { return 0x101010u * static_cast<uint32_t>(i) + 0x80u; }
  // The picture the user sees at (x, y): its number, 0 for none.
  int OnScreen(int x = 1, int y = 1) const {
    for (int i = 1; i <= list.imageCount; ++i)
      if (host.screen.Pixel(x, y) == Colour(i)) return i;
    return 0;
  }
  DisplayWindow& Load() {
    show = std::make_unique<DisplayWindow>(ShowServices{
        list, session, system, random, pictures, worker, music, pump, host,
        DisplayTimers{timer1, timer2, timer3, timer4}});
    show->Form_Load();
    return *show;
  }

  PictureList list;
  ExitSession session;
  FakeSystem system;
  ScriptedRandom random;
  FakePictures pictures;
  FakeWorker worker;
  FakeMusic music;
  FakePump pump;
  FakeHost host;
  FakeTimer timer1, timer2, timer3, timer4;
  std::unique_ptr<DisplayWindow> show;
};

TEST(ShowLoad, SetsTheTimersShowsTheDesktopAndStartsTheMusicOfTheSettings) {
  const struct {
    int16_t mode; const char16_t* file; std::vector<std::string> music; bool mp3Watch, cdWatch;
  } cases[] = {{0, u"a.mp3", {}, false, false}, {1, u"", {"CdOpen"}, false, true},
               {2, u"C:\\m\\a.Mp3", {"Mp3Play"}, true, false},
               {2, u"b.WAV", {"WavPlay"}, false, false}, {2, u"c.mid", {}, false, false}};
  for (const auto& c : cases) {
    ShowRig rig;
    rig.list.settings.BgmMode = c.mode;
    rig.list.settings.BgmFile = c.file;
    rig.host.screen = Surface(640, 480, 0x00AA00);
    DisplayWindow& show = rig.Load();
    EXPECT_EQ(rig.music.calls, c.music);
    EXPECT_EQ(std::pair(rig.timer1.enabled, rig.timer2.enabled), std::pair(c.mp3Watch, c.cdWatch));
    EXPECT_TRUE(rig.timer3.enabled && rig.timer4.enabled);
    // The watches, the second and the first frame soon, then frames at the chosen speed.
    EXPECT_EQ(std::tuple(rig.timer1.interval, rig.timer2.interval, rig.timer4.interval,
                         rig.timer3.interval), std::tuple(1000, 200, 1000, 30));
    show.Timer3_Timer();
    EXPECT_EQ(rig.timer3.interval, 20);
    EXPECT_EQ(rig.host.calls, (std::vector<std::string>{"Capture", "ShowTopmost"}));
    EXPECT_EQ(show.Picture().Pixel(639, 479), 0x00AA00u);
  }
}

TEST(PictureCycle, ChangesEveryIntervalThroughTheOrderAndStartsTheOrderAgain) {
  ShowRig rig(3);
  DisplayWindow& show = rig.Load();
  EXPECT_EQ(rig.OnScreen(), 1);
  std::vector<int> seen;
  for (int second = 1; second <= 8; ++second) {
    show.Timer4_Timer();
    seen.push_back(rig.OnScreen());
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 2, 3, 3, 1, 1, 2}));
  // Each change presents the whole screen once.
  EXPECT_EQ(rig.host.presents, 1 + 4);
  // The interval is read at every tick; 0 changes every second.
  rig.list.settings.IntervalSec = 0;
  show.Timer4_Timer();
  show.Timer4_Timer();
  EXPECT_EQ(rig.pictures.loads.size(), 7u);
}

TEST(PictureCycle, OnePictureStaysAndAPictureThatCannotBeLoadedIsPassedOver) {
  ShowRig one(1);
  DisplayWindow& still = one.Load();
  for (int i = 0; i < 9; ++i) still.Timer4_Timer();
  EXPECT_EQ(one.pictures.loads.size(), 1u);

  ShowRig rig(3);
  rig.list.settings.PieceCount = 1;
  rig.pictures.pictures.erase(u"p2");  // deleted or damaged since the scan
  DisplayWindow& show = rig.Load();
  show.Timer4_Timer();
  show.Timer3_Timer();
  const Surface withCrater = show.Picture();
  show.Timer4_Timer();  // the change to p2 fails: p1 stays, craters and all
  EXPECT_EQ(rig.pictures.loads.back(), u"p2");
  EXPECT_EQ(show.PictureIndex(), 2);
  EXPECT_EQ(rig.OnScreen(), 1);
  int kept = 0;
  for (size_t i = 0; i < withCrater.Pixels().size(); ++i)
    kept += withCrater.Pixels()[i] == kBlack && show.Picture().Pixels()[i] == kBlack;
  EXPECT_GT(kept, 30);
  show.Timer4_Timer();
  show.Timer4_Timer();
  EXPECT_EQ(rig.OnScreen(), 3);
}

TEST(DecodeAhead, ALatePictureKeepsTheCurrentOneAndItsSecondsAreNotCounted) {
  ShowRig rig(3);
  rig.worker.finishWhenAsked = false;
  DisplayWindow& show = rig.Load();
  EXPECT_TRUE(rig.pictures.loads.empty()) << "the drawing thread never decodes";
  EXPECT_EQ(rig.OnScreen(), 0) << "black until the first picture is ready";
  ASSERT_TRUE(rig.worker.RunNext());
  EXPECT_EQ(rig.OnScreen(), 0) << "nothing changes between ticks";
  show.Timer3_Timer();
  EXPECT_EQ(rig.OnScreen(), 1) << "an animation tick takes a late picture";
  EXPECT_EQ(rig.worker.jobs.size(), 1u) << "the next picture is asked for at once";
  for (int second = 1; second <= 5; ++second) show.Timer4_Timer();
  EXPECT_EQ(rig.OnScreen(), 1);
  ASSERT_TRUE(rig.worker.RunNext());
  show.Timer4_Timer();
  EXPECT_EQ(rig.OnScreen(), 2) << "a one-second tick takes it and shows it at once";
  ASSERT_TRUE(rig.worker.RunNext());  // picture 3, early: it waits for its second
  show.Timer4_Timer();
  show.Timer3_Timer();
  EXPECT_EQ(rig.OnScreen(), 2);
  show.Timer4_Timer();
  EXPECT_EQ(rig.OnScreen(), 3);
}

// The crater's size and place are pinned by the scene hashes; the burst's start is not.
TEST(TickRules, OneImpactASecondEvenWhenTheEventsCallTicksAgainAndAnEndedShowDrawsNoMore) {
  ShowRig rig(2);
  rig.list.settings.IntervalSec = 1;
  rig.list.settings.PieceCount = 3;
  DisplayWindow& show = rig.Load();
  rig.random.script = {0.5, 0.5};  // the point (320, 240)
  rig.pump.pending = [&] { show.Timer4_Timer(); };
  show.Timer4_Timer();
  EXPECT_EQ(rig.random.log.front(), "reseed");
  EXPECT_EQ(rig.random.log.size(), 2u + 2 + 12 + 2);  // point, burst, crater: not two
  EXPECT_EQ(show.Fragments().Active(), 3);
  EXPECT_EQ(std::pair(show.Fragments().Slot(3).Xpos, show.Fragments().Slot(3).Ystart),
            std::pair(320.0f, 240.0f));
  EXPECT_EQ(rig.OnScreen(), 2);

  rig.pump.pending = [&] { show.Exit().Display_MouseDown(1, 0, 3, 4); };
  show.Timer4_Timer();
  EXPECT_EQ(rig.host.unloads, 1);
  EXPECT_EQ(rig.OnScreen(), 2) << "the change of that second does not happen";
  const int presents = rig.host.presents;
  show.Timer3_Timer();
  show.Timer4_Timer();
  EXPECT_EQ(rig.host.presents, presents);
}

// A screen more than 64 tiles wide: a change past the first word of tiles is found after
// a run in the first one.
TEST(DirtyRegion, FindsEveryRunOfAWideTileRow) {
  DirtyRegion region;
  region.Reset(2048, 32);
  region.Add(16, 0, 16, 16);
  region.Add(1600, 0, 16, 16);
  std::vector<PixelRect> rects;
  region.Take(rects);
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(std::pair(rects[1].left, rects[1].right), std::pair(1600, 1616));
}

}  // namespace
}  // namespace orv::test
