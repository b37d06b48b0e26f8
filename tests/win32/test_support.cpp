#include "test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

#include "win32/surface_bitmap.h"
#include "win32/wide.h"

namespace orv::win::test {
namespace {

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
  for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &data)) {
    const std::wstring name = data.cFileName, child = folder + L"\\" + name;
    if (name == L"." || name == L"..") continue;
    SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
    (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? RemoveTree(child) : void(DeleteFileW(child.c_str()));
  }
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  wchar_t base[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, base);
  path_ = FromWide(std::wstring(base) + L"orvane-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                   std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(counter++));
  MakeFolder(path_);
}

TempFolder::~TempFolder() { RemoveTree(Wide(path_)); }

void MakeFile(const Text& path, std::string_view bytes) {
  HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  const bool ok = file != INVALID_HANDLE_VALUE &&
                  WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (!ok) throw std::runtime_error("cannot write a test file");
}

void MakeFolder(const Text& path) {
  if (!CreateDirectoryW(Wide(path).c_str(), nullptr)) throw std::runtime_error("cannot make a test folder");
}

void SetAttributes(const Text& path, DWORD attributes) {
  ASSERT_TRUE(SetFileAttributesW(Wide(path).c_str(), attributes)) << ToUtf8(path);
}

std::string FileBytes(const Text& path) {
  HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes;
  char buffer[4096];
  for (DWORD got = 0; ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0;) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

HWND CreatePlainWindow(int x, int y, int w, int h) {
  static const ATOM atom = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"OrvaneTestHost";
    return RegisterClassW(&wc);
  }();
  HWND window = CreateWindowExW(WS_EX_TOPMOST, MAKEINTATOM(atom), L"test host", WS_POPUP | WS_VISIBLE,
                                x, y, w, h, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  UpdateWindow(window);
  return window;
}

bool PumpMessages() {
  bool quit = false;
  for (int round = 0; round < 3; ++round, Sleep(20)) {
    for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) {
      quit |= msg.message == WM_QUIT;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
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
