// Helpers of the window tests: a plain host window, message pumping and pixels read back
// from a window on the screen.
#pragma once
#include <windows.h>

#include "toolkit/surface.h"

namespace orv::win::test {

// A visible top-level pop-up with a client area of w x h at (x, y), painting nothing.
HWND CreatePlainWindow(int x, int y, int w, int h);

// Lets the waiting messages run; true when a WM_QUIT was among them.
bool PumpMessages();

// The client area of `window` as the screen shows it now.
Surface ReadClient(HWND window);

}  // namespace orv::win::test
