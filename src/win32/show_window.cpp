// The full-screen display window: a hidden WS_POPUP covering every monitor whose events are
// forwarded to the show, four window timers, the screen capture before the window appears,
// the surface Display put on screen rectangle by rectangle, and the worker thread that
// decodes the pictures.
#include "display/show.h"

#include <objbase.h>
#include <windowsx.h>

#include <memory>
#include <vector>

#include "sound/music_watch.h"
#include "startup/main_logic.h"
#include "toolkit/system.h"
#include "toolkit/thread_worker.h"
#include "win32/app.h"
#include "win32/dpi.h"
#include "win32/message_pump.h"
#include "win32/scoped.h"
#include "win32/show_picture_loader.h"
#include "win32/surface_bitmap.h"
#include "win32/wide.h"
#include "win32/window_class.h"

namespace orv::win {
namespace {

constexpr wchar_t kClassName[] = L"Orvane_S";

class WindowTimer final : public Timer {
 public:
  explicit WindowTimer(UINT_PTR id) : id_(id) {}
  void Attach(HWND window) { window_ = window; }
  void SetInterval(int32_t ms) override {
    interval_ = ms;
    Apply();
  }
  int32_t Interval() const override { return interval_; }
  void SetEnabled(bool on) override {
    enabled_ = on;
    Apply();
  }
  bool Enabled() const override { return enabled_; }
  // A tick that arrives while this timer's own handler runs (in a pending-events call) is
  // dropped: ticks never nest.
  bool busy = false;

 private:
  void Apply() {
    if (!window_) return;
    if (enabled_ && interval_ > 0) {
      SetTimer(window_, id_, static_cast<UINT>(interval_), nullptr);  // restarts the count
    } else {
      KillTimer(window_, id_);
    }
  }
  UINT_PTR id_;
  HWND window_ = nullptr;
  int32_t interval_ = 0;
  bool enabled_ = false;
};

class MessagePump final : public EventPump {
 public:
  void DoEvents() override { PumpWaiting(); }
};

// A plain function, not a lambda: on i686 the callback must be __stdcall, which a
// lambda's conversion does not give.
BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT r, LPARAM list) {
  reinterpret_cast<std::vector<PixelRect>*>(list)->push_back(
      PixelRect{r->left, r->top, r->right, r->bottom});
  return TRUE;
}

class ShowHost final : public DisplayHost {
 public:
  HWND window = nullptr;

  WindowHandle Handle() const override { return reinterpret_cast<WindowHandle>(window); }
  void UnloadAndEnd() override {
    // The program ends, and its window goes with it. Hiding or destroying the window first
    // would keep the ended show on screen while the system tells a window manager: under
    // Wine without one that takes two seconds, where ending the program takes a third of
    // one.
    PostQuitMessage(0);
  }
  ScreenMeasure Screen() override {
    const int dpiX = ScreenDpi(LOGPIXELSX);
    const int dpiY = ScreenDpi(LOGPIXELSY);
    const double tppX = 1440.0 / (dpiX > 0 ? dpiX : 96);
    const double tppY = 1440.0 / (dpiY > 0 ? dpiY : 96);
    return ScreenMeasure{GetSystemMetrics(SM_CXSCREEN) * tppX, GetSystemMetrics(SM_CYSCREEN) * tppY,
                         tppX, tppY};
  }
  std::vector<PixelRect> Monitors() override {
    std::vector<PixelRect> found;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&found));
    return found;
  }
  void CaptureDesktop(Surface& target) override {
    // The screen's DC spans every monitor, with the primary's corner at 0,0.
    const ScopedGetDC source(nullptr);
    if (!source) return;
    SurfaceBitmap copy;
    if (copy.Resize(target.Width(), target.Height()) &&
        BitBlt(copy.Dc(), 0, 0, target.Width(), target.Height(), source.get(),
               GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
               SRCCOPY)) {
      target = copy.Take();
    }
  }
  void Present(const Surface& display, std::span<const PixelRect> rects) override {
    if (!window) return;
    const ScopedGetDC dc(window);
    if (!dc) return;
    for (const PixelRect& r : rects) PutRect(dc.get(), display, r);
  }
  void ShowTopmost() override {
    ShowWindow(window, SW_SHOWNORMAL);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  }

  // Each rectangle goes as a DIB of its own rows only, read from row 0: a top-down DIB's
  // source row is then the same whether a driver counts it from the top or the bottom.
  static void PutRect(HDC dc, const Surface& display, const PixelRect& r) {
    if (r.Empty() || r.bottom > display.Height() || r.right > display.Width()) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = display.Width();
    info.bmiHeader.biHeight = -r.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, r.left, r.top, static_cast<DWORD>(r.Width()),
                      static_cast<DWORD>(r.Height()), r.left, 0, 0,
                      static_cast<UINT>(r.Height()), display.Row(r.top), &info, DIB_RGB_COLORS);
  }
};

// The picture worker's thread. It yields the processor to the drawing thread: a decode may
// finish later, a frame may not. The decoders are COM objects: the thread joins COM once for
// its life, so a decode does not set COM up and tear it down again each time.
thread_local bool t_joinedCom = false;
void EnterPictureThread() {
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
  t_joinedCom = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
}
void LeavePictureThread() {
  if (t_joinedCom) CoUninitialize();
}

// Everything the show's window holds; it lives until the message loop ends.
struct Show {
  explicit Show(App& app)
      : music(CreateMusicPlayer(app)),
        pictures(app.files),
        worker(EnterPictureThread, LeavePictureThread),
        window(ShowServices{app.state, app.state, app.system, app.random, pictures, worker, *music, pump,
                            host, DisplayTimers{timer1, timer2, timer3, timer4}}) {}
  std::unique_ptr<MusicPlayer> music;
  ShowPictureLoader pictures;
  ThreadWorker worker;  // after the loader, which its jobs use: it ends first
  MessagePump pump;
  ShowHost host;
  WindowTimer timer1{1}, timer2{2}, timer3{3}, timer4{4};
  DisplayWindow window;

  // Every message of the show's window (win32/window_class.h).
  LRESULT Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

Show* g_show = nullptr;  // from the load until the message loop has ended

int16_t MouseButtons(WPARAM keys) {
  return static_cast<int16_t>(((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
                              ((keys & MK_MBUTTON) ? 4 : 0));
}

int16_t ShiftState() {
  return static_cast<int16_t>(((GetKeyState(VK_SHIFT) < 0) ? 1 : 0) |
                              ((GetKeyState(VK_CONTROL) < 0) ? 2 : 0) |
                              ((GetKeyState(VK_MENU) < 0) ? 4 : 0));
}

void Tick(Show& show, WindowTimer& timer, void (*handler)(Show&)) {
  if (timer.busy) return;
  timer.busy = true;
  handler(show);
  timer.busy = false;
}

LRESULT Show::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Until CreateWindowExW has returned, and after WM_DESTROY, the window is not ours.
  if (host.window != window) return DefWindowProcW(window, message, wParam, lParam);
  DisplayWindow& w = this->window;
  switch (message) {
    case WM_TIMER:
      switch (wParam) {
        case 1: Tick(*this, timer1, [](Show& s) { Timer1_Timer(*s.music); }); break;
        case 2: Tick(*this, timer2, [](Show& s) { Timer2_Timer(*s.music, s.timer2); }); break;
        case 3: Tick(*this, timer3, [](Show& s) { s.window.Timer3_Timer(); }); break;
        case 4: Tick(*this, timer4, [](Show& s) { s.window.Timer4_Timer(); }); break;
      }
      return 0;
    case WM_MOUSEMOVE:
      w.Exit().Display_MouseMove(MouseButtons(wParam), ShiftState(),
                                 static_cast<float>(GET_X_LPARAM(lParam)),
                                 static_cast<float>(GET_Y_LPARAM(lParam)));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN: {
      const int16_t button = message == WM_LBUTTONDOWN ? 1 : message == WM_RBUTTONDOWN ? 2 : 4;
      w.Exit().Display_MouseDown(button, ShiftState(), static_cast<float>(GET_X_LPARAM(lParam)),
                                 static_cast<float>(GET_Y_LPARAM(lParam)));
      return message == WM_XBUTTONDOWN ? TRUE : 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      w.Exit().Form_KeyDown(static_cast<int16_t>(wParam), ShiftState());
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_SCREENSAVE) return 0;  // we are the screen saver
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      const Surface& display = w.Screen();
      const RECT& p = paint.rcPaint;
      const PixelRect r{p.left, p.top, p.right, p.bottom};
      for (const PixelRect& m : w.Monitors()) {
        if (dc) ShowHost::PutRect(dc, display, Intersect(r, m));
      }
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      host.window = nullptr;
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void OpenDisplayWindow(App& app) {
  RegisterWindowClass<Show>(app.instance, kClassName,
                            static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  g_show = new Show(app);  // lives until the message loop ends, like the window's state
  // Created hidden: the load captures the screen before the window covers it.
  // It covers every monitor: its client pixels are those of the monitors' bounding box.
  HWND window = CreateWindowExW(
      0, kClassName, Wide(kDisplayTitle).c_str(), WS_POPUP, GetSystemMetrics(SM_XVIRTUALSCREEN),
      GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN),
      GetSystemMetrics(SM_CYVIRTUALSCREEN), nullptr, nullptr, app.instance, g_show);
  if (!window) {
    PostQuitMessage(0);
    return;
  }
  g_show->host.window = window;
  for (WindowTimer* t : {&g_show->timer1, &g_show->timer2, &g_show->timer3, &g_show->timer4}) {
    t->Attach(window);
  }
  g_show->window.Form_Load();
}

bool CloseDisplayWindow(std::chrono::milliseconds patience) {
  if (!g_show) return true;
  if (!g_show->worker.Stop(patience)) return false;
  delete g_show;
  g_show = nullptr;
  return true;
}

}  // namespace orv::win
