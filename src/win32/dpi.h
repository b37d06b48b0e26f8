// What the system says about dots per inch: of the screen, of a monitor, of a window. The
// newer calls are looked up when needed, so the program also runs where they are missing
// (older Windows, Wine), with the screen's DPI in their place.
#pragma once
#include <windows.h>

namespace orv::win {

// The screen's DPI along one axis (LOGPIXELSX or LOGPIXELSY); 96 when it cannot be read.
int ScreenDpi(int axis = LOGPIXELSY);
// The DPI of a monitor; the screen's where the system has no DPI per monitor.
int MonitorDpi(HMONITOR monitor);
// The DPI a window is drawn at; its monitor's, or the screen's, where the system cannot say.
int WindowDpi(HWND window);
// The outer rectangle of a window whose client area is `rect`, at `dpi`. Where the system
// cannot adjust for a DPI it adjusts for its own.
bool AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);

}  // namespace orv::win
