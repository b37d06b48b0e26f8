#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "display/placement.h"
#include "display/show_rig.h"
#include "images/image_order.h"

namespace orv::test {
namespace {

TEST(Placement, OriginalSizeIsCentredWithHalvesRoundedToEven) {
  EXPECT_EQ(PlacePicture(1024, 768, 640, 480, 0), (PictureBox{192, 144, 640, 480, false}));
  EXPECT_EQ(PlacePicture(1024, 768, 1025, 480, 0), (PictureBox{0, 144, 1025, 480, false}));
  EXPECT_EQ(PlacePicture(1024, 768, 999, 743, 0), (PictureBox{12, 12, 999, 743, false}));
  EXPECT_EQ(PlacePicture(1024, 768, 997, 741, 0), (PictureBox{14, 14, 997, 741, false}));
  EXPECT_EQ(PlacePicture(1024, 768, 2000, 1000, 0), (PictureBox{-488, -116, 2000, 1000, false}));
}

TEST(Placement, FullScreenFitsByThePicturesOwnShape) {
  EXPECT_EQ(PlacePicture(1024, 768, 1000, 900, 1), (PictureBox{0, -77, 1024, 922, true}));
  EXPECT_EQ(PlacePicture(1024, 768, 600, 800, 1), (PictureBox{224, 0, 576, 768, true}));
  EXPECT_EQ(PlacePicture(1024, 768, 300, 300, 1), (PictureBox{128, 0, 768, 768, true}));
  EXPECT_EQ(PlacePicture(1024, 768, 200, 50, 2), (PictureBox{0, 256, 1024, 256, true}));
  // A picture far wider than the screen's own shape still only fills the width.
  EXPECT_EQ(PlacePicture(1024, 768, 100, 99, 1), (PictureBox{0, -123, 1024, 1014, true}));
}

TEST(Placement, DrawsTheWholePictureIntoItsBoxAndNothingElse) {
  Surface master(1024, 768);
  Surface picture(640, 480, 0x123456);
  DrawPicture(master, picture, *PlacePicture(1024, 768, 640, 480, 0));
  EXPECT_EQ(master.Pixel(192, 144), 0x123456u);
  EXPECT_EQ(master.Pixel(831, 623), 0x123456u);
  EXPECT_EQ(master.Pixel(191, 144), kBlack);
  EXPECT_EQ(master.Pixel(832, 623), kBlack);
  EXPECT_EQ(master.Pixel(192, 624), kBlack);

  Surface tall(600, 800, 0x00FF00);
  Surface master2(1024, 768, kWhite);
  DrawPicture(master2, tall, *PlacePicture(1024, 768, 600, 800, 1));
  EXPECT_EQ(master2.Pixel(224, 0), 0x00FF00u);
  EXPECT_EQ(master2.Pixel(799, 767), 0x00FF00u);
  EXPECT_EQ(master2.Pixel(223, 0), kWhite);
  EXPECT_EQ(master2.Pixel(800, 767), kWhite);
}

Surface Noise(int width, int height, uint32_t seed) {
  Surface s(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) s.SetPixel(x, y, (seed = seed * 1103515245u + 12345u) >> 8);
  return s;
}

// A picture read by rows that notes which rows were read and can fail at one.
class NotedRows final : public PictureRows {
 public:
  NotedRows(const Surface& picture, int failAt = -1) : rows_(picture), failAt_(failAt) {}
  int Width() const override { return rows_.Width(); }
  int Height() const override { return rows_.Height(); }
  bool ReadRow(int y, uint32_t* row) override {
    read.push_back(y);
    return y != failAt_ && rows_.ReadRow(y, row);
  }
  std::vector<int> read;

 private:
  SurfaceRows rows_;
  int failAt_;
};

struct RowsCase {
  int pw, ph, sw, sh;
  int16_t sizeMode;
};

TEST(Placement, RowByRowGivesTheSamePixelsReadingEachRowShownOnceFromTheTop) {
  const RowsCase cases[] = {
      {640, 480, 1024, 768, 0},  {1025, 480, 1024, 768, 0}, {2000, 1000, 1024, 768, 0},
      {1000, 900, 1024, 768, 1}, {600, 800, 1024, 768, 1},  {90, 200, 203, 157, 1},
      {3000, 2000, 192, 108, 1}, {3, 2, 64, 48, 1},         {1, 1, 64, 48, 0},
      {50, 4000, 320, 240, 1},   {700, 100, 320, 240, 0},   {64, 48, 0, 0, 1},
  };
  uint32_t seed = 1;
  for (const RowsCase& c : cases) {
    const Surface picture = Noise(c.pw, c.ph, ++seed);
    const PictureBox box = *PlacePicture(c.sw, c.sh, c.pw, c.ph, c.sizeMode);
    Surface expected(c.sw, c.sh, kWhite), got(c.sw, c.sh, kWhite);
    DrawPicture(expected, picture, box);
    NotedRows rows(picture);
    EXPECT_TRUE(DrawPictureRows(got, rows, box)) << c.pw << "x" << c.ph;
    EXPECT_EQ(got, expected) << c.pw << "x" << c.ph << " on " << c.sw << "x" << c.sh;
    EXPECT_TRUE(std::is_sorted(rows.read.begin(), rows.read.end()));
    EXPECT_EQ(std::adjacent_find(rows.read.begin(), rows.read.end()), rows.read.end());
    EXPECT_LE(rows.read.size(), static_cast<size_t>(std::min(c.ph, c.sh)));
  }
}

TEST(Placement, RowByRowStopsAtARowThatCannotBeReadOrWhenAskedTo) {
  const Surface picture = Noise(300, 200, 7);
  const PictureBox box = *PlacePicture(160, 120, 300, 200, 1);
  Surface target(160, 120);
  NotedRows broken(picture, 100);
  EXPECT_FALSE(DrawPictureRows(target, broken, box));
  EXPECT_EQ(broken.read.back(), 100);
  std::stop_source stop;
  stop.request_stop();
  NotedRows unread(picture);
  EXPECT_FALSE(DrawPictureRows(target, unread, box, stop.get_token()));
  EXPECT_TRUE(unread.read.empty());
}

// The index of the plain-coloured picture the screen shows at (x, y), 0 for none.
int PictureOnScreen(const ShowRig& rig, int x = 320, int y = 240) {
  const uint32_t p = rig.host.screen.Pixel(x, y);
  for (int i = 1; i <= rig.app.imageCount; ++i)
    if (p == ShowRig::Colour(i)) return i;
  return 0;
}

TEST(PictureCycle, TwoPicturesChangeEveryIntervalAndTheSequentialOrderRestarts) {
  ShowRig rig;
  rig.app.settings.PieceCount = 0;
  rig.AddPictures(2, 40, 30);
  DisplayWindow& w = rig.Load();
  EXPECT_EQ(PictureOnScreen(rig), 1);
  EXPECT_EQ(w.PictureIndex, 1);
  std::vector<int> changes;
  for (int second = 1; second <= 30; ++second) {
    const int before = PictureOnScreen(rig);
    w.Timer4_Timer();
    if (PictureOnScreen(rig) != before) changes.push_back(second);
  }
  EXPECT_EQ(changes, (std::vector<int>{10, 20, 30}));
  EXPECT_EQ(PictureOnScreen(rig), 2);
  EXPECT_EQ(rig.pictures.loads.size(), 4u);
  EXPECT_EQ(rig.app.imageOrder, (std::vector<int16_t>{0, 1, 2}));
  EXPECT_EQ(w.PictureIndex, 0) << "the end of a cycle starts the next at position 1";
}

TEST(PictureCycle, IntervalIsReadEveryTickAndZeroChangesEverySecond) {
  ShowRig rig;
  rig.app.settings.PieceCount = 0;
  rig.AddPictures(3, 40, 30);
  DisplayWindow& w = rig.Load();
  for (int i = 0; i < 4; ++i) w.Timer4_Timer();
  EXPECT_EQ(rig.pictures.loads.size(), 1u);
  rig.app.settings.IntervalSec = 0;
  w.Timer4_Timer();
  w.Timer4_Timer();
  EXPECT_EQ(rig.pictures.loads.size(), 3u);
  rig.app.settings.IntervalSec = -5;
  w.Timer4_Timer();
  EXPECT_EQ(rig.pictures.loads.size(), 4u);
}

TEST(PictureCycle, OnePictureStaysAndNoPicturesKeepTheDesktop) {
  ShowRig one;
  one.app.settings.IntervalSec = 1;
  one.AddPictures(1, 40, 30);
  DisplayWindow& w = one.Load();
  for (int i = 0; i < 30; ++i) w.Timer4_Timer();
  EXPECT_EQ(one.pictures.loads.size(), 1u);
  EXPECT_EQ(w.PictureIndex, 1);
  EXPECT_EQ(w.SecondCount, 0);

  ShowRig none;
  none.app.settings.IntervalSec = 1;
  none.host.screen = Surface(640, 480, 0x00AA00);
  DisplayWindow& d = none.Load();
  EXPECT_EQ(d.Master.Pixel(5, 5), 0x00AA00u);
  for (int i = 0; i < 5; ++i) {
    d.Timer4_Timer();
    d.Timer3_Timer();
  }
  EXPECT_EQ(d.SecondCount, 0);
  EXPECT_TRUE(none.pictures.loads.empty());
  int craters = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) craters += d.Master.Pixel(x, y) == kBlack;
  EXPECT_GT(craters, 5 * 40) << "five craters burnt into the captured desktop";
}

TEST(PictureCycle, TheChangingSecondsCraterIsWipedButItsFragmentsFlyOn) {
  ShowRig rig;
  rig.app.settings.IntervalSec = 1;
  rig.AddPictures(2, 640, 480);
  rig.app.settings.SizeMode = 0;
  DisplayWindow& w = rig.Load();
  w.Timer4_Timer();
  EXPECT_EQ(PictureOnScreen(rig), 2);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) ASSERT_EQ(w.Master.Pixel(x, y), ShowRig::Colour(2));
  EXPECT_EQ(w.balls.ActiveCount, 200);
  w.Timer3_Timer();
  int red = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) red += rig.host.screen.Pixel(x, y) == kRed;
  EXPECT_GT(red, 0);
}

TEST(PictureCycle, PictureThatCannotBeLoadedLeavesTheCurrentOneAndTheNextChangeMovesOn) {
  ShowRig rig;
  rig.app.settings.IntervalSec = 2;
  rig.AddPictures(3, 640, 480);
  rig.app.settings.SizeMode = 0;
  rig.pictures.pictures.erase(rig.app.imageList[2]);  // deleted or corrupt since the scan
  DisplayWindow& w = rig.Load();
  w.Timer4_Timer();
  w.Timer3_Timer();
  const Surface craters = w.Master;
  w.Timer4_Timer();  // the change to picture 2 fails
  w.Timer3_Timer();
  EXPECT_EQ(rig.pictures.loads.back(), rig.app.imageList[2]);
  EXPECT_EQ(w.PictureIndex, 2);
  EXPECT_EQ(PictureOnScreen(rig, 1, 1), 1);
  // The second's own crater is added; the older ones are still there.
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x)
      if (craters.Pixel(x, y) == kBlack) {
        ASSERT_EQ(w.Master.Pixel(x, y), kBlack);
      }
  w.Timer4_Timer();
  w.Timer4_Timer();
  EXPECT_EQ(rig.pictures.loads.back(), rig.app.imageList[3]);
  EXPECT_EQ(PictureOnScreen(rig, 1, 1), 3);
  w.Timer4_Timer();
  w.Timer4_Timer();
  EXPECT_EQ(PictureOnScreen(rig, 1, 1), 1) << "a new cycle after the last position";
}

TEST(PictureCycle, FirstPictureThatCannotBeLoadedStartsOnBlack) {
  ShowRig rig;
  rig.app.settings.PieceCount = 0;
  rig.app.settings.IntervalSec = 1;
  rig.host.screen = Surface(640, 480, kWhite);
  rig.AddPictures(2, 640, 480);
  rig.pictures.pictures.erase(rig.app.imageList[1]);
  DisplayWindow& w = rig.Load();
  EXPECT_EQ(rig.host.screen.Pixel(320, 240), kBlack);
  EXPECT_EQ(w.Master.Pixel(0, 0), kBlack);
  EXPECT_EQ(w.PictureIndex, 1);
  w.Timer4_Timer();
  EXPECT_EQ(PictureOnScreen(rig), 2);
}

TEST(PictureCycle, RandomCyclesShowEveryPictureOnceAndEveryPictureComesAtEveryPosition) {
  ShowRig rig;
  FakeClock clock;
  ClockSeededRandom random(clock);
  rig.rng = &random;
  rig.app.settings.PieceCount = 0;
  rig.app.settings.ChangeMode = 1;
  rig.app.settings.IntervalSec = 1;
  rig.AddPictures(5, 40, 30);
  BuildImageOrder(rig.app, random);  // the first cycle's order, as start-up builds it
  DisplayWindow& w = rig.Load();
  for (int second = 1; second < 5 * 400; ++second) w.Timer4_Timer();
  ASSERT_EQ(rig.pictures.loads.size(), 5u * 400);
  int seen[6][6] = {};
  for (size_t cycle = 0; cycle < 400; ++cycle) {
    std::set<Text> shown;
    for (size_t p = 0; p < 5; ++p) {
      const Text& path = rig.pictures.loads[cycle * 5 + p];
      shown.insert(path);
      const int picture = path[path.size() - 5] - u'0';
      ++seen[p + 1][picture];
    }
    ASSERT_EQ(shown.size(), 5u) << "cycle " << cycle;
  }
  for (int p = 1; p <= 5; ++p)
    for (int i = 1; i <= 5; ++i) {
      EXPECT_GT(seen[p][i], 40) << "picture " << i << " at position " << p;
      EXPECT_LT(seen[p][i], 130) << "picture " << i << " at position " << p;
    }
}

TEST(PictureCycle, ChangeModeTwoIsRandomToo) {
  ShowRig rig;
  rig.app.settings.ChangeMode = 2;
  rig.AddPictures(6, 40, 30);
  int reordered = 0;
  for (int i = 0; i < 20; ++i) {
    BuildImageOrder(rig.app, rig.random);
    reordered += rig.app.imageOrder != std::vector<int16_t>{0, 1, 2, 3, 4, 5, 6};
  }
  EXPECT_GT(reordered, 15);
}

TEST(PictureCycle, InputThatEndsTheShowDuringTheTickStopsThePictureChange) {
  ShowRig rig;
  rig.app.settings.IntervalSec = 1;
  rig.AddPictures(2, 40, 30);
  DisplayWindow& w = rig.Load();
  rig.pump.pending = [&] { w.Exit().Display_MouseDown(1, 0, 3, 4); };
  w.Timer4_Timer();
  EXPECT_EQ(rig.host.unloads, 1);
  EXPECT_EQ(rig.pictures.loads.size(), 1u);
  const int presents = rig.host.presents;
  w.Timer3_Timer();
  w.Timer4_Timer();
  EXPECT_EQ(rig.host.presents, presents) << "an ended show draws no more";
}

// --- Pictures decoded ahead: the test decides when the worker finishes a job -------------

TEST(DecodeAhead, APictureNotReadyAtItsTickKeepsTheCurrentOneUntilTheFirstTickThatFindsIt) {
  ShowRig rig;
  rig.app.settings.PieceCount = 0;
  rig.app.settings.IntervalSec = 2;
  rig.AddPictures(3, 40, 30);
  rig.worker.finishWhenAsked = false;
  DisplayWindow& w = rig.Load();
  EXPECT_TRUE(rig.pictures.loads.empty()) << "the drawing thread never decodes";
  EXPECT_EQ(PictureOnScreen(rig), 0) << "black until the first picture is ready";
  ASSERT_TRUE(rig.worker.RunNext());
  EXPECT_EQ(PictureOnScreen(rig), 0) << "nothing changes between ticks";
  w.Timer3_Timer();
  EXPECT_EQ(PictureOnScreen(rig), 1) << "an animation tick takes a late picture";
  EXPECT_EQ(w.PictureIndex, 1);
  EXPECT_EQ(rig.worker.jobs.size(), 1u) << "the next picture is asked for at once";

  for (int second = 1; second <= 5; ++second) w.Timer4_Timer();  // due at the second
  EXPECT_EQ(PictureOnScreen(rig), 1);
  EXPECT_EQ(w.PictureIndex, 1);
  ASSERT_TRUE(rig.worker.RunNext());
  w.Timer4_Timer();
  EXPECT_EQ(PictureOnScreen(rig), 2) << "a one-second tick takes it and shows it at once";
  EXPECT_EQ(w.SecondCount, 0) << "the waiting seconds were not counted";

  ASSERT_TRUE(rig.worker.RunNext());  // picture 3, early
  w.Timer4_Timer();
  w.Timer3_Timer();
  EXPECT_EQ(PictureOnScreen(rig), 2) << "an early picture waits for its second";
  w.Timer4_Timer();
  EXPECT_EQ(PictureOnScreen(rig), 3);
  EXPECT_EQ(rig.pictures.loads, (std::vector<Text>(rig.app.imageList.begin() + 1,
                                                   rig.app.imageList.end())));
}

// Decoded in good time or at the last moment: the same loads, draws and frames.
TEST(DecodeAhead, OrderDrawsAndPixelsAreThoseOfTheShowThatDecodesAtTheChange) {
  struct Run {
    explicit Run(bool ahead) : rig(203, 157) {
      rig.app.settings.ChangeMode = 1;
      rig.app.settings.IntervalSec = 1;
      rig.AddPictures(4);
      for (int i = 1; i <= 4; ++i) {
        rig.pictures.pictures[rig.app.imageList[i]] = Noise(40 + 70 * i, 250 - 40 * i, i);
      }
      rig.pictures.pictures.erase(rig.app.imageList[3]);
      rig.worker.finishWhenAsked = !ahead;
      BuildImageOrder(rig.app, rig.random);
      rig.Load();
    }
    void Tick(int t) {
      if (!rig.worker.finishWhenAsked) rig.worker.RunUpTo(rig.worker.posted);
      if (t % 25 == 0) rig.Window().Timer4_Timer();
      rig.Window().Timer3_Timer();
    }
    ShowRig rig;
  };
  Run atChange(false), ahead(true);
  for (int t = 1; t <= 1000; ++t) {
    atChange.Tick(t);
    ahead.Tick(t);
    ASSERT_EQ(ahead.rig.host.screen, atChange.rig.host.screen) << "tick " << t;
  }
  EXPECT_EQ(ahead.rig.pictures.loads, atChange.rig.pictures.loads);
  EXPECT_EQ(ahead.rig.random.log, atChange.rig.random.log);
  EXPECT_GE(ahead.rig.pictures.loads.size(), 40u);
}

// Each of these puts the whole screen on screen once, in one present.
TEST(PresentOnce, TheLoadAndEveryKindOfChangePresentTheScreenOnce) {
  struct Case {
    const char* what;
    int pictures;
    bool late;  // the picture is ready only after its tick
  };
  for (const Case c : {Case{"load on the desktop", 0, false}, Case{"load on a picture", 2, false},
                       Case{"change at its second", 2, false}, Case{"late change", 2, true}}) {
    ShowRig rig(320, 240);
    rig.app.settings.PieceCount = 0;
    rig.app.settings.IntervalSec = 1;
    rig.AddPictures(c.pictures, 32, 24);
    DisplayWindow& w = rig.Window();
    auto presented = [&](auto step) {
      const int presents = rig.host.presents;
      const uint64_t pixels = rig.host.presentedPixels;
      step();
      return std::pair{rig.host.presents - presents, rig.host.presentedPixels - pixels};
    };
    const auto once = std::pair{1, uint64_t{320 * 240}};
    if (c.pictures == 0 || std::string_view(c.what).starts_with("load")) {
      EXPECT_EQ(presented([&] { w.Form_Load(); }), once) << c.what;
      continue;
    }
    w.Form_Load();
    rig.worker.finishWhenAsked = !c.late;
    w.Timer3_Timer();
    const auto change = presented([&] {
      w.Timer4_Timer();
      if (c.late) {
        rig.worker.RunNext();
        w.Timer3_Timer();
      }
    });
    EXPECT_EQ(change, once) << c.what;
    EXPECT_EQ(PictureOnScreen(rig, 160, 120), 2) << c.what;
  }
}

}  // namespace
}  // namespace orv::test
