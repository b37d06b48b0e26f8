// The preview window inside a host window of this process (Wine shows nothing that another
// process draws into a host's window, so the pixels are checked here).
#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "startup/preview.h"
#include "win32/app.h"
#include "win32/resource_picture.h"
#include "window_test_support.h"

namespace orv::win {
namespace {

class PreviewWindowTest : public ::testing::Test {
 protected:
  PreviewWindowTest() { app.instance = GetModuleHandleW(nullptr); }
  ~PreviewWindowTest() override {
    if (host && IsWindow(host)) DestroyWindow(host);
    test::PumpMessages();
  }

  // A host of w x h with the preview opened in it; returns the preview window.
  HWND OpenIn(int w, int h) {
    host = test::CreatePlainWindow(40, 40, w, h);
    OpenPreviewWindow(app, host, w, h);
    test::PumpMessages();
    return FindWindowExW(host, nullptr, L"Orvane_R", L"Preview Window");
  }

  App app;
  HWND host = nullptr;
  const Surface still = *LoadResourcePicture(GetModuleHandleW(nullptr), ORV_RES_PREVIEW_STILL);
};

TEST_F(PreviewWindowTest, StillResourceDecodesAtTheStandardPreviewSize) {
  EXPECT_EQ(still.Width(), kPreviewStillWidth);
  EXPECT_EQ(still.Height(), kPreviewStillHeight);
  // Mostly the blue ground.
  int blue = 0;
  for (uint32_t c : still.Pixels()) blue += (c & 0xFF) > ((c >> 16) & 0xFF) + 60;
  EXPECT_GT(blue, int(still.Pixels().size()) / 2);
}

TEST_F(PreviewWindowTest, BecomesAVisibleChildCoveringTheHost) {
  HWND preview = OpenIn(200, 150);
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(GetParent(preview), host);
  const LONG_PTR style = GetWindowLongPtrW(preview, GWL_STYLE);
  EXPECT_TRUE(style & WS_CHILD);
  EXPECT_FALSE(style & WS_POPUP);
  EXPECT_TRUE(IsWindowVisible(preview));
  RECT r{};
  GetWindowRect(preview, &r);
  RECT h{};
  GetWindowRect(host, &h);
  EXPECT_EQ(r.left, h.left);
  EXPECT_EQ(r.top, h.top);
  EXPECT_EQ(r.right - r.left, 200);
  EXPECT_EQ(r.bottom - r.top, 150);
}

TEST_F(PreviewWindowTest, StandardAreaShowsTheWholeStillWithoutMargin) {
  HWND preview = OpenIn(152, 112);
  ASSERT_NE(preview, nullptr);
  const Surface shown = test::ReadClient(preview);
  ASSERT_EQ(shown.Width(), 152);
  EXPECT_EQ(shown, still);
}

TEST_F(PreviewWindowTest, LargerAreaShowsTheStillTopLeftAndBlackElsewhere) {
  HWND preview = OpenIn(200, 150);
  ASSERT_NE(preview, nullptr);
  const Surface shown = test::ReadClient(preview);
  ASSERT_EQ(shown.Width(), 200);
  ASSERT_EQ(shown.Height(), 150);
  for (int y : {0, 55, 111}) {
    for (int x : {0, 76, 151}) EXPECT_EQ(shown.Pixel(x, y), still.Pixel(x, y)) << x << "," << y;
  }
  for (const auto& [x, y] : {std::pair{152, 0}, {199, 60}, {0, 112}, {199, 149}}) {
    EXPECT_EQ(shown.Pixel(x, y), kBlack) << x << "," << y;
  }
}

TEST_F(PreviewWindowTest, SmallerAreaCutsTheStillUnscaled) {
  HWND preview = OpenIn(100, 80);
  ASSERT_NE(preview, nullptr);
  const Surface shown = test::ReadClient(preview);
  ASSERT_EQ(shown.Width(), 100);
  ASSERT_EQ(shown.Height(), 80);
  for (int y = 0; y < 80; y += 13) {
    for (int x = 0; x < 100; x += 11) EXPECT_EQ(shown.Pixel(x, y), still.Pixel(x, y));
  }
  EXPECT_EQ(shown.Pixel(99, 79), still.Pixel(99, 79));
}

TEST_F(PreviewWindowTest, DestroyingTheHostEndsTheProgram) {
  HWND preview = OpenIn(152, 112);
  ASSERT_NE(preview, nullptr);
  EXPECT_FALSE(test::PumpMessages());  // alive while the host lives
  DestroyWindow(host);
  EXPECT_FALSE(IsWindow(preview));
  EXPECT_TRUE(test::PumpMessages());  // the quit request
}

TEST_F(PreviewWindowTest, AHandleThatNamesNoWindowEndsAtOnce) {
  OpenPreviewWindow(app, nullptr, 0, 0);
  EXPECT_TRUE(test::PumpMessages());
  EXPECT_EQ(FindWindowW(L"Orvane_R", nullptr), nullptr);
}

}  // namespace
}  // namespace orv::win
