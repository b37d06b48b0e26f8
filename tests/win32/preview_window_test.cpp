// The preview window inside a host window of this process (Wine shows nothing that another
// process draws into a host's window, so the pixels are checked here), and the raised edge
// the dialog's preview draws with the system's colours.
#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "startup/preview.h"
#include "test_support.h"
#include "win32/app.h"
#include "win32/resource_picture.h"
#include "win32/surface_bitmap.h"
#include "win32/window_effects.h"

namespace orv::win {
namespace {

TEST(PreviewWindowTest, AChildCoversTheHostShowingTheStillUnscaledOnBlackAndEndsWithIt) {
  App app;
  app.instance = GetModuleHandleW(nullptr);
  const Surface still = *LoadResourcePicture(app.instance, ORV_RES_PREVIEW_STILL);
  ASSERT_EQ(still.Width(), kPreviewStillWidth);
  ASSERT_EQ(still.Height(), kPreviewStillHeight);
  for (const auto& [w, h] : {std::pair{152, 112}, {200, 150}, {100, 80}}) {
    SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
    HWND host = test::CreatePlainWindow(40, 40, w, h);
    OpenPreviewWindow(app, host, w, h);
    test::PumpMessages();
    HWND preview = FindWindowExW(host, nullptr, L"Orvane_R", L"Preview Window");
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(GetWindowLongPtrW(preview, GWL_STYLE) & (WS_CHILD | WS_POPUP | WS_VISIBLE),
              WS_CHILD | WS_VISIBLE);
    RECT r{}, hr{};
    GetWindowRect(preview, &r);
    GetWindowRect(host, &hr);
    EXPECT_TRUE(EqualRect(&r, &hr));
    const Surface shown = test::ReadClient(preview);
    ASSERT_EQ(shown.Width(), w);
    for (int y = 0; y < h; y += 3) {
      for (int x = 0; x < w; x += 3) {
        const bool inStill = x < still.Width() && y < still.Height();
        ASSERT_EQ(shown.Pixel(x, y), inStill ? still.Pixel(x, y) : kBlack) << x << "," << y;
      }
    }
    EXPECT_FALSE(test::PumpMessages());  // alive while the host lives
    DestroyWindow(host);
    EXPECT_FALSE(IsWindow(preview));
    EXPECT_TRUE(test::PumpMessages());  // the quit request
  }
  OpenPreviewWindow(app, nullptr, 0, 0);  // a handle that names no window
  EXPECT_TRUE(test::PumpMessages());
  EXPECT_EQ(FindWindowW(L"Orvane_R", nullptr), nullptr);
}

uint32_t System(int index) {
  const COLORREF c = GetSysColor(index);
  return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

TEST(DrawFrameEdgeTest, ARaisedEdgeFollowsTheScaleRoundedHalfToEvenAndNeverOverflows) {
  constexpr uint32_t kInside = 0x123456;
  const struct { SurfaceScale scale; std::vector<std::tuple<int, int, int>> expected; } cases[] = {
      {{0, 0, 100, 75}, {{50, 0, COLOR_3DLIGHT}, {0, 37, COLOR_3DLIGHT}, {50, 74, COLOR_3DDKSHADOW},
                         {99, 37, COLOR_3DDKSHADOW}, {50, 1, COLOR_3DHILIGHT}, {98, 37, COLOR_3DSHADOW},
                         {2, 2, -1}, {97, 72, -1}}},
      {{0, 0, 66.5, 99.5}, {{65, 50, COLOR_3DDKSHADOW}, {66, 50, -1}, {30, 99, COLOR_3DDKSHADOW}}},
      {{0, 0, 5e9, 10}, {{0, 0, -1}, {99, 99, -1}}},  // beyond 32 bits: left alone
  };
  for (const auto& c : cases) {
    SurfaceBitmap bitmap(100, 100);
    bitmap.Put(Surface(100, 100, kInside), 0, 0);
    DrawFrameEdge(bitmap.Dc(), c.scale, EDGE_RAISED);
    const Surface s = bitmap.Take();
    for (const auto& [x, y, colour] : c.expected) {
      EXPECT_EQ(s.Pixel(x, y), colour < 0 ? kInside : System(colour)) << c.scale.width << ": " << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace orv::win
