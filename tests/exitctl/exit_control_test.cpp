#include "exitctl/exit_control.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "support/show_fakes.h"
#include "support/fake_system.h"

namespace orv::test {
namespace {

using Calls = std::vector<std::string>;

// The exit control of a running show; every call of the system, the music and the window
// lands in one journal.
struct ExitRig {
  explicit ExitRig(const char16_t* commandLine = u"/s") : host(8, 8) {
    app.commandLine = commandLine;
    app.settings.BgmMode = 0;
    // Start-up hid the cursor in S mode.
    system.cursorCount = -1;
    app.savedCursorCount = -1;
    music.journal = &system.calls;
    host.journal = &system.calls;
    timer1.enabled = false;
    timer2.enabled = false;
  }
  ExitControl& Control() {
    if (!control) control = std::make_unique<ExitControl>(
        ExitServices{app.settings, app, system, music, timer2, host});
    return *control;
  }
  void NotNT() { system.version = VersionInfo{1, 1}; }

  struct : ExitSession {
    Settings settings;
  } app;
  FakeSystem system;
  FakeMusic music;
  FakeHost host;
  FakeTimer timer1, timer2;
  std::unique_ptr<ExitControl> control;
};

TEST(EndShow, OnTheNtFamilyStopsMusicRestoresTheCursorAndEnds) {
  ExitRig rig;
  rig.app.settings.BgmMode = 2;
  rig.app.settings.BgmFile = u"C:\\music\\song.mp3";  // lower-case ending still counts
  rig.timer1.enabled = true;
  rig.Control().EndShow();
  EXPECT_EQ(rig.system.calls, (Calls{"GetVersion", "Mp3Stop", "SPI 97 0", "ShowCursor -1 -> 0",
                                     "SPI 17 1", "Unload"}));
  EXPECT_EQ(rig.app.savedCursorCount, 0);
  EXPECT_TRUE(rig.Control().Ended());
}

TEST(EndShow, OutsideTheNtFamilyAsksForThePasswordWithTheCursorShown) {
  ExitRig rig;
  rig.NotNT();
  rig.app.settings.BgmMode = 1;
  rig.timer2.enabled = true;
  rig.Control().EndShow();
  EXPECT_EQ(rig.system.calls,
            (Calls{"GetVersion", "ShowCursor -1 -> 0", "VerifyScreenSavePwd 4242", "CdStop",
                   "SPI 97 0", "ShowCursor 0 -> -1", "SPI 17 1", "Unload"}));
  EXPECT_FALSE(rig.timer2.enabled);
}

TEST(EndShow, RefusedPasswordHidesTheCursorAgainAndTheShowGoesOn) {
  ExitRig rig;
  rig.NotNT();
  rig.system.passwordAnswer = 0;
  rig.app.settings.BgmMode = 1;
  rig.timer2.enabled = true;
  rig.Control().EndShow();
  EXPECT_EQ(rig.system.calls, (Calls{"GetVersion", "ShowCursor -1 -> 0",
                                     "VerifyScreenSavePwd 4242", "ShowCursor 0 -> -1"}));
  EXPECT_EQ(rig.app.savedCursorCount, -1);
  EXPECT_FALSE(rig.Control().Ended());
  EXPECT_TRUE(rig.timer2.enabled) << "the music keeps playing";
  rig.system.passwordAnswer = 1;
  rig.Control().EndShow();
  EXPECT_TRUE(rig.Control().Ended());
}

TEST(EndShow, WithoutTheSwitchNoPasswordNoRunningFlagAndNoCursorChange) {
  for (const char16_t* line : {u"", u"s"}) {
    ExitRig rig(line);
    rig.NotNT();
    rig.app.savedCursorCount = 0;
    rig.Control().EndShow();
    EXPECT_EQ(rig.system.calls, (Calls{"SPI 17 1", "Unload"})) << ToUtf8(line);
  }
}

TEST(EndShow, StopsOnlyTheMusicThatPlays) {
  struct Case {
    int16_t mode;
    const char16_t* file;
    bool cdWatch;
    Calls stops;
  } cases[] = {
      {2, u"a.WAV", false, {"WavStop"}},
      {2, u"a.mid", false, {}},
      {2, u"", false, {}},
      {1, u"a.mp3", false, {}},             // the CD watch already gave up: nothing to stop
      {1, u"a.mp3", true, {"CdStop"}},
      {0, u"a.mp3", false, {}},
  };
  for (const Case& c : cases) {
    ExitRig rig;
    rig.app.settings.BgmMode = c.mode;
    rig.app.settings.BgmFile = c.file;
    rig.timer2.enabled = c.cdWatch;
    rig.Control().EndShow();
    EXPECT_EQ(rig.music.calls, Calls{}) << "all calls go to the shared journal";
    Calls stops;
    for (const std::string& call : rig.system.calls)
      if (call.find("Stop") != std::string::npos) stops.push_back(call);
    EXPECT_EQ(stops, c.stops) << ToUtf8(c.file) << " mode " << c.mode;
  }
}

TEST(EndShow, FailingMusicStillEndsTheProgram) {
  ExitRig rig;
  rig.app.settings.BgmMode = 1;
  rig.timer2.enabled = true;
  rig.music.throws = true;
  rig.Control().EndShow();
  EXPECT_EQ(rig.host.unloads, 1);
  EXPECT_EQ(rig.system.calls.back(), "Unload");
}

TEST(EndShow, RunsOnceEvenWhenInputArrivesAfterwards) {
  ExitRig rig;
  rig.Control().EndShow();
  rig.Control().Display_MouseDown(1, 0, 0, 0);
  rig.Control().Form_KeyDown(65, 0);
  EXPECT_EQ(rig.host.unloads, 1);
}

TEST(MouseMove, FirstMoveOnlyRecordsAndOnlyAMoveInBothCoordinatesEnds) {
  ExitRig rig;
  ExitControl& c = rig.Control();
  c.Display_MouseMove(0, 0, 100, 200);
  EXPECT_TRUE(c.Origin().Known);
  EXPECT_EQ(rig.host.unloads, 0);
  c.Display_MouseMove(0, 0, 150, 200);  // sideways only
  c.Display_MouseMove(0, 0, 100, 260);  // up and down only
  c.Display_MouseMove(0, 0, 100, 200);
  EXPECT_EQ(rig.host.unloads, 0);
  EXPECT_EQ(c.Origin().X, 100.0f);
  c.Display_MouseMove(0, 0, 101, 201);
  EXPECT_EQ(rig.host.unloads, 1);
  EXPECT_FALSE(c.Origin().Known);
}

TEST(MouseMove, AfterARefusedPasswordTheNextMoveRecordsANewOrigin) {
  ExitRig rig;
  rig.NotNT();
  rig.system.passwordAnswer = 0;
  ExitControl& c = rig.Control();
  c.Display_MouseMove(0, 0, 10, 10);
  c.Display_MouseMove(0, 0, 20, 20);
  EXPECT_FALSE(c.Ended());
  EXPECT_FALSE(c.Origin().Known);
  rig.system.passwordAnswer = 1;
  c.Display_MouseMove(0, 0, 30, 30);  // records
  EXPECT_FALSE(c.Ended());
  EXPECT_EQ(c.Origin().X, 30.0f);
  c.Display_MouseMove(0, 0, 31, 29);
  EXPECT_TRUE(c.Ended());
}

TEST(MouseMove, EmptyCommandLineIgnoresMovementButAClickOrAKeyEnds) {
  ExitRig rig(u"");
  ExitControl& c = rig.Control();
  for (int i = 0; i < 10; ++i) c.Display_MouseMove(0, 0, float(i * 37), float(i * 11));
  EXPECT_FALSE(c.Origin().Known);
  EXPECT_EQ(rig.host.unloads, 0);
  c.Display_MouseDown(2, 0, 5, 5);
  EXPECT_EQ(rig.host.unloads, 1);

  ExitRig keyed(u"");
  keyed.Control().Form_KeyDown(32, 0);
  EXPECT_EQ(keyed.host.unloads, 1);
}

TEST(Keys, ArrowKeysChangeTheCdTrackAndOtherKeysEnd) {
  ExitRig rig;
  rig.app.settings.BgmMode = 1;
  ExitControl& c = rig.Control();
  c.Form_KeyDown(kKeyLeft, 0);
  c.Form_KeyDown(kKeyRight, 0);
  c.Form_KeyDown(kKeyRight, 1);
  EXPECT_EQ(rig.music.calls, Calls{});
  EXPECT_EQ(rig.system.calls, (Calls{"CdPreviousTrack", "CdNextTrack", "CdNextTrack"}));
  EXPECT_FALSE(c.Ended());
  c.Form_KeyDown(38, 0);  // up arrow
  EXPECT_TRUE(c.Ended());
}

TEST(Keys, WithFileMusicArrowKeysEndLikeAnyOther) {
  ExitRig rig;
  rig.app.settings.BgmMode = 2;
  rig.app.settings.BgmFile = u"x.wav";
  rig.Control().Form_KeyDown(kKeyLeft, 0);
  EXPECT_TRUE(rig.Control().Ended());
  EXPECT_EQ(std::count(rig.system.calls.begin(), rig.system.calls.end(), "CdPreviousTrack"), 0);
}

TEST(Keys, FailingTrackChangeKeepsTheShowRunning) {
  ExitRig rig;
  rig.app.settings.BgmMode = 1;
  rig.music.throws = true;
  rig.Control().Form_KeyDown(kKeyRight, 0);
  EXPECT_FALSE(rig.Control().Ended());
}

}  // namespace
}  // namespace orv::test
