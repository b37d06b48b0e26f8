// The settings dialog told that its monitor's DPI changed (WM_DPICHANGED): it takes the
// system's place for it, grows round the scaled layout and draws it, and goes back.
#include <gtest/gtest.h>

#include "core/dpi_scale.h"
#include "win32/dialog_window.h"
#include "test_support.h"

namespace orv::win {
namespace {

TEST(DialogDpiWindow, FollowsItsMonitorsDpiBothWays) {
  App app;
  app.instance = GetModuleHandleW(nullptr);
  DialogWindow dialog(app);
  ASSERT_TRUE(dialog.Open());
  for (const int dpi : {144, 96}) {
    RECT suggested{40, 30, 40 + 700, 30 + 600}, outer{}, client{}, list{};
    SendMessageW(dialog.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&suggested));
    test::PumpMessages();
    const auto s = [dpi](int v) { return ScaleToDpi(v, dpi); };
    GetWindowRect(dialog.Handle(), &outer);
    GetClientRect(dialog.Handle(), &client);
    EXPECT_EQ(outer.left * 1000 + outer.top, 40 * 1000 + 30) << dpi;
    EXPECT_GE(outer.right - outer.left, s(609)) << dpi;
    EXPECT_GE(client.right * 10000 + client.bottom, s(601) * 10000 + s(533)) << dpi;
    GetWindowRect(FindWindowExW(dialog.Handle(), nullptr, L"LISTBOX", nullptr), &list);
    MapWindowPoints(nullptr, dialog.Handle(), reinterpret_cast<POINT*>(&list), 2);
    EXPECT_EQ(list.left * 1000 + list.top, s(24) * 1000 + s(80)) << dpi;
    EXPECT_EQ(list.right - list.left, s(169)) << dpi;
    // The preview's light grey at its scaled centre.
    EXPECT_EQ(test::ReadClient(dialog.Handle()).Pixel(s(254), s(114)), 0xE0E0E0u) << dpi;
  }
}

}  // namespace
}  // namespace orv::win
