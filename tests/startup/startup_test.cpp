// Start-up: what each command line opens, the preview's size and still, and the geometry
// of the dialog's window effects.
#include <gtest/gtest.h>

#include <tuple>

#include "dialog/window_geometry.h"
#include "startup/main_logic.h"
#include "startup/preview.h"
#include "support/fake_file_system.h"
#include "support/fake_system.h"

namespace orv {
namespace {

using Strings = std::vector<std::string>;

// Every window the program opens, as one line: "display", "dialog" or "preview <host> <w>x<h>".
struct RecordingHost : StartupHost {
  ScreenRect rect{};
  Strings opened;
  ScreenRect WindowRect(WindowHandle) override { return rect; }
  double TwipsPerPixelX() override { return 15; }
  double TwipsPerPixelY() override { return 12; }
  void OpenPreview(WindowHandle host, int32_t w, int32_t h) override {
    opened.push_back("preview " + std::to_string(host) + " " + std::to_string(w) + "x" + std::to_string(h));
  }
  void RunSettingsDialog() override { opened.push_back("dialog"); }
  void OpenDisplay() override { opened.push_back("display"); }
};

struct FirstRandom : Random {  // always the first picture not yet taken
  void Reseed() override {}
  double Next() override { return 0.0; }
};

struct MainTest : ::testing::Test {
  MainTest() {
    fs.AddFile(u"C:\\p\\a.bmp");
    fs.AddFile(u"C:\\p\\b.gif");
    // 画像のﾌｫﾙﾀﾞ=C:\p, 画像ﾁｪﾝｼﾞ=1
    fs.AddFile(u"C:\\S\\Orvane.ini", "[Section]\r\n\x89\xE6\x91\x9C\x82\xCC\xCC\xAB\xD9\xC0\xDE=C:\\p\r\n"
                                     "\x89\xE6\x91\x9C\xC1\xAA\xDD\xBC\xDE=1\r\n");
  }
  StartResult Run(const char16_t* commandLine) {
    app = AppState();
    app.commandLine = commandLine;
    host.opened.clear();
    system.calls.clear();
    StartupServices services{system, fs, store, random, host};
    return Main(app, services);
  }
  test::FakeFileSystem fs;
  test::FakeSystem system;
  SettingsStore store{fs, u"C:\\S", u""};
  FirstRandom random;
  RecordingHost host;
  AppState app;
};

TEST_F(MainTest, EachModeOpensItsWindowOrEnds) {
  host.rect = {100, 50, 252, 162};
  // The cursor's display count after start-up, which the show keeps to restore.
  const struct {
    const char16_t* line; StartResult result; Strings opened; int32_t cursor; int16_t pictures;
  } cases[] = {
      {u"-S", StartResult::kWindowOpen, {"display"}, -1, 2},
      {u"/scr", StartResult::kWindowOpen, {"display"}, -1, 2},
      {u"", StartResult::kWindowOpen, {"display"}, 0, 2},
      {u"/c:1234", StartResult::kEnded, {"dialog"}, 0, 2},
      {u"s", StartResult::kEnded, {}, 0, 2},
      {u"/P:77", StartResult::kWindowOpen, {"preview 77 152x112"}, 0, 0},  // reads nothing
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(ToUtf8(c.line));
    system.cursorCount = 0;
    EXPECT_EQ(Run(c.line), c.result);
    EXPECT_EQ(host.opened, c.opened);
    EXPECT_EQ(system.cursorCount, c.cursor);
    EXPECT_EQ(app.savedCursorCount, c.cursor);
    EXPECT_EQ(app.imageCount, c.pictures);
    EXPECT_EQ(app.settings.ChangeMode, c.pictures ? 1 : 0);
  }
  Run(u"/s");
  EXPECT_EQ(app.imageOrder, (std::vector<int16_t>{0, 1, 2}));
}

TEST_F(MainTest, PasswordChangeOnlyOutsideTheNtFamilyAndOnlyWithANumber) {
  const std::pair<const char16_t*, std::string> cases[] = {
      {u"/a:  77 ", "PwdChangePassword SCRSAVE 77"}, {u"/a 12x", "GetVersion"}, {u"/a 99999999999", "GetVersion"}};
  for (const auto& [line, lastCall] : cases) {
    system.version = {1, 1};
    EXPECT_EQ(Run(line), StartResult::kEnded);
    EXPECT_EQ(system.calls.back(), lastCall) << ToUtf8(line);
    system.version = {1, 2};  // the NT family owns the password
    Run(line);
    EXPECT_EQ(system.calls.back(), "GetVersion");
  }
  EXPECT_TRUE(host.opened.empty());
}

TEST_F(MainTest, ThePreviewCoversAHostOfAnySize) {
  const std::pair<ScreenRect, std::string> cases[] = {
      {{-7, 0, 3833, 2160}, "preview 5 3840x2160"},  // beyond 16 bits in twips
      {{INT32_MIN, 0, INT32_MAX, 10}, "preview 5 2147483647x10"},  // beyond 32 bits
      {{0, INT32_MAX, 0, INT32_MIN}, "preview 5 0x-2147483648"}};
  for (const auto& [rect, opened] : cases) {
    host.rect = rect;
    EXPECT_EQ(Run(u"/p 5"), StartResult::kWindowOpen);
    EXPECT_EQ(host.opened, Strings{opened});
  }
  EXPECT_EQ(PreviewExtent(0, 10, 0), 0);
}

TEST(CommandLine, ProgramPathAndPreviewHandle) {
  EXPECT_EQ(ArgumentsOf(u"\"C:\\Program Files\\Orvane.scr\"  /s"), u"/s");
  EXPECT_EQ(ArgumentsOf(u"C:\\WINDOWS\\ORVANE.SCR\t/p 1234"), u"/p 1234");
  EXPECT_EQ(ArgumentsOf(u"\"unterminated /s"), u"");
  const std::pair<Text, int32_t> handles[] = {
      {u"/p:1 2\t3", 123}, {u"/p 12.5", 12}, {u"/p -7", -7}, {u"/p 99999999999999999999", 0}, {Text(100000, u'9'), 0}};
  for (const auto& [line, handle] : handles) EXPECT_EQ(PreviewHandle(line), handle) << ToUtf8(line);
}

// Areas wider and narrower than the still are shown on a real window in the Win32 layer's
// tests; here, sizes no window has.
TEST(PreviewStill, AnAreaOrAStillOfNoSizeShowsNothingAndNoHostEndsThePreview) {
  EXPECT_EQ(VisibleStillPart({kPreviewStillWidth, kPreviewStillHeight}, {INT32_MIN, 80}).width, 0);
  EXPECT_EQ(VisibleStillPart({-1, 0}, {152, 112}).width, 0);  // a still that failed to load
  EXPECT_EQ(PreviewFateFor(false), PreviewFate::kEndNow);
}

auto Tie(const ScreenRect& r) { return std::tuple(r.left, r.top, r.right, r.bottom); }

TEST(WindowGeometry, FrameEdges) {
  // A preview surface sized from a fitted picture keeps fractions until here: halves to even.
  EXPECT_EQ(Tie(*FrameEdgeRect({0.5, 1.5, 66.5, 99.5000001})), std::tuple(0, 2, 66, 100));
  EXPECT_EQ(Tie(*FrameEdgeRect({-2.5, -3.5, 10.49, 2147483647.0})), std::tuple(-2, -4, 10, 2147483647));
  EXPECT_FALSE(FrameEdgeRect({0, -3e9, 3e9, 10}));  // beyond 32 bits: no edge
}

}  // namespace
}  // namespace orv
