// orvtool: a small Windows console program through which the end-to-end tests see and
// touch windows of other processes: find them by title, hold windows with the program's own
// titles, host a preview, post and send messages, read rectangles, styles and texts.
//
// Titles and texts are UTF-16 inside. On the command line they may be written plainly, or
// with \uXXXX and \UXXXXXXXX escapes (and \\ for a backslash), which reach the program
// intact whatever the locale Wine converts the arguments with. Output is UTF-8, one record
// a line; window handles are decimal. Exit codes: 0 done or found, 1 not found / no / timed
// out / the call failed, 2 wrong usage.
#include <windows.h>
#include <psapi.h>
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

namespace {

constexpr char kUsage[] =
    "usage: orvtool COMMAND ARGS...\n"
    "  find TITLE                  print the top-level window with this exact title, or exit 1\n"
    "  wait TITLE SECONDS          like find, waiting up to SECONDS for it to appear\n"
    "  gone HWND SECONDS           wait up to SECONDS for the window to go away, else exit 1\n"
    "  windows                     list visible top-level windows: HWND PID \"TITLE\"\n"
    "  hold TITLE SECONDS          show a top-level window with this title, print its HWND,\n"
    "                              keep it SECONDS (or until it is closed)\n"
    "  host W H SECONDS            show a plain top-level window with a W x H client area,\n"
    "                              print its HWND, keep it SECONDS (or until it is closed)\n"
    "  post HWND MSG WPARAM LPARAM PostMessageW (numbers decimal or 0x hex)\n"
    "  send HWND MSG WPARAM LPARAM SendMessageTimeoutW (5 s), print the result\n"
    "  exists HWND                 exit 0 when HWND is a window, else 1\n"
    "  rect HWND                   print the window rectangle: LEFT TOP RIGHT BOTTOM\n"
    "  client HWND                 print the client area: SCREEN-X SCREEN-Y WIDTH HEIGHT\n"
    "  info HWND                   print parent=HWND style=0x... exstyle=0x... visible=0|1\n"
    "                              pid=N class=\"CLASS\" title=\"TITLE\"\n"
    "  children HWND               list child windows: HWND ID \"CLASS\" \"TEXT\"\n"
    "  text HWND                   print the window's text (WM_GETTEXT)\n"
    "  foreground HWND             bring the window to the foreground\n"
    "  close HWND                  post WM_CLOSE\n"
    "  resources PID               print the process's private=BYTES ws=BYTES gdi=N user=N\n"
    "                              handles=N how=SOURCES (private and working-set bytes,\n"
    "                              GDI and USER objects, kernel handles)\n"
    "  lock PATH SECONDS           open the file without sharing, print \"locked\", keep it\n"
    "                              open SECONDS (or until killed)\n"
    "  attrib PATH [WORD]          print the file's attribute word (0x hex); with WORD, set it\n"
    "                              first\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                    nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

void Print(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

// Undoes the \uXXXX, \UXXXXXXXX and \\ escapes of a title argument.
std::wstring Unescape(const wchar_t* arg) {
  std::wstring out;
  for (const wchar_t* p = arg; *p; ++p) {
    if (*p == L'\\' && p[1] == L'\\') {
      out += L'\\';
      ++p;
      continue;
    }
    const int digits = *p == L'\\' && p[1] == L'u' ? 4 : *p == L'\\' && p[1] == L'U' ? 8 : 0;
    if (digits && std::wcsspn(p + 2, L"0123456789abcdefABCDEF") >= static_cast<size_t>(digits)) {
      const std::wstring hex(p + 2, p + 2 + digits);
      const unsigned long code = std::wcstoul(hex.c_str(), nullptr, 16);
      if (code >= 0x10000 && code <= 0x10FFFF) {
        out += static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
        out += static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
      } else {
        out += static_cast<wchar_t>(code);
      }
      p += 1 + digits;
      continue;
    }
    out += *p;
  }
  return out;
}

bool Number(const wchar_t* text, long long& value) {
  wchar_t* end = nullptr;
  value = std::wcstoll(text, &end, 0);
  if (end == text) return false;
  while (std::iswspace(*end)) ++end;  // a handle pasted with its line end
  return *end == L'\0';
}

bool Handle(const wchar_t* text, HWND& hwnd) {
  long long value = 0;
  if (!Number(text, value)) return false;
  hwnd = reinterpret_cast<HWND>(static_cast<intptr_t>(value));
  return true;
}

std::string HandleText(HWND hwnd) {
  return std::to_string(static_cast<long long>(reinterpret_cast<intptr_t>(hwnd)));
}

std::string Quoted(const std::wstring& text) { return "\"" + Utf8(text) + "\""; }

std::wstring TitleOf(HWND hwnd) {
  wchar_t buffer[512] = {};
  GetWindowTextW(hwnd, buffer, 512);
  return buffer;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t buffer[256] = {};
  GetClassNameW(hwnd, buffer, 256);
  return buffer;
}

// Pumps this thread's messages for `seconds`, or until the window is gone.
void KeepWindow(HWND hwnd, double seconds) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  while (IsWindow(hwnd)) {
    const ULONGLONG now = GetTickCount64();
    if (now >= end) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  if (IsWindow(hwnd)) DestroyWindow(hwnd);
}

LRESULT CALLBACK HeldWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ERASEBKGND) {  // a mid grey, so screenshots show where the window is
    RECT r;
    GetClientRect(hwnd, &r);
    FillRect(reinterpret_cast<HDC>(wp), &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    return 1;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

HWND ShowWindowWith(const std::wstring& title, DWORD style, int width, int height) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = HeldWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"OrvtoolWindow";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowExW(0, wc.lpszClassName, title.c_str(), style, 0, 0, width, height,
                              nullptr, nullptr, wc.hInstance, nullptr);
  if (hwnd) {
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
  }
  return hwnd;
}

double Seconds(const wchar_t* text) { return std::wcstod(text, nullptr); }

int Find(const std::wstring& title) {
  HWND hwnd = FindWindowW(nullptr, title.c_str());
  if (!hwnd) return 1;
  Print(HandleText(hwnd));
  return 0;
}

int Wait(const std::wstring& title, double seconds) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  for (;;) {
    if (Find(title) == 0) return 0;
    if (GetTickCount64() >= end) return 1;
    Sleep(20);
  }
}

int Gone(HWND hwnd, double seconds) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  while (IsWindow(hwnd)) {
    if (GetTickCount64() >= end) return 1;
    Sleep(20);
  }
  return 0;
}

BOOL CALLBACK ListTopLevel(HWND hwnd, LPARAM) {
  if (!IsWindowVisible(hwnd)) return TRUE;
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  Print(HandleText(hwnd) + " " + std::to_string(pid) + " " + Quoted(TitleOf(hwnd)));
  return TRUE;
}

BOOL CALLBACK ListChild(HWND hwnd, LPARAM) {
  Print(HandleText(hwnd) + " " + std::to_string(GetDlgCtrlID(hwnd)) + " " +
        Quoted(ClassOf(hwnd)) + " " + Quoted(TitleOf(hwnd)));
  return TRUE;
}

int Message(bool send, HWND hwnd, const wchar_t* const* args) {
  long long msg = 0, wp = 0, lp = 0;
  if (!Number(args[0], msg) || !Number(args[1], wp) || !Number(args[2], lp)) return Usage();
  if (!send) {
    return PostMessageW(hwnd, static_cast<UINT>(msg), static_cast<WPARAM>(wp),
                        static_cast<LPARAM>(lp))
               ? 0
               : 1;
  }
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(hwnd, static_cast<UINT>(msg), static_cast<WPARAM>(wp),
                           static_cast<LPARAM>(lp), SMTO_ABORTIFHUNG, 5000, &result)) {
    return 1;
  }
  Print(std::to_string(static_cast<long long>(static_cast<LONG_PTR>(result))));
  return 0;
}

// What a long run watches for growth: memory only the process holds, its GDI and USER
// objects and its kernel handles. Where the system does not answer (Wine counts none of the
// objects and no private bytes for another process), the figures come from the process's
// address space (committed private regions), its GDI handle table (the one its PEB points
// to, in Wine's layout), its windows and the system's handle list; "how=" names the sources.
namespace resources {

using QueryProcess = LONG(WINAPI*)(HANDLE, ULONG, void*, ULONG, ULONG*);
using QuerySystem = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);

template <typename F>
F Ntdll(const char* name) {
  return reinterpret_cast<F>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name)));
}

unsigned long long CommittedPrivateBytes(HANDLE process) {
  unsigned long long total = 0;
  MEMORY_BASIC_INFORMATION info;
  const char* at = nullptr;
  while (VirtualQueryEx(process, at, &info, sizeof info) == sizeof info) {
    if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
    const char* next = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
    if (next <= at) break;
    at = next;
  }
  return total;
}

// Wine's GDI handle table: 65536 entries of 24 bytes (object, owner, unique, type, flags,
// user pointer); a live handle has a non-zero type. -1 when it cannot be read.
long long GdiTableCount(HANDLE process) {
  struct BasicInformation {
    LONG_PTR exitStatus;
    void* peb;
    ULONG_PTR affinity, basePriority, pid, parentPid;
  } basic{};
  const auto query = Ntdll<QueryProcess>("NtQueryInformationProcess");
  if (!query || query(process, 0, &basic, sizeof basic, nullptr) != 0 || !basic.peb) return -1;
#ifdef _WIN64
  constexpr size_t kTableField = 0xF8;
#else
  constexpr size_t kTableField = 0x94;
#endif
  void* table = nullptr;
  SIZE_T got = 0;
  if (!ReadProcessMemory(process, static_cast<char*>(basic.peb) + kTableField, &table,
                         sizeof table, &got) || !table) {
    return -1;
  }
  constexpr size_t kEntries = 0x10000, kEntrySize = 24, kTypeAt = 14;
  std::vector<unsigned char> entries(kEntries * kEntrySize);
  if (!ReadProcessMemory(process, table, entries.data(), entries.size(), &got)) return -1;
  long long live = 0;
  for (size_t i = 0; i < got / kEntrySize; ++i) live += entries[i * kEntrySize + kTypeAt] != 0;
  return live;
}

struct WindowCount {
  DWORD pid;
  long long count;
};

BOOL CALLBACK CountChild(HWND, LPARAM p) {
  ++reinterpret_cast<WindowCount*>(p)->count;
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM p) {
  auto* windows = reinterpret_cast<WindowCount*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == windows->pid) {
    ++windows->count;
    EnumChildWindows(hwnd, CountChild, p);
  }
  return TRUE;
}

long long Windows(DWORD pid) {
  WindowCount windows{pid, 0};
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
  for (HWND h = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); h;
       h = FindWindowExW(HWND_MESSAGE, h, nullptr, nullptr)) {
    CountTopLevel(h, reinterpret_cast<LPARAM>(&windows));
  }
  return windows.count;
}

long long SystemHandleCount(DWORD pid) {
  struct Entry {
    ULONG pid;
    UCHAR type, flags;
    USHORT value;
    void* object;
    ULONG access;
  };
  const auto query = Ntdll<QuerySystem>("NtQuerySystemInformation");
  if (!query) return -1;
  std::vector<unsigned char> buffer(1 << 16);
  for (;;) {
    ULONG needed = 0;
    const LONG status = query(16 /*SystemHandleInformation*/, buffer.data(),
                              static_cast<ULONG>(buffer.size()), &needed);
    if (status == 0) break;
    if (static_cast<ULONG>(status) != 0xC0000004u /*length mismatch*/ ||
        buffer.size() > (64u << 20)) {
      return -1;
    }
    buffer.resize(std::max<size_t>(buffer.size() * 2, needed));
  }
  ULONG count = 0;
  std::memcpy(&count, buffer.data(), sizeof count);
  const unsigned char* first = buffer.data() + sizeof(void*);  // the count, padded
  long long mine = 0;
  for (ULONG i = 0; i < count && sizeof(void*) + (i + 1) * sizeof(Entry) <= buffer.size(); ++i) {
    Entry e;
    std::memcpy(&e, first + i * sizeof(Entry), sizeof e);
    mine += e.pid == pid;
  }
  return mine;
}

}  // namespace resources

int Resources(const wchar_t* pidText) {
  long long pid = 0;
  if (!Number(pidText, pid) || pid <= 0) return Usage();
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE,
                               static_cast<DWORD>(pid));
  if (!process) return 1;
  std::string how;
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  unsigned long long privateBytes = 0;
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                           sizeof memory)) {
    privateBytes = memory.PrivateUsage;
  }
  if (privateBytes == 0) {
    privateBytes = resources::CommittedPrivateBytes(process);
    how += "private:regions,";
  }
  long long gdi = GetGuiResources(process, GR_GDIOBJECTS);
  if (gdi == 0 && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
    gdi = resources::GdiTableCount(process);
    how += "gdi:table,";
  }
  SetLastError(0);
  long long user = GetGuiResources(process, GR_USEROBJECTS);
  if (user == 0 && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
    user = resources::Windows(static_cast<DWORD>(pid));
    how += "user:windows,";
  }
  DWORD count = 0;
  long long handles = GetProcessHandleCount(process, &count) ? static_cast<long long>(count) : 0;
  if (handles == 0) {
    handles = resources::SystemHandleCount(static_cast<DWORD>(pid));
    how += "handles:system,";
  }
  CloseHandle(process);
  if (!how.empty()) how.pop_back();
  Print("private=" + std::to_string(privateBytes) + " ws=" +
        std::to_string(static_cast<unsigned long long>(memory.WorkingSetSize)) +
        " gdi=" + std::to_string(gdi) + " user=" + std::to_string(user) +
        " handles=" + std::to_string(handles) + " how=" + (how.empty() ? "system" : how));
  return 0;
}

// Holds a file open with no sharing at all, as another program locking it would.
int Attributes(const wchar_t* path, const wchar_t* word) {
  if (word && !SetFileAttributesW(path, static_cast<DWORD>(std::wcstoul(word, nullptr, 0)))) {
    return 1;
  }
  const DWORD attributes = GetFileAttributesW(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return 1;
  char text[16];
  std::snprintf(text, sizeof text, "0x%lx", static_cast<unsigned long>(attributes));
  Print(text);
  return 0;
}

int Lock(const wchar_t* path, double seconds) {
  HANDLE file = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  Print("locked");
  Sleep(static_cast<DWORD>(seconds * 1000));
  CloseHandle(file);
  return 0;
}

int Run(int argc, wchar_t** argv) {
  if (argc < 2) return Usage();
  const std::wstring command = argv[1];
  const int n = argc - 2;
  wchar_t** args = argv + 2;

  if (command == L"windows" && n == 0) {
    EnumWindows(ListTopLevel, 0);
    return 0;
  }
  if (command == L"find" && n == 1) return Find(Unescape(args[0]));
  if (command == L"wait" && n == 2) return Wait(Unescape(args[0]), Seconds(args[1]));
  if (command == L"hold" && n == 2) {
    HWND hwnd = ShowWindowWith(Unescape(args[0]), WS_OVERLAPPEDWINDOW, 320, 200);
    if (!hwnd) return 1;
    Print(HandleText(hwnd));
    KeepWindow(hwnd, Seconds(args[1]));
    return 0;
  }
  if (command == L"host" && n == 3) {
    long long w = 0, h = 0;
    if (!Number(args[0], w) || !Number(args[1], h)) return Usage();
    // WS_POPUP has no frame: the client area is the whole window.
    HWND hwnd = ShowWindowWith(L"Orvtool preview host", WS_POPUP, static_cast<int>(w),
                               static_cast<int>(h));
    if (!hwnd) return 1;
    Print(HandleText(hwnd));
    KeepWindow(hwnd, Seconds(args[2]));
    return 0;
  }

  if (command == L"resources" && n == 1) return Resources(args[0]);
  if (command == L"attrib" && (n == 1 || n == 2)) {
    return Attributes(Unescape(args[0]).c_str(), n == 2 ? args[1] : nullptr);
  }
  if (command == L"lock" && n == 2) return Lock(Unescape(args[0]).c_str(), Seconds(args[1]));

  HWND hwnd = nullptr;
  if (n < 1 || !Handle(args[0], hwnd)) return Usage();
  if (command == L"exists" && n == 1) return IsWindow(hwnd) ? 0 : 1;
  if (command == L"gone" && n == 2) return Gone(hwnd, Seconds(args[1]));
  if ((command == L"post" || command == L"send") && n == 4) {
    return Message(command == L"send", hwnd, args + 1);
  }
  if (!IsWindow(hwnd)) return 1;
  if (command == L"rect" && n == 1) {
    RECT r{};
    if (!GetWindowRect(hwnd, &r)) return 1;
    Print(std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) +
          " " + std::to_string(r.bottom));
    return 0;
  }
  if (command == L"client" && n == 1) {
    RECT r{};
    POINT origin{0, 0};
    if (!GetClientRect(hwnd, &r) || !ClientToScreen(hwnd, &origin)) return 1;
    Print(std::to_string(origin.x) + " " + std::to_string(origin.y) + " " +
          std::to_string(r.right - r.left) + " " + std::to_string(r.bottom - r.top));
    return 0;
  }
  if (command == L"info" && n == 1) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char styles[80];
    std::snprintf(styles, sizeof styles, "style=0x%08lx exstyle=0x%08lx",
                  static_cast<unsigned long>(GetWindowLongW(hwnd, GWL_STYLE)),
                  static_cast<unsigned long>(GetWindowLongW(hwnd, GWL_EXSTYLE)));
    Print("parent=" + HandleText(GetAncestor(hwnd, GA_PARENT) == GetDesktopWindow()
                                     ? nullptr
                                     : GetAncestor(hwnd, GA_PARENT)) +
          " " + styles + " visible=" + (IsWindowVisible(hwnd) ? "1" : "0") +
          " pid=" + std::to_string(pid) + " class=" + Quoted(ClassOf(hwnd)) +
          " title=" + Quoted(TitleOf(hwnd)));
    return 0;
  }
  if (command == L"children" && n == 1) {
    EnumChildWindows(hwnd, ListChild, 0);
    return 0;
  }
  if (command == L"text" && n == 1) {
    // WM_GETTEXT is carried across processes; GetWindowText would not ask a control.
    std::vector<wchar_t> buffer(32768);
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, buffer.size(),
                             reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG, 5000,
                             &length)) {
      return 1;
    }
    Print(Utf8(std::wstring(buffer.data(), length)));
    return 0;
  }
  if (command == L"foreground" && n == 1) return SetForegroundWindow(hwnd) ? 0 : 1;
  if (command == L"close" && n == 1) return PostMessageW(hwnd, WM_CLOSE, 0, 0) ? 0 : 1;
  return Usage();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);  // plain line feeds, as the tests read them
  return Run(argc, argv);
}
