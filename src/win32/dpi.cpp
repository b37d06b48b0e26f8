#include "win32/dpi.h"

namespace orv::win {
namespace {

template <typename Function>
Function Lookup(const wchar_t* module, const char* name) {
  HMODULE handle = GetModuleHandleW(module);
  if (!handle) handle = LoadLibraryW(module);  // stays loaded for the program's life
  return handle ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name)))
                : nullptr;
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

}  // namespace

int ScreenDpi(int axis) {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, axis) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

int MonitorDpi(HMONITOR monitor) {
  static const auto getDpiForMonitor =
      Lookup<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
  UINT x = 0, y = 0;
  if (monitor && getDpiForMonitor && SUCCEEDED(getDpiForMonitor(monitor, 0 /*effective*/, &x, &y)) &&
      y > 0) {
    return int(y);
  }
  return ScreenDpi();
}

int WindowDpi(HWND window) {
  static const auto getDpiForWindow = Lookup<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
  if (window && getDpiForWindow) {
    if (const UINT dpi = getDpiForWindow(window); dpi > 0) return int(dpi);
  }
  return window ? MonitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)) : ScreenDpi();
}

bool AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
  static const auto adjust = Lookup<AdjustForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
  if (adjust && adjust(&rect, style, FALSE, exStyle, UINT(dpi))) return true;
  return AdjustWindowRectEx(&rect, style, FALSE, exStyle) != FALSE;
}

}  // namespace orv::win
