// The exit rules of the running show. Every call of the system, the music and the window
// lands in one journal, so a case reads as what the user's input made happen, in order.
#include "exitctl/exit_control.h"

#include <gtest/gtest.h>

#include "support/fake_system.h"
#include "support/show_fakes.h"

namespace orv::test {
namespace {

using Calls = std::vector<std::string>;

struct ExitRig {
  // Start-up hid the cursor in S mode.
  explicit ExitRig(const char16_t* commandLine = u"/s", int16_t bgmMode = 0, const char16_t* bgmFile = u"")
      : host(8, 8) {
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
  const Calls nt{"GetVersion", "SPI 97 0", "ShowCursor -1 -> 0", "SPI 17 1", "Unload"};
  const struct {
    const char16_t* line; VersionInfo version; int16_t bgmMode; const char16_t* bgmFile; bool cdWatch; Calls calls;
  } cases[] = {
      {u"/s", {1, 2}, 2, u"C:\\song.mp3", false,  // NT: the system asks for the password
       {"GetVersion", "Mp3Stop", "SPI 97 0", "ShowCursor -1 -> 0", "SPI 17 1", "Unload"}},
      {u"/s", {1, 1}, 1, u"", true,  // 95: the password, with the cursor shown
       {"GetVersion", "ShowCursor -1 -> 0", "VerifyScreenSavePwd 4242", "CdStop", "SPI 97 0",
        "ShowCursor 0 -> -1", "SPI 17 1", "Unload"}},
      {u"", {1, 1}, 2, u"a.WAV", false, {"WavStop", "SPI 17 1", "Unload"}},
      {u"s", {1, 1}, 2, u"a.mid", false, {"SPI 17 1", "Unload"}},
      {u"-S", {1, 2}, 1, u"a.mp3", false, nt},  // the CD watch already gave up
  };
  for (const auto& c : cases) {
    ExitRig rig(c.line, c.bgmMode, c.bgmFile);
    rig.system.version = c.version;
    rig.timer2.enabled = c.cdWatch;
    rig.music.throws = c.cdWatch;  // failing music still ends the program
    rig.control.EndShow();
    EXPECT_EQ(rig.system.calls, c.calls) << ToUtf8(c.line);
    EXPECT_FALSE(rig.timer2.enabled);
    rig.control.EndShow();  // input that arrives afterwards ends nothing more
    rig.control.Display_MouseDown(1, 0, 0, 0);
    rig.control.Form_KeyDown(65, 0);
    EXPECT_EQ(rig.host.unloads, 1);
  }
}

TEST(EndShow, ARefusedPasswordHidesTheCursorAgainAndTheShowGoesOn) {
  ExitRig rig(u"/s", 1);
  rig.system.version = {1, 1};
  rig.system.passwordAnswer = 0;
  rig.timer2.enabled = true;
  // Only a move in both coordinates from the first position asks.
  for (const auto& [x, y] : {std::pair{10, 10}, {15, 10}, {10, 16}, {20, 20}}) rig.control.Display_MouseMove(0, 0, x, y);
  EXPECT_EQ(rig.system.calls, (Calls{"GetVersion", "ShowCursor -1 -> 0", "VerifyScreenSavePwd 4242", "ShowCursor 0 -> -1"}));
  EXPECT_EQ(rig.session.savedCursorCount, -1);
  EXPECT_TRUE(rig.timer2.enabled);
  EXPECT_FALSE(rig.control.Ended());
}

TEST(Input, WithoutACommandLineMovesAreIgnoredAndWithTheCdTheSideArrowsChangeTrack) {
  ExitRig clicked(u"");
  for (int i = 0; i < 10; ++i) clicked.control.Display_MouseMove(0, 0, float(i * 37), float(i * 11));
  EXPECT_FALSE(clicked.control.Ended());
  clicked.control.Display_MouseDown(2, 0, 5, 5);
  EXPECT_TRUE(clicked.control.Ended());
  ExitRig rig(u"/s", 1);
  rig.control.Form_KeyDown(kKeyLeft, 0);
  rig.music.throws = true;  // a failing track change keeps the show running
  rig.control.Form_KeyDown(kKeyRight, 1);
  EXPECT_EQ(rig.system.calls, (Calls{"CdPreviousTrack", "CdNextTrack"}));
  EXPECT_FALSE(rig.control.Ended());
  rig.control.Form_KeyDown(38, 0);  // up arrow
  EXPECT_TRUE(rig.control.Ended());
  ExitRig file(u"/s", 2, u"x.wav");  // with file music the arrows end like any other key
  file.control.Form_KeyDown(kKeyLeft, 0);
  EXPECT_TRUE(file.control.Ended());
}

}  // namespace
}  // namespace orv::test
