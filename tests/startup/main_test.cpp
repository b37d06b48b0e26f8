#include "startup/main_logic.h"

#include <gtest/gtest.h>

#include "support/fake_file_system.h"
#include "support/fake_system.h"

namespace orv {
namespace {

struct RecordingHost : StartupHost {
  ScreenRect rect{};
  std::vector<std::string> calls;
  WindowHandle previewHost = -1;
  int32_t previewW = -1, previewH = -1;
  ScreenRect WindowRect(WindowHandle window) override {
    calls.push_back("GetWindowRect " + std::to_string(window));
    return rect;
  }
  double TwipsPerPixelX() override { return 15; }
  double TwipsPerPixelY() override { return 15; }
  void OpenPreview(WindowHandle host, int32_t w, int32_t h) override {
    calls.push_back("preview");
    previewHost = host, previewW = w, previewH = h;
  }
  void RunSettingsDialog() override { calls.push_back("dialog"); }
  void OpenDisplay() override { calls.push_back("display"); }
};

struct FixedRandom : Random {
  void Reseed() override {}
  double Next() override { return 0.0; }
};

class MainTest : public ::testing::Test {
 protected:
  MainTest() {
    fs.AddFile(u"C:\\p\\a.bmp");
    fs.AddFile(u"C:\\p\\b.gif");
    fs.AddFile(store.BesideProgram(), "[Section]\r\n\x89\xE6\x91\x9C\x82\xCC\xCC\xAB\xD9\xC0\xDE=C:\\p\r\n");
  }
  StartResult Run(const char16_t* commandLine) {
    app = AppState();
    app.commandLine = commandLine;
    StartupServices services{system, fs, store, random, host};
    return Main(app, services);
  }
  bool CursorHidden() const {
    for (const auto& c : system.calls) {
      if (c.rfind("ShowCursor", 0) == 0) return true;
    }
    return false;
  }
  test::FakeFileSystem fs;
  test::FakeSystem system;
  SettingsStore store{fs, u"C:\\S", u""};
  FixedRandom random;
  RecordingHost host;
  AppState app;
};

TEST_F(MainTest, ShowSwitchesInAnyFormRunTheShowWithTheCursorHidden) {
  for (const char16_t* line : {u"/S", u"/s", u"-s", u"/scr"}) {
    system.calls.clear();
    system.cursorCount = 0;
    host.calls.clear();
    EXPECT_EQ(Run(line), StartResult::kWindowOpen);
    EXPECT_EQ(host.calls, std::vector<std::string>{"display"});
    EXPECT_TRUE(CursorHidden());
    EXPECT_EQ(app.savedCursorCount, -1);
    EXPECT_EQ(app.imageCount, 2);
    EXPECT_EQ(app.imageOrder, (std::vector<int16_t>{0, 1, 2}));
  }
}

TEST_F(MainTest, EmptyCommandLineRunsTheShowWithTheCursorVisible) {
  EXPECT_EQ(Run(u""), StartResult::kWindowOpen);
  EXPECT_EQ(host.calls, std::vector<std::string>{"display"});
  EXPECT_FALSE(CursorHidden());
}

TEST_F(MainTest, NoPicturesStillRunsTheShowWithoutAnOrder) {
  fs.Remove(u"C:\\p");
  EXPECT_EQ(Run(u"/s"), StartResult::kWindowOpen);
  EXPECT_EQ(app.imageCount, 0);
  EXPECT_TRUE(app.imageOrder.empty());
}

TEST_F(MainTest, OtherLettersEndAfterReadingTheSettings) {
  for (const char16_t* line : {u"/x", u"s", u"/", u"/\u00e9"}) {
    host.calls.clear();
    EXPECT_EQ(Run(line), StartResult::kEnded);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(app.settings.SizeMode, 1);  // defaults were loaded
    EXPECT_EQ(app.imageCount, 2);
    EXPECT_FALSE(CursorHidden());
  }
}

TEST_F(MainTest, ConfigureOpensTheDialogWhateverFollowsTheLetter) {
  for (const char16_t* line : {u"/c", u"/C:1234", u"-c 99"}) {
    host.calls.clear();
    EXPECT_EQ(Run(line), StartResult::kEnded);
    EXPECT_EQ(host.calls, std::vector<std::string>{"dialog"});
  }
}

TEST_F(MainTest, RunningCopyEndsEveryStartAfterBothLookUps) {
  for (const char16_t* title : {u"Orvane_Main", u"Orvaneの設定"}) {
    system.windows = {title};
    for (const char16_t* line : {u"/s", u"/c", u"/p 1234", u""}) {
      system.calls.clear();
      host.calls.clear();
      EXPECT_EQ(Run(line), StartResult::kEnded);
      EXPECT_TRUE(host.calls.empty());
      EXPECT_EQ(system.calls, (std::vector<std::string>{"FindWindow Orvane_Main",
                                                        "FindWindow Orvaneの設定"}));
    }
  }
}

TEST_F(MainTest, PasswordChangeOnlyOutsideTheNtFamilyAndOnlyWithANumber) {
  EXPECT_EQ(Run(u"/a 1234"), StartResult::kEnded);
  EXPECT_EQ(std::count(system.calls.begin(), system.calls.end(), "PwdChangePassword SCRSAVE 1234"), 0);
  system.version = {1, 1};
  Run(u"/a 1234");
  EXPECT_EQ(system.calls.back(), "PwdChangePassword SCRSAVE 1234");
  system.calls.clear();
  Run(u"/a:  77 ");
  EXPECT_EQ(system.calls.back(), "PwdChangePassword SCRSAVE 77");
  for (const char16_t* line : {u"/a 12x", u"/a", u"/a 99999999999"}) {
    system.calls.clear();
    Run(line);
    EXPECT_NE(system.calls.back().rfind("PwdChangePassword", 0), 0u) << ToUtf8(line);
  }
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(MainTest, PreviewReadsNoSettingsAndCoversTheHostWindow) {
  host.rect = {100, 50, 252, 162};
  EXPECT_EQ(Run(u"/p 1234"), StartResult::kWindowOpen);
  EXPECT_EQ(host.previewHost, 1234);
  EXPECT_EQ(host.previewW, 152);
  EXPECT_EQ(host.previewH, 112);
  EXPECT_EQ(app.settings.SizeMode, 0);  // nothing was loaded
  EXPECT_EQ(fs.listCalls, 0);
  Run(u"/p:1234");
  EXPECT_EQ(host.previewHost, 1234);
  Run(u"/p");
  EXPECT_EQ(host.previewHost, 0);
}

TEST_F(MainTest, PreviewOfAHugeHostDoesNotEndTheProgram) {
  host.rect = {0, 0, 3840, 2160};  // 57600 twips: beyond 16 bits
  EXPECT_EQ(Run(u"/p 5"), StartResult::kWindowOpen);
  EXPECT_EQ(host.previewW, 3840);
  EXPECT_EQ(host.previewH, 2160);
  host.rect = {INT32_MIN, 0, INT32_MAX, 10};  // the difference overflows 32 bits
  EXPECT_EQ(Run(u"/p 5"), StartResult::kWindowOpen);
  EXPECT_EQ(host.previewW, INT32_MAX);
}

TEST(PreviewHandle, ReadsTheNumberLeniently) {
  EXPECT_EQ(PreviewHandle(u"/p 1234"), 1234);
  EXPECT_EQ(PreviewHandle(u"/p:1 2\t3"), 123);
  EXPECT_EQ(PreviewHandle(u"/p 12.5"), 12);
  EXPECT_EQ(PreviewHandle(u"/p 13.5"), 14);
  EXPECT_EQ(PreviewHandle(u"/p -7"), -7);
  EXPECT_EQ(PreviewHandle(u"/p abc"), 0);
  EXPECT_EQ(PreviewHandle(u"/p 99999999999999999999"), 0);
  EXPECT_EQ(PreviewHandle(Text(100000, u'9')), 0);
}

TEST(ArgumentsOf, DropsTheProgramPathQuotedOrNot) {
  EXPECT_EQ(ArgumentsOf(u"\"C:\\Program Files\\Orvane.scr\" /s"), u"/s");
  EXPECT_EQ(ArgumentsOf(u"C:\\WINDOWS\\ORVANE.SCR /p 1234"), u"/p 1234");
  EXPECT_EQ(ArgumentsOf(u"Orvane.scr"), u"");
  EXPECT_EQ(ArgumentsOf(u"\"unterminated /s"), u"");
  EXPECT_EQ(ArgumentsOf(u""), u"");
}

TEST(ModeLetter, IsTheSecondCharacterUpperCased) {
  EXPECT_EQ(ModeLetter(u"/s"), u"S");
  EXPECT_EQ(ModeLetter(u"-c:12"), u"C");
  EXPECT_EQ(ModeLetter(u"s"), u"");
  EXPECT_EQ(ModeLetter(u""), u"");
}

}  // namespace
}  // namespace orv
