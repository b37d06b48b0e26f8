// orvtool: a small Windows console program through which the end-to-end tests (and the soak
// run) see and touch windows of other processes.
//
// Titles and paths may carry \uXXXX escapes (and \\ for a backslash), which reach the
// program intact whatever locale Wine converts the arguments with. Output is UTF-8, one
// record a line; window handles are decimal. Exit codes: 0 done or found, 1 not found / timed
// out / the call failed, 2 wrong usage.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr char kUsage[] =
    "usage: orvtool COMMAND ARGS...\n"
    "  wait TITLE SECONDS          print the top-level window with this exact title, waiting\n"
    "                              up to SECONDS for it, else exit 1\n"
    "  gone HWND SECONDS           wait up to SECONDS for the window to go away, else exit 1\n"
    "  windows                     list visible top-level windows: HWND PID \"TITLE\"\n"
    "  hold TITLE SECONDS          show a window with this title, print its HWND, keep it\n"
    "  host W H SECONDS            the same, untitled and frameless with a W x H client area\n"
    "  post HWND MSG WPARAM LPARAM PostMessageW\n"
    "  info HWND                   parent=HWND style=0x.. exstyle=0x.. visible=0|1 pid=N\n"
    "                              rect=LEFT,TOP,RIGHT,BOTTOM client=SCREEN-X,SCREEN-Y,W,H\n"
    "                              class=\"CLASS\" title=\"TITLE\"\n"
    "  children HWND               child windows: HWND ID \"CLASS\" \"TEXT\" (line ends as \\r \\n)\n"
    "  attrib PATH [WORD]          print the file's attribute word; with WORD, set it first\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

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

std::wstring Unescape(const wchar_t* arg) {
  std::wstring out;
  for (const wchar_t* p = arg; *p; ++p) {
    if (p[0] == L'\\' && p[1] == L'\\') {
      out += *++p;
    } else if (p[0] == L'\\' && p[1] == L'u' && std::wcsspn(p + 2, L"0123456789abcdefABCDEF") >= 4) {
      out += static_cast<wchar_t>(std::wcstoul(std::wstring(p + 2, 4).c_str(), nullptr, 16));
      p += 5;
    } else {
      out += *p;
    }
  }
  return out;
}

long long Number(const wchar_t* text) { return std::wcstoll(text, nullptr, 0); }
HWND Handle(const wchar_t* text) { return reinterpret_cast<HWND>(static_cast<intptr_t>(Number(text))); }
std::string HandleText(HWND hwnd) { return std::to_string(reinterpret_cast<intptr_t>(hwnd)); }
double Seconds(const wchar_t* text) { return std::wcstod(text, nullptr); }

std::string Quoted(HWND hwnd, bool className) {
  wchar_t buffer[512] = {};
  className ? GetClassNameW(hwnd, buffer, 512) : GetWindowTextW(hwnd, buffer, 512);
  std::string text = "\"";
  for (const char c : Utf8(buffer)) text += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
  return text + "\"";
}

// Polls `done` every 20 ms for up to `seconds`.
template <typename F>
bool Within(double seconds, F done) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  for (;;) {
    if (done()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(20);
  }
}

// Shows a window, prints its handle and pumps its messages until it is closed or the time
// is up.
int Hold(const std::wstring& title, DWORD style, int width, int height, double seconds) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));  // seen in screenshots
  wc.lpszClassName = L"OrvtoolWindow";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowExW(0, wc.lpszClassName, title.c_str(), style | WS_VISIBLE, 0, 0,
                              width, height, nullptr, nullptr, wc.hInstance, nullptr);
  if (!hwnd) return 1;
  UpdateWindow(hwnd);
  Print(HandleText(hwnd));
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  for (ULONGLONG now; IsWindow(hwnd) && (now = GetTickCount64()) < end;) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
  }
  if (IsWindow(hwnd)) DestroyWindow(hwnd);
  return 0;
}

BOOL CALLBACK ListWindow(HWND hwnd, LPARAM child) {
  if (child) {
    Print(HandleText(hwnd) + " " + std::to_string(GetDlgCtrlID(hwnd)) + " " + Quoted(hwnd, true) +
          " " + Quoted(hwnd, false));
  } else if (IsWindowVisible(hwnd)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    Print(HandleText(hwnd) + " " + std::to_string(pid) + " " + Quoted(hwnd, false));
  }
  return TRUE;
}

int Run(int n, wchar_t** args) {
  const std::wstring command = n > 0 ? args[0] : L"";
  ++args, --n;
  if (command == L"windows" && n == 0) return EnumWindows(ListWindow, 0), 0;
  if (command == L"wait" && n == 2) {
    const std::wstring title = Unescape(args[0]);
    HWND found = nullptr;
    if (!Within(Seconds(args[1]), [&] { return (found = FindWindowW(nullptr, title.c_str())); })) return 1;
    return Print(HandleText(found)), 0;
  }
  if (command == L"hold" && n == 2) return Hold(Unescape(args[0]), WS_OVERLAPPEDWINDOW, 320, 200, Seconds(args[1]));
  if (command == L"host" && n == 3) return Hold(L"", WS_POPUP, int(Number(args[0])), int(Number(args[1])), Seconds(args[2]));
  if (command == L"attrib" && (n == 1 || n == 2)) {
    const std::wstring path = Unescape(args[0]);
    if (n == 2 && !SetFileAttributesW(path.c_str(), static_cast<DWORD>(Number(args[1])))) return 1;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return 1;
    char text[16];
    std::snprintf(text, sizeof text, "0x%lx", static_cast<unsigned long>(attributes));
    return Print(text), 0;
  }
  if (n < 1) return Usage();
  HWND hwnd = Handle(args[0]);
  if (command == L"gone" && n == 2) return Within(Seconds(args[1]), [&] { return !IsWindow(hwnd); }) ? 0 : 1;
  if (command == L"post" && n == 4) {
    return PostMessageW(hwnd, UINT(Number(args[1])), WPARAM(Number(args[2])), LPARAM(Number(args[3]))) ? 0 : 1;
  }
  if (n != 1) return Usage();
  if (!IsWindow(hwnd)) return 1;
  if (command == L"children") return EnumChildWindows(hwnd, ListWindow, 1), 0;
  if (command != L"info") return Usage();
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
                " style=0x%08lx exstyle=0x%08lx visible=%d pid=%lu rect=%ld,%ld,%ld,%ld client=%ld,%ld,%ld,%ld",
                static_cast<unsigned long>(GetWindowLongW(hwnd, GWL_STYLE)),
                static_cast<unsigned long>(GetWindowLongW(hwnd, GWL_EXSTYLE)), IsWindowVisible(hwnd) ? 1 : 0,
                static_cast<unsigned long>(pid), r.left, r.top, r.right, r.bottom, origin.x, origin.y, c.right, c.bottom);
  Print("parent=" + HandleText(parent == GetDesktopWindow() ? nullptr : parent) + numbers +
        " class=" + Quoted(hwnd, true) + " title=" + Quoted(hwnd, false));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);  // plain line feeds, as the tests read them
  return Run(argc - 1, argv + 1);
}
