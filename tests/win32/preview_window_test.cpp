// The preview window inside a host window of this process (Wine shows nothing that another
// process draws into a host's window, so the pixels are checked here), and the settings
// dialog told that its monitor's DPI changed.
#include <gtest/gtest.h>

#include "core/dpi_scale.h"
#include "resources/resource_ids.h"
#include "win32/app.h"
#include "win32/dialog_window.h"
#include "win32/resource_picture.h"
#include "win32/surface_bitmap.h"

namespace orv::win {
namespace {

// Any window class does for a host: the preview covers it whole.
HWND CreateHost(int w, int h) {
  return CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"test host", WS_POPUP | WS_VISIBLE, 40, 40,
                         w, h, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// Lets the waiting messages run; true when a WM_QUIT was among them.
bool PumpMessages() {
  bool quit = false;
  for (int round = 0; round < 3; ++round, Sleep(20)) {
    for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) {
      quit |= msg.message == WM_QUIT;
      DispatchMessageW(&msg);
    }
  }
  return quit;
}

// The client area as the screen shows it now.
Surface ReadClient(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  SurfaceBitmap copy(client.right, client.bottom);
  HDC dc = GetDC(window);
  BitBlt(copy.Dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  ReleaseDC(window, dc);
  return copy.Take();
}

TEST(PreviewWindowTest, AChildCoversTheHostShowingTheStillUnscaledOnBlackAndEndsWithIt) {
  App app;
  app.instance = GetModuleHandleW(nullptr);
  const Surface still = *LoadResourcePicture(app.instance, ORV_RES_PREVIEW_STILL);
  const int w = 200, h = 80;  // wider than the still and lower
  HWND host = CreateHost(w, h);
  OpenPreviewWindow(app, host, w, h);
  PumpMessages();
  HWND preview = FindWindowExW(host, nullptr, L"Orvane_R", L"Preview Window");
  ASSERT_NE(preview, nullptr);
  const Surface shown = ReadClient(preview);
  ASSERT_EQ(shown.Width() * 1000 + shown.Height(), w * 1000 + h);
  for (int y = 0; y < h; y += 3) {
    for (int x = 0; x < w; x += 3) {
      const bool inStill = x < still.Width() && y < still.Height();
      ASSERT_EQ(shown.Pixel(x, y), inStill ? still.Pixel(x, y) : kBlack) << x << "," << y;
    }
  }
  EXPECT_FALSE(PumpMessages());  // alive while the host lives
  DestroyWindow(host);
  EXPECT_FALSE(IsWindow(preview));
  EXPECT_TRUE(PumpMessages());  // the quit request
}

// WM_DPICHANGED: the dialog takes the system's place for it, grows round the scaled layout
// and draws it, and goes back.
TEST(DialogDpiWindow, FollowsItsMonitorsDpiBothWays) {
  App app;
  app.instance = GetModuleHandleW(nullptr);
  DialogWindow dialog(app);
  ASSERT_TRUE(dialog.Open());
  for (const int dpi : {144, 96}) {
    RECT suggested{40, 30, 40 + 700, 30 + 600}, outer{}, client{};
    SendMessageW(dialog.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&suggested));
    PumpMessages();
    const auto s = [dpi](int v) { return ScaleToDpi(v, dpi); };
    GetWindowRect(dialog.Handle(), &outer);
    GetClientRect(dialog.Handle(), &client);
    EXPECT_EQ(outer.left * 1000 + outer.top, 40 * 1000 + 30) << dpi;
    EXPECT_GE(client.right, s(601)) << dpi;  // a 768-pixel screen caps the height at 144
    // The preview's light grey at its scaled centre.
    EXPECT_EQ(ReadClient(dialog.Handle()).Pixel(s(254), s(114)), 0xE0E0E0u) << dpi;
  }
}

}  // namespace
}  // namespace orv::win
