// The settings dialog's window in this process: layout of the real controls, mouse and
// scroll events reaching the dialog, what it draws, the cursor and the ways it closes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog/dialog_canvas.h"
#include "win32/dialog_window.h"
#include "win32/wide.h"
#include "window_test_support.h"

namespace orv::win {
namespace {

struct ChildInfo {
  std::wstring className;
  HWND window;
  RECT rect;  // in the dialog's client coordinates
};

class DialogWindowTest : public ::testing::Test {
 protected:
  DialogWindowTest() {
    app.instance = GetModuleHandleW(nullptr);
    RemoveSettingsFiles();
  }
  void SetUp() override {
    Prepare();
    dialog = std::make_unique<DialogWindow>(app);
    opened = dialog->Open();
    test::PumpMessages();
  }
  // What the main module holds before the dialog opens.
  virtual void Prepare() {}
  ~DialogWindowTest() override {
    dialog.reset();
    test::PumpMessages();
    RemoveSettingsFiles();
  }
  void RemoveSettingsFiles() {
    DeleteFileW(Wide(app.store.BesideProgram()).c_str());
    if (!app.store.PerUser().empty()) DeleteFileW(Wide(app.store.PerUser()).c_str());
  }
  bool SettingsWritten() {
    return GetFileAttributesW(Wide(app.store.FileToRead()).c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  std::vector<ChildInfo> Children(const wchar_t* className) {
    std::vector<ChildInfo> found;
    for (HWND w = GetWindow(dialog->Handle(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
      wchar_t name[64] = {};
      GetClassNameW(w, name, 64);
      if (lstrcmpiW(name, className) != 0) continue;
      RECT r{};
      GetWindowRect(w, &r);
      MapWindowPoints(nullptr, dialog->Handle(), reinterpret_cast<POINT*>(&r), 2);
      found.push_back({name, w, r});
    }
    return found;
  }
  HWND ChildAt(const wchar_t* className, int x, int y) {
    for (const ChildInfo& c : Children(className)) {
      if (c.rect.left == x && c.rect.top == y) return c.window;
    }
    return nullptr;
  }
  // The middle of a control in client coordinates.
  POINT Middle(Ctl name, int16_t index) {
    const ClientRect r = ControlRect(*FindLayout({name, index}));
    return POINT{r.x + r.width / 2, r.y + r.height / 2};
  }
  void Press(POINT p, UINT down, UINT up, WPARAM held) {
    SendMessageW(dialog->Handle(), down, held, MAKELPARAM(p.x, p.y));
    SendMessageW(dialog->Handle(), up, 0, MAKELPARAM(p.x, p.y));
    test::PumpMessages();
  }
  void Click(Ctl name, int16_t index) {
    Press(Middle(name, index), WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
  }
  HCURSOR CursorOver(HWND over, POINT client) {
    ClientToScreen(dialog->Handle(), &client);
    SetCursorPos(client.x, client.y);
    SendMessageW(dialog->Handle(), WM_SETCURSOR, WPARAM(over), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  }

  App app;
  std::unique_ptr<DialogWindow> dialog;
  bool opened = false;
};

TEST_F(DialogWindowTest, OpensVisibleAtItsOuterSizeCentredOnTheScreen) {
  ASSERT_TRUE(opened);
  HWND window = dialog->Handle();
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(FindWindowW(nullptr, L"Orvaneの設定"), window);
  RECT r{};
  GetWindowRect(window, &r);
  EXPECT_EQ(r.right - r.left, 609);
  EXPECT_EQ(r.bottom - r.top, 560);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 609) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 560) / 2);
}

TEST_F(DialogWindowTest, RealControlsStandWhereTheLayoutPutsThem) {
  ASSERT_TRUE(opened);
  const auto lists = Children(L"ListBox");
  ASSERT_EQ(lists.size(), 1u);
  EXPECT_EQ(lists[0].rect.left, 24);
  EXPECT_EQ(lists[0].rect.top, 80);
  EXPECT_EQ(lists[0].rect.right - lists[0].rect.left, 169);
  EXPECT_EQ(lists[0].rect.bottom - lists[0].rect.top, 225);
  EXPECT_EQ(SendMessageW(lists[0].window, LB_GETHORIZONTALEXTENT, 0, 0), 469);

  EXPECT_EQ(Children(L"ScrollBar").size(), 7u);
  HWND interval = ChildAt(L"ScrollBar", 336 + 148, 12 + 40);
  ASSERT_NE(interval, nullptr);
  int low = 0, high = 0;
  GetScrollRange(interval, SB_CTL, &low, &high);
  EXPECT_EQ(low, 10);
  EXPECT_EQ(high, 60);
  HWND pieces = ChildAt(L"ScrollBar", 336 + 100, 12 + 200);
  ASSERT_NE(pieces, nullptr);
  GetScrollRange(pieces, SB_CTL, &low, &high);
  EXPECT_EQ(low, 10);
  EXPECT_EQ(high, 200);

  HWND combo = ChildAt(L"ComboBox", 12 + 188, 364 + 8);
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 31);
  RECT shown{};
  GetWindowRect(combo, &shown);
  EXPECT_EQ(shown.right - shown.left, 41);
  EXPECT_NEAR(shown.bottom - shown.top, 20, 2);
  // No music chosen: the track box waits.
  EXPECT_FALSE(IsWindowEnabled(combo));
}

TEST_F(DialogWindowTest, AnOptionCaptionTakesAnyMouseButtonAndShowsItsMark) {
  ASSERT_TRUE(opened);
  Press(Middle(Ctl::lbl_Rdm_Seq, 1), WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
  EXPECT_EQ(app.state.settings.ChangeMode, 1);
  UpdateWindow(dialog->Handle());
  const Surface shown = test::ReadClient(dialog->Handle());
  const POINT mark = Middle(Ctl::Img_SR, 1);
  const POINT other = Middle(Ctl::Img_SR, 0);
  const DialogArt art = MakeDialogArt();
  EXPECT_EQ(shown.Pixel(mark.x, mark.y), art.optionOn.Pixel(6, 6));
  EXPECT_EQ(shown.Pixel(other.x, other.y), art.optionOff.Pixel(6, 6));
}

TEST_F(DialogWindowTest, ScrollBarsMoveTheSlidersAndTheDefaultsButtonResetsThem) {
  ASSERT_TRUE(opened);
  HWND interval = ChildAt(L"ScrollBar", 336 + 148, 12 + 40);
  HWND pieces = ChildAt(L"ScrollBar", 336 + 100, 12 + 200);
  ASSERT_TRUE(interval && pieces);
  SendMessageW(dialog->Handle(), WM_HSCROLL, SB_PAGERIGHT, LPARAM(interval));
  EXPECT_EQ(GetScrollPos(interval, SB_CTL), 20);
  EXPECT_EQ(dialog->Model().State({Ctl::lbl_Sec, 0}).caption, u"20");
  SendMessageW(dialog->Handle(), WM_HSCROLL, SB_LINELEFT, LPARAM(pieces));
  EXPECT_EQ(GetScrollPos(pieces, SB_CTL), 199);
  EXPECT_EQ(dialog->Model().State({Ctl::lbl_Value, 0}).caption, u"199");
  Click(Ctl::lbl_Button, 5);  // "初期値"
  EXPECT_EQ(GetScrollPos(pieces, SB_CTL), 200);
  EXPECT_EQ(dialog->Model().State({Ctl::lbl_Value, 0}).caption, u"200");
  EXPECT_EQ(GetScrollPos(interval, SB_CTL), 20);
}

TEST_F(DialogWindowTest, AHeldButtonShowsItsPressedFace) {
  ASSERT_TRUE(opened);
  const POINT caption = Middle(Ctl::lbl_Button, 1);  // "ｸﾘｱ"
  SendMessageW(dialog->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(caption.x, caption.y));
  UpdateWindow(dialog->Handle());
  const DialogArt art = MakeDialogArt();
  const ClientRect face = ControlRect(*FindLayout({Ctl::Img_Button, 1}));
  EXPECT_EQ(test::ReadClient(dialog->Handle()).Pixel(face.x + 3, face.y + 11),
            art.buttonPressed.Pixel(3, 11));
  SendMessageW(dialog->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(caption.x, caption.y));
  test::PumpMessages();
  UpdateWindow(dialog->Handle());
  EXPECT_EQ(test::ReadClient(dialog->Handle()).Pixel(face.x + 3, face.y + 11),
            art.buttonReleased.Pixel(3, 11));
}

TEST_F(DialogWindowTest, TheHandShowsOverWhatReactsAndTheArrowElsewhere) {
  ASSERT_TRUE(opened);
  HWND window = dialog->Handle();
  const HCURSOR arrow = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  const HCURSOR overButton = CursorOver(window, Middle(Ctl::lbl_Button, 2));
  EXPECT_NE(overButton, arrow);
  EXPECT_NE(overButton, nullptr);
  EXPECT_EQ(CursorOver(window, Middle(Ctl::lbl_Kind, 2)), overButton);
  EXPECT_EQ(CursorOver(window, Middle(Ctl::lbl, 12)), arrow);  // a heading
  EXPECT_EQ(CursorOver(window, POINT{4, 4}), arrow);
  const auto lists = Children(L"ListBox");
  ASSERT_EQ(lists.size(), 1u);
  EXPECT_EQ(CursorOver(lists[0].window, Middle(Ctl::List_1, 0)), overButton);
  // The music-file button waits for a music file source: no hand while it is greyed.
  EXPECT_EQ(CursorOver(window, Middle(Ctl::lbl_Button, 4)), arrow);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(overButton, &info));
  EXPECT_EQ(info.xHotspot, 12u);
  EXPECT_EQ(info.yHotspot, 1u);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
}

TEST_F(DialogWindowTest, TheSystemsCloseCommandEndsWithoutSaving) {
  ASSERT_TRUE(opened);
  HWND window = dialog->Handle();
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(dialog->Ended());
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(SettingsWritten());
}

TEST_F(DialogWindowTest, SaveWritesTheSettingsAndCloses) {
  ASSERT_TRUE(opened);
  HWND window = dialog->Handle();
  Click(Ctl::lbl_Button, 2);  // "設定"
  EXPECT_TRUE(dialog->Ended());
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(SettingsWritten());
}

// A folder with one picture, listed as start-up lists it.
class DialogPreviewTest : public DialogWindowTest {
 protected:
  void Prepare() override {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder = std::wstring(temp) + L"orvane-dialog-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    picture = folder + L"\\wide.bmp";
    WriteBmp(picture, 64, 48, RGB(200, 40, 60));
    app.state.settings.ImageFolder = FromWide(folder);
    app.state.imageList = {Text(), FromWide(picture)};
    app.state.imageCount = 1;
  }
  void TearDown() override {
    dialog.reset();
    DeleteFileW(picture.c_str());
    RemoveDirectoryW(folder.c_str());
  }
  // A 24-bit bottom-up BMP of one colour.
  static void WriteBmp(const std::wstring& path, int w, int h, COLORREF colour) {
    const int stride = (w * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + DWORD(stride * h);
    info.biSize = sizeof(info);
    info.biWidth = w;
    info.biHeight = h;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    std::string row(size_t(stride), '\0');
    for (int x = 0; x < w; ++x) {
      row[size_t(x) * 3] = char(GetBValue(colour));
      row[size_t(x) * 3 + 1] = char(GetGValue(colour));
      row[size_t(x) * 3 + 2] = char(GetRValue(colour));
    }
    for (int y = 0; y < h; ++y) bytes += row;
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(f);
  }

  std::wstring folder;
  std::wstring picture;
};

TEST_F(DialogPreviewTest, SelectingAPictureShowsItFittedWithARaisedEdge) {
  ASSERT_TRUE(opened);
  const auto lists = Children(L"ListBox");
  ASSERT_EQ(lists.size(), 1u);
  HWND list = lists[0].window;
  ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 1);
  wchar_t item[64] = {};
  SendMessageW(list, LB_GETTEXT, 0, LPARAM(item));
  EXPECT_STREQ(item, L"wide.bmp");

  SendMessageW(list, LB_SETCURSEL, 0, 0);
  SendMessageW(dialog->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
               LPARAM(list));
  test::PumpMessages();
  EXPECT_EQ(dialog->Model().State({Ctl::lbl_PreSize, 0}).caption, u"64 * 48");
  UpdateWindow(dialog->Handle());
  const Surface shown = test::ReadClient(dialog->Handle());
  const ClientRect at = ControlRect(*FindLayout({Ctl::Pic_K, 0}));
  EXPECT_EQ(shown.Pixel(at.x + 50, at.y + 37), 0xC8283Cu);  // 100 x 75, the picture's colour
  EXPECT_EQ(shown.Pixel(at.x + 50, at.y), uint32_t(GetRValue(GetSysColor(COLOR_3DLIGHT))) << 16 |
                                              uint32_t(GetGValue(GetSysColor(COLOR_3DLIGHT))) << 8 |
                                              GetBValue(GetSysColor(COLOR_3DLIGHT)));
  EXPECT_NE(shown.Pixel(at.x + 50, at.y + 80), 0xC8283Cu);  // below the fitted picture
}

}  // namespace
}  // namespace orv::win
