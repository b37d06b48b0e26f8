#include <gtest/gtest.h>

#include "display/frame.h"
#include "display/show_rig.h"

namespace orv::test {
namespace {

// A fragment put straight into a slot, as a launch would leave it.
Ball Fragment(float x, float y, float upSpeed, float tiltSpeed = 0, int16_t shape = 1) {
  Ball b;
  b.Enabled = kTrue;
  b.Xpos = x;
  b.Ypos = y;
  b.Ystart = y;
  b.Yvel = -upSpeed;
  b.Ytiltvel = tiltSpeed;
  b.Yshadow = y + 2;
  b.Shape = shape;
  return b;
}

TEST(FragmentFlight, DefaultsBounceTwiceAndVanishAtTheThirdTouch) {
  ShowRig rig;
  DisplayWindow& w = rig.Load();
  w.balls[1] = Fragment(100, 300, 10);
  w.balls.ActiveCount = 1;
  std::vector<float> speeds;
  int vanished = 0;
  for (int tick = 1; tick <= 40 && !vanished; ++tick) {
    w.Timer3_Timer();
    if (w.balls[1].Enabled == kFalse) vanished = tick;
    speeds.push_back(w.balls[1].Yvel);
    if (tick == 19) {  // exactly on its ground line: no bounce yet
      EXPECT_EQ(w.balls[1].Ypos, 300.0f);
      EXPECT_EQ(w.balls[1].Yvel, 9.0f);
    }
    if (tick == 20 || tick == 27) {
      EXPECT_EQ(w.balls[1].Ypos, 300.0f) << tick;
    }
  }
  ASSERT_GE(speeds.size(), 27u);
  EXPECT_EQ(speeds[19], -3.5f);    // landed at 10 on tick 20
  EXPECT_EQ(speeds[26], -1.225f);  // landed at 3.5 on tick 27
  EXPECT_EQ(vanished, 29);         // rebounds at about 0.271, under half a gravity step
  EXPECT_EQ(w.balls.ActiveCount, 0);
  EXPECT_EQ(w.balls[1].Yvel, -1.225f + 1) << "a freed fragment keeps the values of its last move";
}

TEST(FragmentFlight, NoElasticityFreesAtTheFirstTouchAndSlowLaunchesFallAtOnce) {
  ShowRig rig;
  rig.app.settings.PieceElasticity = 0;
  DisplayWindow& w = rig.Load();
  w.balls[1] = Fragment(100, 300, 3);
  w.balls.ActiveCount = 1;
  for (int tick = 1; tick <= 5; ++tick) w.Timer3_Timer();
  EXPECT_EQ(w.balls[1].Enabled, kTrue);  // up 2, 1, 0, down 1, 2: back on its line
  EXPECT_EQ(w.balls[1].Ypos, 300.0f);
  w.Timer3_Timer();
  EXPECT_EQ(w.balls[1].Enabled, kFalse);

  ShowRig heavy;
  heavy.app.settings.Gravity = 40;
  DisplayWindow& h = heavy.Load();
  h.balls[1] = Fragment(100, 300, 1.5f);  // slower upwards than one gravity step
  h.balls.ActiveCount = 1;
  h.Timer3_Timer();  // falls through its line: bounces at 2.5 x 0.35 = 0.875 < 2
  EXPECT_EQ(h.balls[1].Enabled, kFalse);
  EXPECT_EQ(h.balls.ActiveCount, 0);
}

TEST(FragmentFlight, LeavingTheScreenFreesBeforeMoving) {
  ShowRig rig(640, 480);
  DisplayWindow& w = rig.Load();
  w.balls[1] = Fragment(640, 200, 5);        // exactly on the right edge: still in
  w.balls[2] = Fragment(640.5f, 200, 5);     // beyond it by a fraction: out
  w.balls[3] = Fragment(-0.25f, 200, 5);     // left of the screen: out
  w.balls[4] = Fragment(10, 200, 5);
  w.balls[4].Yshadow = -1;                    // shadow above the screen: out
  w.balls[5] = Fragment(10, 479, 5, 0.75f);  // 479 + 2 x 0.75 > 480: out
  w.balls[6] = Fragment(10, 479, 5, 0.5f);   // 479 + 2 x 0.5 = 480: in
  w.balls.ActiveCount = 6;
  w.Timer3_Timer();
  EXPECT_EQ(w.balls[1].Enabled, kTrue);
  EXPECT_EQ(w.balls[2].Enabled, kFalse);
  EXPECT_EQ(w.balls[2].Xpos, 640.5f) << "freed fragments are not moved";
  EXPECT_EQ(w.balls[3].Enabled, kFalse);
  EXPECT_EQ(w.balls[4].Enabled, kFalse);
  EXPECT_EQ(w.balls[5].Enabled, kFalse);
  EXPECT_EQ(w.balls[6].Enabled, kTrue);
  EXPECT_EQ(w.balls.ActiveCount, 2);
}

TEST(FragmentFlight, FragmentsFlungFarAboveTheScreenAreDrawnNowhereAndHarmNothing) {
  // No gravity and a huge violence from a hand-edited settings file: the fragment climbs
  // without end, beyond any integer row.
  ShowRig rig(64, 48);
  rig.host.screen = Surface(64, 48, kWhite);
  rig.app.settings.Gravity = 0;
  DisplayWindow& w = rig.Load();
  w.balls[1] = Fragment(10, 40, 3.0e9f);
  w.balls.ActiveCount = 1;
  for (int tick = 0; tick < 20; ++tick) w.Timer3_Timer();
  EXPECT_EQ(w.balls[1].Enabled, kTrue);
  EXPECT_LT(w.balls[1].Ypos, -1.0e10f);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 64; ++x) ASSERT_EQ(rig.host.screen.Pixel(x, y), kWhite) << x << "," << y;
  EXPECT_EQ(rig.host.screen.Pixel(11, 43), kBlack) << "its shadow stays on the ground";
}

TEST(FragmentFlight, ShadowFollowsTheGroundLineShiftedByDepth) {
  ShowRig rig;
  DisplayWindow& w = rig.Load();
  w.balls[1] = Fragment(50, 200, 6, 1.25f);
  w.balls.ActiveCount = 1;
  w.Timer3_Timer();
  // Old Y 200, new tilt 1.25: floor(201.25) + floor(0) + 2.
  EXPECT_EQ(w.balls[1].Yshadow, 203.0f);
  EXPECT_EQ(w.balls[1].Ytilt, 1.25f);
  EXPECT_EQ(w.balls[1].Ypos, 195.0f);
  w.Timer3_Timer();
  // Old Y 195, tilt 2.5: floor(197.5) + floor(5) + 2.
  EXPECT_EQ(w.balls[1].Yshadow, 204.0f);
  EXPECT_EQ(PieceRow(w.balls[1]), 193);  // floor(191 + 2.5)
}

TEST(Impact, DrawsItsNumbersInOrderAndLaunchesTheBurstAtThePoint) {
  ShowRig rig(640, 480);
  rig.app.settings.PieceCount = 2;
  DisplayWindow& w = rig.Load();
  rig.random.log.clear();
  rig.random.script = {0.5, 0.25,             // impact point
                       0.75, 0.6, 0.5, 0.99,  // fragment 1
                       0.0, 0.0, 0.9, 0.3,    // fragment 2
                       0.25, 0.0};            // crater: flatness 0.3, radius 10
  w.Impact();
  EXPECT_EQ(rig.random.log, (std::vector<std::string>{"reseed", "next", "next", "next", "next",
                                                      "next", "next", "next", "next", "next",
                                                      "next", "reseed", "next", "next"}));
  EXPECT_EQ(w.ImpactX, 320);
  EXPECT_EQ(w.ImpactY, 120);
  EXPECT_EQ(w.balls.ActiveCount, 2);
  const Ball& a = w.balls[1];
  EXPECT_EQ(a.Enabled, kTrue);
  EXPECT_EQ(a.Xpos, 320.0f);
  EXPECT_EQ(a.Ypos, 120.0f);
  EXPECT_EQ(a.Ystart, 120.0f);
  EXPECT_EQ(a.Yshadow, 122.0f);
  EXPECT_FLOAT_EQ(a.Xvel, 2.5f);       // 0.75 x 10 - 5
  EXPECT_FLOAT_EQ(a.Yvel, -8.75f);     // -(0.6 x 35 / 3 + 1.75)
  EXPECT_FLOAT_EQ(a.Ytiltvel, 0.0f);   // 0.5 x 5 - 2.5
  EXPECT_EQ(a.Shape, 4);
  const Ball& b = w.balls[2];
  EXPECT_FLOAT_EQ(b.Xvel, -5.0f);
  EXPECT_FLOAT_EQ(b.Yvel, -1.75f);
  EXPECT_FLOAT_EQ(b.Ytiltvel, 2.0f);
  EXPECT_EQ(b.Shape, 2);
  EXPECT_EQ(w.balls[3].Enabled, kFalse);
  EXPECT_FLOAT_EQ(w.Bounce, 0.35f);
  EXPECT_FLOAT_EQ(w.GravityStep, 1.0f);
  EXPECT_FLOAT_EQ(w.SpreadX, 10.0f);
  EXPECT_FLOAT_EQ(w.SpreadTilt, 5.0f);
}

TEST(Impact, NoReseedingInTheAnimationTick) {
  ShowRig rig;
  DisplayWindow& w = rig.Load();
  w.Impact();
  rig.random.log.clear();
  for (int i = 0; i < 5; ++i) w.Timer3_Timer();
  EXPECT_TRUE(rig.random.log.empty());
  EXPECT_EQ(rig.timer3.interval, 20);
}

// Black pixels of Master along one row or column through the impact point.
int BlackRun(const Surface& s, int x, int y, int dx, int dy) {
  int n = 0;
  while (x >= 0 && y >= 0 && x < s.Width() && y < s.Height() && s.Pixel(x, y) == kBlack) {
    ++n;
    x += dx;
    y += dy;
  }
  return n;
}

TEST(Impact, CraterReachesRadiusSidewaysAndRadiusTimesFlatnessUpAndDown) {
  struct Case {
    double flatness, radius;
    int across, down;
  } cases[] = {{0.0, 0.0, 10, 2},      // 10 x 0.2
               {0.25, 0.0, 10, 3},     // 10 x 0.3
               {0.99, 0.99, 20, 10},   // 20 x 0.5
               {0.5, 0.5, 15, 6}};     // 15 x 0.4
  for (const Case& c : cases) {
    ShowRig rig(200, 100);
    rig.host.screen = Surface(200, 100, kWhite);  // the captured desktop
    rig.app.settings.PieceCount = 0;
    DisplayWindow& w = rig.Load();
    rig.random.script = {0.5, 0.5, c.flatness, c.radius};
    w.Impact();
    const Surface& m = w.Master;
    EXPECT_EQ(BlackRun(m, 100, 50, 1, 0), c.across + 1) << c.across;
    EXPECT_EQ(BlackRun(m, 100, 50, -1, 0), c.across + 1);
    EXPECT_EQ(BlackRun(m, 100, 50, 0, 1), c.down + 1) << c.down;
    EXPECT_EQ(BlackRun(m, 100, 50, 0, -1), c.down + 1);
    EXPECT_EQ(m.Pixel(100 + c.across, 50 - 1), kWhite) << "pointed ends";
  }
}

TEST(Impact, CraterReachesTheScreenOnlyWithTheNextAnimationTick) {
  ShowRig rig(200, 100);
  rig.host.screen = Surface(200, 100, kWhite);
  rig.app.settings.PieceCount = 0;
  DisplayWindow& w = rig.Load();
  rig.random.script = {0.5, 0.5, 0.0, 0.0};
  w.Impact();
  EXPECT_EQ(rig.host.screen.Pixel(100, 50), kWhite);
  w.Timer3_Timer();
  EXPECT_EQ(rig.host.screen.Pixel(100, 50), kBlack);
  EXPECT_EQ(rig.host.screen.Pixel(111, 50), kWhite);
}

TEST(Pool, ThirdBurstWaitsWhileFourHundredFlyButItsCraterIsDrawn) {
  ShowRig rig(640, 480);
  rig.host.screen = Surface(640, 480, kWhite);
  DisplayWindow& w = rig.Load();
  w.Impact();
  w.Impact();
  EXPECT_EQ(w.balls.ActiveCount, 400);
  EXPECT_EQ(w.balls.FirstFree(), 401);
  rig.random.log.clear();
  rig.random.script = {0.1, 0.1, 0.0, 0.0};
  w.Impact();
  EXPECT_EQ(w.balls.ActiveCount, 400);
  EXPECT_EQ(w.balls.FirstFree(), 401);
  EXPECT_EQ(rig.random.log.size(), 6u) << "no numbers drawn for fragments";
  EXPECT_EQ(w.Master.Pixel(64, 48), kBlack);
}

TEST(Pool, BurstLargerThanThePoolNeverFlies) {
  ShowRig rig;
  rig.app.settings.PieceCount = 501;
  DisplayWindow& w = rig.Load();
  for (int i = 0; i < 3; ++i) w.Impact();
  EXPECT_EQ(w.balls.ActiveCount, 0);
  EXPECT_EQ(w.balls.FirstFree(), 1);

  ShowRig negative;
  negative.app.settings.PieceCount = -10;
  DisplayWindow& n = negative.Load();
  n.Impact();
  EXPECT_EQ(n.balls.ActiveCount, 0) << "the count stays the number of fragments in flight";
}

TEST(Pool, FullPoolOfFiveHundredAndReusedSlotsStartFresh) {
  ShowRig rig;
  rig.app.settings.PieceCount = 250;
  DisplayWindow& w = rig.Load();
  w.Impact();
  w.Impact();
  EXPECT_EQ(w.balls.ActiveCount, 500);
  EXPECT_EQ(w.balls.FirstFree(), 0);
  rig.app.settings.PieceCount = 1;
  w.Impact();
  EXPECT_EQ(w.balls.ActiveCount, 500);

  // Free slot 7 with leftovers in it, then launch into it.
  w.balls[7].Enabled = kFalse;
  w.balls[7].Ytilt = 12.5f;
  w.balls[7].Color = 9;
  w.balls.ActiveCount = 499;
  w.Impact();
  EXPECT_EQ(w.balls[7].Enabled, kTrue);
  EXPECT_EQ(w.balls[7].Ytilt, 0.0f);
  EXPECT_EQ(w.balls[7].Color, 0);
  EXPECT_EQ(w.balls[7].Xpos, float(w.ImpactX));
}

TEST(Pool, BottomRowImpactLosesEveryFragmentThatDriftsDownFasterThanHalfAPixel) {
  ShowRig rig(640, 480);
  rig.app.settings.PieceCount = 2;
  DisplayWindow& w = rig.Load();
  rig.random.script = {0.5, 479.5 / 480,      // the bottom row
                       0.5, 0.5, 0.9, 0.0,    // depth speed 2: gone at once
                       0.5, 0.5, 0.55, 0.0};  // depth speed 0.25: flies
  w.Impact();
  ASSERT_EQ(w.ImpactY, 479);
  w.Timer3_Timer();
  EXPECT_EQ(w.balls[1].Enabled, kFalse);
  EXPECT_EQ(w.balls[2].Enabled, kTrue);
  EXPECT_EQ(w.balls.ActiveCount, 1);
}

TEST(Frame, ShadowsLieUnderEveryPieceAndHigherSlotsCoverLowerOnes) {
  ShowRig rig(40, 40);
  rig.host.screen = Surface(40, 40, kWhite);
  DisplayWindow& w = rig.Load();
  Ball low = Fragment(10, 20, 0);
  low.Shape = 1;
  low.Yshadow = 10;  // a shadow drawn where the other piece lies
  Ball high = Fragment(10, 10, 0);
  high.Shape = 4;
  w.balls[2] = low;
  w.balls[1] = high;
  DrawBalls(w.balls, w.BallPic, w.PicBuffer);
  // The square of slot 1 stays red over the round shadow of slot 2.
  EXPECT_EQ(w.PicBuffer.Pixel(12, 11), kRed);
  EXPECT_EQ(w.PicBuffer.Pixel(11, 11), kBlack);
  // Slot 2's round piece at rows 20..24.
  EXPECT_EQ(w.PicBuffer.Pixel(10, 21), kRed);
}

}  // namespace
}  // namespace orv::test
