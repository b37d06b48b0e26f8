// The one way the program's windows are made: a class registered once per name whose
// procedure finds the window's object (attached at WM_NCCREATE from CreateWindowExW's last
// argument) and hands every message to its Handle. Messages before WM_NCCREATE, and any
// after the object has let go of the window, go to the system's default procedure.
#pragma once
#include <windows.h>

namespace orv::win {

template <typename T>
LRESULT CALLBACK WindowProcOf(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(window, message, wParam, lParam);
}

// Registers the class of T's windows; true when it exists afterwards.
template <typename T>
bool RegisterWindowClass(HINSTANCE instance, const wchar_t* name, HBRUSH background,
                         HICON icon = nullptr) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = WindowProcOf<T>;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /*IDC_ARROW*/);
  wc.hbrBackground = background;
  wc.hIcon = icon;
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace orv::win
