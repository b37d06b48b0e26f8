#include "window_test_support.h"

#include "win32/surface_bitmap.h"

namespace orv::win::test {

HWND CreatePlainWindow(int x, int y, int w, int h) {
  static const ATOM atom = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"OrvaneTestHost";
    return RegisterClassExW(&wc);
  }();
  (void)atom;
  HWND window = CreateWindowExW(WS_EX_TOPMOST, L"OrvaneTestHost", L"test host",
                                WS_POPUP | WS_VISIBLE, x, y, w, h, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  UpdateWindow(window);
  return window;
}

bool PumpMessages() {
  bool quit = false;
  MSG msg;
  for (int round = 0; round < 3; ++round) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        quit = true;
        continue;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(20);
  }
  return quit;
}

Surface ReadClient(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  SurfaceBitmap copy;
  if (!copy.Resize(client.right, client.bottom)) return Surface();
  HDC dc = GetDC(window);
  BitBlt(copy.Dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  ReleaseDC(window, dc);
  return copy.Take();
}

}  // namespace orv::win::test
