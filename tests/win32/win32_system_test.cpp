// The single-instance check: top-level windows found by their exact UTF-16 title.
#include "win32/system_calls.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "startup/main_logic.h"
#include "win32/wide.h"

namespace orv::win::test {
namespace {

class Window {
 public:
  Window(const Text& title, HWND parent = nullptr, bool visible = false) {
    static const ATOM cls = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = DefWindowProcW;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"OrvaneTestWindow";
      return RegisterClassW(&wc);
    }();
    const DWORD style = (parent ? WS_CHILD : WS_OVERLAPPEDWINDOW) | (visible ? WS_VISIBLE : 0);
    hwnd = CreateWindowExW(0, MAKEINTATOM(cls), Wide(title).c_str(), style, 10, 10, 200, 100,
                           parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~Window() {
    if (hwnd) DestroyWindow(hwnd);
  }
  HWND hwnd;
};

TEST(Win32SystemTopLevelWindowExists, FindsTheJapaneseDialogTitleExactly) {
  Win32System system;
  ASSERT_FALSE(system.TopLevelWindowExists(kDialogTitle)) << "another copy is running";
  {
    Window dialog(kDialogTitle);
    ASSERT_NE(dialog.hwnd, nullptr);
    wchar_t title[64] = {};
    GetWindowTextW(dialog.hwnd, title, 64);
    ASSERT_EQ(FromWide(title), kDialogTitle);

    EXPECT_TRUE(system.TopLevelWindowExists(kDialogTitle));
    EXPECT_FALSE(system.TopLevelWindowExists(u"Orvaneの設"));
    EXPECT_FALSE(system.TopLevelWindowExists(u"Orvaneの設定 "));
    EXPECT_FALSE(system.TopLevelWindowExists(kDisplayTitle));
  }
  EXPECT_FALSE(system.TopLevelWindowExists(kDialogTitle));
}

TEST(Win32SystemTopLevelWindowExists, FindsTheVisibleDisplayWindow) {
  Win32System system;
  Window display(kDisplayTitle, nullptr, /*visible=*/true);
  ASSERT_NE(display.hwnd, nullptr);
  EXPECT_TRUE(system.TopLevelWindowExists(kDisplayTitle));
  EXPECT_FALSE(system.TopLevelWindowExists(kDialogTitle));
}

TEST(Win32SystemTopLevelWindowExists, ChildWindowsDoNotCount) {
  Win32System system;
  Window host(u"Preview host");
  Window child(kDialogTitle, host.hwnd, /*visible=*/true);
  ASSERT_NE(child.hwnd, nullptr);
  EXPECT_FALSE(system.TopLevelWindowExists(kDialogTitle));
}

}  // namespace
}  // namespace orv::win::test
