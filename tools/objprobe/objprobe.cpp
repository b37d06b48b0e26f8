// objprobe PID: what a long run of the show watches for growth in another process, as one
// line: private=BYTES ws=BYTES gdi=N user=N handles=N how=SOURCES. scripts/soak.sh samples
// it; it is no part of the tests. Exit codes: 0 printed, 1 no such process, 2 wrong usage.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

void Print(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

// Where the system does not answer (Wine counts none of the objects and no private bytes
// for another process), the figures come from the process's committed private regions, its
// GDI handle table (the one its PEB points to, in Wine's layout), its windows and the
// system's handle list; "how=" names the sources.

template <typename F>
F Ntdll(const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name)));
}

unsigned long long CommittedPrivateBytes(HANDLE process) {
  unsigned long long total = 0;
  MEMORY_BASIC_INFORMATION info;
  for (const char* at = nullptr; VirtualQueryEx(process, at, &info, sizeof info) == sizeof info;) {
    if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
    const char* next = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
    if (next <= at) break;
    at = next;
  }
  return total;
}

// Wine's GDI handle table: 65536 entries of 24 bytes; a live handle has a non-zero type.
long long GdiTableCount(HANDLE process) {
  struct { LONG_PTR exitStatus; char* peb; ULONG_PTR rest[4]; } basic{};
  const auto query = Ntdll<LONG(WINAPI*)(HANDLE, ULONG, void*, ULONG, ULONG*)>("NtQueryInformationProcess");
  if (!query || query(process, 0, &basic, sizeof basic, nullptr) != 0 || !basic.peb) return -1;
  constexpr size_t kTableField = sizeof(void*) == 8 ? 0xF8 : 0x94, kEntrySize = 24, kTypeAt = 14;
  void* table = nullptr;
  SIZE_T got = 0;
  std::vector<unsigned char> entries(0x10000 * kEntrySize);
  if (!ReadProcessMemory(process, basic.peb + kTableField, &table, sizeof table, &got) || !table ||
      !ReadProcessMemory(process, table, entries.data(), entries.size(), &got)) {
    return -1;
  }
  long long live = 0;
  for (size_t i = 0; i < got / kEntrySize; ++i) live += entries[i * kEntrySize + kTypeAt] != 0;
  return live;
}

struct WindowCount { DWORD pid; long long count; };

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM p) {
  auto* windows = reinterpret_cast<WindowCount*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == windows->pid) ++windows->count;
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM p) {
  CountWindow(hwnd, p);
  return EnumChildWindows(hwnd, CountWindow, p), TRUE;
}

long long Windows(DWORD pid) {
  WindowCount windows{pid, 0};
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
  for (HWND h = nullptr; (h = FindWindowExW(HWND_MESSAGE, h, nullptr, nullptr));) {
    CountWindow(h, reinterpret_cast<LPARAM>(&windows));
  }
  return windows.count;
}

long long SystemHandleCount(DWORD pid) {
  struct Entry { ULONG pid; UCHAR type, flags; USHORT value; void* object; ULONG access; };
  const auto query = Ntdll<LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*)>("NtQuerySystemInformation");
  std::vector<unsigned char> buffer(1 << 16);
  for (ULONG needed = 0; query; buffer.resize(std::max<size_t>(buffer.size() * 2, needed))) {
    const LONG status = query(16 /*SystemHandleInformation*/, buffer.data(), ULONG(buffer.size()), &needed);
    if (status == 0) break;
    if (static_cast<ULONG>(status) != 0xC0000004u || buffer.size() > (64u << 20)) return -1;
  }
  if (!query) return -1;
  const ULONG count = *reinterpret_cast<ULONG*>(buffer.data());
  const auto* entries = reinterpret_cast<const Entry*>(buffer.data() + sizeof(void*));
  long long mine = 0;
  for (ULONG i = 0; i < count && sizeof(void*) + (i + 1) * sizeof(Entry) <= buffer.size(); ++i) {
    mine += entries[i].pid == pid;
  }
  return mine;
}

int Resources(DWORD pid) {
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!process) return 1;
  std::string how;
  PROCESS_MEMORY_COUNTERS_EX memory{};
  unsigned long long privateBytes =
      GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)
          ? memory.PrivateUsage : 0;
  if (privateBytes == 0) privateBytes = CommittedPrivateBytes(process), how += "private:regions,";
  long long gdi = GetGuiResources(process, GR_GDIOBJECTS);
  if (gdi == 0 && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
    gdi = GdiTableCount(process), how += "gdi:table,";
  }
  SetLastError(0);
  long long user = GetGuiResources(process, GR_USEROBJECTS);
  if (user == 0 && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
    user = Windows(pid), how += "user:windows,";
  }
  DWORD count = 0;
  long long handles = GetProcessHandleCount(process, &count) ? count : 0;
  if (handles == 0) handles = SystemHandleCount(pid), how += "handles:system,";
  CloseHandle(process);
  if (!how.empty()) how.pop_back();
  Print("private=" + std::to_string(privateBytes) + " ws=" + std::to_string(memory.WorkingSetSize) +
        " gdi=" + std::to_string(gdi) + " user=" + std::to_string(user) +
        " handles=" + std::to_string(handles) + " how=" + (how.empty() ? "system" : how));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return std::fputs("usage: objprobe PID\n", stderr), 2;
  return Resources(static_cast<DWORD>(std::wcstoul(argv[1], nullptr, 0)));
}
