// The settings dialog's window in this process: the real controls where the layout puts
// them, scroll events reaching the sliders, the ways it closes, and a picture chosen in the
// list drawn fitted into the preview with its raised edge.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "dialog/dialog_canvas.h"
#include "test_support.h"
#include "win32/dialog_window.h"
#include "win32/wide.h"

namespace orv::win {
namespace {

class DialogWindowTest : public ::testing::Test {
 protected:
  DialogWindowTest() {
    app.instance = GetModuleHandleW(nullptr);
    DeleteFileW(Wide(app.store.BesideProgram()).c_str());
  }
  ~DialogWindowTest() override {
    dialog.reset();
    test::PumpMessages();
    DeleteFileW(Wide(app.store.BesideProgram()).c_str());
  }
  HWND Open() {
    dialog = std::make_unique<DialogWindow>(app);
    EXPECT_TRUE(dialog->Open());
    test::PumpMessages();
    return dialog->Handle();
  }
  // The child of this class at this client position, or null.
  HWND Child(const wchar_t* className, int x, int y) {
    for (HWND w = GetWindow(dialog->Handle(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
      wchar_t name[64] = {};
      GetClassNameW(w, name, 64);
      RECT r{};
      GetWindowRect(w, &r);
      MapWindowPoints(nullptr, dialog->Handle(), reinterpret_cast<POINT*>(&r), 2);
      if (!lstrcmpiW(name, className) && r.left == x && r.top == y) return w;
    }
    return nullptr;
  }
  void Click(Ctl name, int16_t index) {
    const ClientRect r = ControlRect(*FindLayout({name, index}));
    const LPARAM at = MAKELPARAM(r.x + r.width / 2, r.y + r.height / 2);
    SendMessageW(dialog->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(dialog->Handle(), WM_LBUTTONUP, 0, at);
    test::PumpMessages();
  }
  bool SettingsWritten() {
    return GetFileAttributesW(Wide(app.store.FileToRead()).c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  App app;
  std::unique_ptr<DialogWindow> dialog;
};

TEST_F(DialogWindowTest, OpensCentredWithTheRealControlsWhereTheLayoutPutsThem) {
  HWND window = Open();
  EXPECT_TRUE(IsWindowVisible(window));
  RECT r{};
  GetWindowRect(window, &r);
  EXPECT_EQ(r.right - r.left, 609);
  EXPECT_EQ(r.bottom - r.top, 560);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 609) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 560) / 2);

  HWND list = Child(L"ListBox", 24, 80);
  ASSERT_NE(list, nullptr);
  GetWindowRect(list, &r);
  EXPECT_EQ(r.right - r.left, 169);
  EXPECT_EQ(r.bottom - r.top, 225);
  EXPECT_EQ(SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0), 469);
  const struct { int x, y, low, high; } bars[] = {{484, 52, 10, 60}, {436, 212, 10, 200}};
  for (const auto& bar : bars) {
    HWND scroll = Child(L"ScrollBar", bar.x, bar.y);
    ASSERT_NE(scroll, nullptr) << bar.x << "," << bar.y;
    int low = 0, high = 0;
    GetScrollRange(scroll, SB_CTL, &low, &high);
    EXPECT_EQ(low, bar.low);
    EXPECT_EQ(high, bar.high);
  }
  HWND combo = Child(L"ComboBox", 200, 372);
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 31);
  EXPECT_FALSE(IsWindowEnabled(combo));  // no music chosen: the track box waits
}

TEST_F(DialogWindowTest, ScrollBarsMoveTheSlidersAndTheDefaultsButtonResetsThem) {
  HWND window = Open(), interval = Child(L"ScrollBar", 484, 52), pieces = Child(L"ScrollBar", 436, 212);
  ASSERT_TRUE(interval && pieces);
  SendMessageW(window, WM_HSCROLL, SB_PAGERIGHT, LPARAM(interval));
  EXPECT_EQ(GetScrollPos(interval, SB_CTL), 20);
  EXPECT_EQ(dialog->Model().State({Ctl::lbl_Sec, 0}).caption, u"20");
  SendMessageW(window, WM_HSCROLL, SB_LINELEFT, LPARAM(pieces));
  EXPECT_EQ(GetScrollPos(pieces, SB_CTL), 199);
  EXPECT_EQ(dialog->Model().State({Ctl::lbl_Value, 0}).caption, u"199");
  Click(Ctl::lbl_Button, 5);  // "初期値"
  EXPECT_EQ(GetScrollPos(pieces, SB_CTL), 200);
  EXPECT_EQ(dialog->Model().State({Ctl::lbl_Value, 0}).caption, u"200");
}

TEST_F(DialogWindowTest, TheCloseCommandEndsWithoutSavingAndSaveWritesAndCloses) {
  for (const bool save : {false, true}) {
    HWND window = Open();
    save ? Click(Ctl::lbl_Button, 2) : void(SendMessageW(window, WM_CLOSE, 0, 0));  // "設定"
    EXPECT_TRUE(dialog->Ended());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(SettingsWritten(), save);
  }
}

TEST_F(DialogWindowTest, APictureChosenInTheListIsShownFittedWithARaisedEdge) {
  test::TempFolder folder;
  const int w = 64, h = 48, stride = w * 3;
  std::string bmp = "BM" + std::string(12, '\0') + std::string(40, '\0');
  const uint32_t fields[][2] = {{2, 54u + stride * h}, {10, 54}, {14, 40}, {18, w}, {22, h}, {26, 1 | 24 << 16}};
  for (const auto& [at, value] : fields) std::memcpy(&bmp[at], &value, 4);
  for (int i = 0; i < w * h; ++i) bmp += "\x3C\x28\xC8";  // blue, green, red
  test::MakeFile(folder / u"wide.bmp", bmp);
  app.state.settings.ImageFolder = folder.Path();
  app.state.imageList = {Text(), folder / u"wide.bmp"};
  app.state.imageCount = 1;
  HWND window = Open(), list = Child(L"ListBox", 24, 80);
  ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 1);
  wchar_t item[64] = {};
  SendMessageW(list, LB_GETTEXT, 0, LPARAM(item));
  EXPECT_STREQ(item, L"wide.bmp");
  SendMessageW(list, LB_SETCURSEL, 0, 0);
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE), LPARAM(list));
  test::PumpMessages();
  EXPECT_EQ(dialog->Model().State({Ctl::lbl_PreSize, 0}).caption, u"64 * 48");
  UpdateWindow(window);
  const Surface shown = test::ReadClient(window);
  const ClientRect at = ControlRect(*FindLayout({Ctl::Pic_K, 0}));
  const COLORREF light = GetSysColor(COLOR_3DLIGHT);
  EXPECT_EQ(shown.Pixel(at.x + 50, at.y + 37), 0xC8283Cu);  // 100 x 75, the picture's colour
  EXPECT_EQ(shown.Pixel(at.x + 50, at.y),
            uint32_t(GetRValue(light)) << 16 | uint32_t(GetGValue(light)) << 8 | GetBValue(light));
  EXPECT_NE(shown.Pixel(at.x + 50, at.y + 80), 0xC8283Cu);  // below the fitted picture
}

}  // namespace
}  // namespace orv::win
