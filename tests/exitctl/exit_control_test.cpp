// The exit rules of the running show. Every call of the system, the music and the window
// lands in one journal, so a case reads as what the user's input made happen, in order.
#include "exitctl/exit_control.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/fake_system.h"
#include "support/show_fakes.h"

namespace orv::test {
namespace {

using Calls = std::vector<std::string>;

struct ExitRig {
  // Start-up hid the cursor in S mode.
  explicit ExitRig(const char16_t* commandLine = u"/s", int16_t bgmMode = 0,
                   const char16_t* bgmFile = u"") : host(8, 8) {
    session.commandLine = commandLine;
    settings.BgmMode = bgmMode;
    settings.BgmFile = bgmFile;
    system.cursorCount = session.savedCursorCount = -1;
    music.journal = host.journal = &system.calls;
  }
  Settings settings;
  ExitSession session;
  FakeSystem system;
  FakeMusic music;
  FakeHost host;
  FakeTimer timer2;
  ExitControl control{ExitServices{settings, session, system, music, timer2, host}};
};

TEST(EndShow, PasswordMusicSystemStateAndCursorInTheirOrder) {
  const struct {
    const char* what;
    const char16_t* line;
    VersionInfo version;
    int16_t bgmMode;
    const char16_t* bgmFile;
    bool cdWatch;
    Calls calls;
  } cases[] = {
      {"NT: the system asks for the password", u"/s", {1, 2}, 2, u"C:\\music\\song.mp3", false,
       {"GetVersion", "Mp3Stop", "SPI 97 0", "ShowCursor -1 -> 0", "SPI 17 1", "Unload"}},
      {"95: the password, with the cursor shown", u"/s", {1, 1}, 1, u"", true,
       {"GetVersion", "ShowCursor -1 -> 0", "VerifyScreenSavePwd 4242", "CdStop", "SPI 97 0",
        "ShowCursor 0 -> -1", "SPI 17 1", "Unload"}},
      {"no switch", u"", {1, 1}, 2, u"a.WAV", false, {"WavStop", "SPI 17 1", "Unload"}},
      {"no slash", u"s", {1, 1}, 2, u"a.mid", false, {"SPI 17 1", "Unload"}},
      {"the CD watch already gave up", u"-S", {1, 2}, 1, u"a.mp3", false,
       {"GetVersion", "SPI 97 0", "ShowCursor -1 -> 0", "SPI 17 1", "Unload"}},
      {"no music", u"/s", {1, 2}, 0, u"a.mp3", false,
       {"GetVersion", "SPI 97 0", "ShowCursor -1 -> 0", "SPI 17 1", "Unload"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ExitRig rig(c.line, c.bgmMode, c.bgmFile);
    rig.system.version = c.version;
    rig.timer2.enabled = c.cdWatch;
    rig.control.EndShow();
    EXPECT_EQ(rig.system.calls, c.calls);
    EXPECT_TRUE(rig.control.Ended());
    EXPECT_FALSE(rig.timer2.enabled);
    rig.control.EndShow();  // input that arrives afterwards ends nothing more
    rig.control.Display_MouseDown(1, 0, 0, 0);
    rig.control.Form_KeyDown(65, 0);
    EXPECT_EQ(rig.host.unloads, 1);
  }
}

TEST(EndShow, ARefusedPasswordHidesTheCursorAgainAndTheShowGoesOnWithItsMusic) {
  ExitRig rig(u"/s", 1);
  rig.system.version = {1, 1};
  rig.system.passwordAnswer = 0;
  rig.timer2.enabled = true;
  rig.control.Display_MouseMove(0, 0, 10, 10);
  rig.control.Display_MouseMove(0, 0, 20, 20);
  EXPECT_EQ(rig.system.calls, (Calls{"GetVersion", "ShowCursor -1 -> 0",
                                     "VerifyScreenSavePwd 4242", "ShowCursor 0 -> -1"}));
  EXPECT_EQ(rig.session.savedCursorCount, -1);
  EXPECT_FALSE(rig.control.Ended());
  EXPECT_TRUE(rig.timer2.enabled);
  // The next move records a new origin; a move in both coordinates from there asks again.
  rig.control.Display_MouseMove(0, 0, 30, 30);
  EXPECT_FALSE(rig.control.Ended());
  EXPECT_EQ(rig.control.Origin().X, 30.0f);
  rig.system.passwordAnswer = 1;
  rig.control.Display_MouseMove(0, 0, 31, 29);
  EXPECT_TRUE(rig.control.Ended());
  EXPECT_FALSE(rig.control.Origin().Known);
}

TEST(EndShow, FailingMusicStillEndsTheProgram) {
  ExitRig rig(u"/s", 1);
  rig.timer2.enabled = true;
  rig.music.throws = true;
  rig.control.EndShow();
  EXPECT_EQ(rig.system.calls.back(), "Unload");
}

TEST(Input, OnlyAMoveInBothCoordinatesFromTheFirstPositionEnds) {
  ExitRig rig;
  for (const auto& [x, y] : {std::pair{100, 200}, {150, 200}, {100, 260}, {100, 200}}) {
    rig.control.Display_MouseMove(0, 0, float(x), float(y));
  }
  EXPECT_EQ(rig.control.Origin().X, 100.0f);
  EXPECT_FALSE(rig.control.Ended());
  rig.control.Display_MouseMove(0, 0, 101, 201);
  EXPECT_TRUE(rig.control.Ended());
  // Without a command line moves are ignored, but a click or a key ends.
  ExitRig clicked(u""), keyed(u"");
  for (int i = 0; i < 10; ++i) clicked.control.Display_MouseMove(0, 0, float(i * 37), float(i * 11));
  EXPECT_FALSE(clicked.control.Origin().Known);
  EXPECT_FALSE(clicked.control.Ended());
  clicked.control.Display_MouseDown(2, 0, 5, 5);
  keyed.control.Form_KeyDown(32, 0);
  EXPECT_EQ(clicked.host.unloads + keyed.host.unloads, 2);
}

TEST(Input, WithTheCdTheSideArrowsChangeTrackAndOtherKeysEnd) {
  ExitRig rig(u"/s", 1);
  rig.control.Form_KeyDown(kKeyLeft, 0);
  rig.control.Form_KeyDown(kKeyRight, 1);
  rig.music.throws = true;  // a failing track change keeps the show running
  rig.control.Form_KeyDown(kKeyRight, 0);
  EXPECT_EQ(rig.system.calls, (Calls{"CdPreviousTrack", "CdNextTrack", "CdNextTrack"}));
  EXPECT_FALSE(rig.control.Ended());
  rig.control.Form_KeyDown(38, 0);  // up arrow
  EXPECT_TRUE(rig.control.Ended());
  ExitRig file(u"/s", 2, u"x.wav");  // with file music the arrows end like any other key
  file.control.Form_KeyDown(kKeyLeft, 0);
  EXPECT_TRUE(file.control.Ended());
}

}  // namespace
}  // namespace orv::test
