// orvtool: a small Windows console program through which the end-to-end tests (and the soak
// run) see and touch windows of other processes.
//
//   wait NAME SECONDS     print the top-level window of this class, or else with this title
//                         (ASCII), waiting up to SECONDS for it, else exit 1
//   host W H SECONDS      show a frameless W x H window, print its HWND, keep it until it
//                         is closed or the time is up
//   post HWND MSG WPARAM LPARAM
//                         PostMessageW
//   info HWND             parent=HWND style=0x.. exstyle=0x.. visible=0|1 pid=N
//                         rect=LEFT,TOP,RIGHT,BOTTOM client=SCREEN-X,SCREEN-Y,W,H; exit 1
//                         when there is no such window
//   children HWND         child windows: HWND ID "CLASS" "TEXT" (line ends as \r \n)
//
// Output is UTF-8, one record a line; window handles are decimal. Exit codes: 0 done or
// found, 1 not found / timed out / the call failed, 2 wrong usage.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

void Print(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

std::string Utf8(const std::wstring& text) {
  std::string out(text.size() * 3, '\0');
  out.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()),
                                                     out.data(), int(out.size()), nullptr, nullptr)));
  return out;
}

long long Number(const wchar_t* text) { return std::wcstoll(text, nullptr, 0); }
HWND Handle(const wchar_t* text) { return reinterpret_cast<HWND>(static_cast<intptr_t>(Number(text))); }
std::string HandleText(HWND hwnd) { return std::to_string(reinterpret_cast<intptr_t>(hwnd)); }
ULONGLONG Deadline(const wchar_t* seconds) {
  return GetTickCount64() + static_cast<ULONGLONG>(std::wcstod(seconds, nullptr) * 1000);
}

std::string Quoted(HWND hwnd, bool className) {
  wchar_t buffer[512] = {};
  className ? GetClassNameW(hwnd, buffer, 512) : GetWindowTextW(hwnd, buffer, 512);
  std::string text = "\"";
  for (const char c : Utf8(buffer)) text += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
  return text + "\"";
}

int Host(int width, int height, ULONGLONG end) {
  // Any window class does: the preview covers the host whole.
  HWND hwnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return 1;
  Print(HandleText(hwnd));
  for (ULONGLONG now; IsWindow(hwnd) && (now = GetTickCount64()) < end;) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
  }
  return 0;  // the host goes with the process
}

BOOL CALLBACK ListChild(HWND hwnd, LPARAM) {
  Print(HandleText(hwnd) + " " + std::to_string(GetDlgCtrlID(hwnd)) + " " + Quoted(hwnd, true) +
        " " + Quoted(hwnd, false));
  return TRUE;
}

int Info(HWND hwnd) {
  if (!IsWindow(hwnd)) return 1;
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  HWND parent = GetAncestor(hwnd, GA_PARENT);
  RECT r{}, c{};
  POINT origin{0, 0};
  GetWindowRect(hwnd, &r);
  GetClientRect(hwnd, &c);
  ClientToScreen(hwnd, &origin);
  char numbers[200];
  std::snprintf(numbers, sizeof numbers,
                " style=0x%08lx exstyle=0x%08lx visible=%d pid=%lu rect=%ld,%ld,%ld,%ld"
                " client=%ld,%ld,%ld,%ld",
                static_cast<unsigned long>(GetWindowLongW(hwnd, GWL_STYLE)),
                static_cast<unsigned long>(GetWindowLongW(hwnd, GWL_EXSTYLE)),
                IsWindowVisible(hwnd) ? 1 : 0, static_cast<unsigned long>(pid), r.left, r.top,
                r.right, r.bottom, origin.x, origin.y, c.right, c.bottom);
  Print("parent=" + HandleText(parent == GetDesktopWindow() ? nullptr : parent) + numbers);
  return 0;
}

int Run(int n, wchar_t** args) {
  const std::wstring command = n > 0 ? args[0] : L"";
  ++args, --n;
  if (command == L"wait" && n == 2) {
    for (const ULONGLONG end = Deadline(args[1]);; Sleep(20)) {
      HWND found = FindWindowW(args[0], nullptr);
      if (found || (found = FindWindowW(nullptr, args[0]))) return Print(HandleText(found)), 0;
      if (GetTickCount64() >= end) return 1;
    }
  }
  if (command == L"host" && n == 3) {
    return Host(int(Number(args[0])), int(Number(args[1])), Deadline(args[2]));
  }
  if (command == L"post" && n == 4) {
    return PostMessageW(Handle(args[0]), UINT(Number(args[1])), WPARAM(Number(args[2])),
                        LPARAM(Number(args[3]))) ? 0 : 1;
  }
  if (command == L"info" && n == 1) return Info(Handle(args[0]));
  if (command == L"children" && n == 1) {
    HWND hwnd = Handle(args[0]);
    return IsWindow(hwnd) ? (EnumChildWindows(hwnd, ListChild, 0), 0) : 1;
  }
  std::fputs("usage: orvtool COMMAND ARGS... (the commands are listed in orvtool.cpp)\n", stderr);
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);  // plain line feeds, as the tests read them
  return Run(argc - 1, argv + 1);
}
