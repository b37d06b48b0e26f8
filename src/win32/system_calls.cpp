#include "win32/system_calls.h"

#include <windows.h>
#include <shlobj.h>

#include "win32/scoped.h"
#include "win32/wide.h"

namespace orv::win {

bool Win32System::TopLevelWindowExists(const Text& title) {
  return FindWindowW(nullptr, Wide(title).c_str()) != nullptr;
}

VersionInfo Win32System::GetVersion() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = 148;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const BOOL result = GetVersionExA(&info);
#pragma GCC diagnostic pop
  return VersionInfo{static_cast<int32_t>(result), info.dwPlatformId};
}

void Win32System::SystemParameters(uint32_t action, int32_t param) {
  SystemParametersInfoA(action, static_cast<UINT>(param), nullptr, 0);
}

int32_t Win32System::ShowCursor(int32_t flag) { return ::ShowCursor(flag != 0); }

void Win32System::ChangeScreenSaverPassword(WindowHandle window) {
  using Change = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);
  const ScopedLibrary mpr(L"mpr.dll");
  if (auto change = mpr.Get<Change>("PwdChangePasswordA")) {
    change("SCRSAVE", reinterpret_cast<HWND>(window), 0, 0);
  }
}

int32_t Win32System::VerifyScreenSavePassword(WindowHandle window) {
  using Verify = BOOL(WINAPI*)(HWND);
  const ScopedLibrary library(L"password.cpl");
  const auto verify = library.Get<Verify>("VerifyScreenSavePwd");
  // No password service, or one without the call: nothing to ask.
  return verify ? verify(reinterpret_cast<HWND>(window)) : 1;
}

void Win32System::ShowMessage(const Text& text) {
  MessageBoxW(GetActiveWindow(), Wide(text).c_str(), L"Orvane", MB_OK);
}

double WallClock::SecondsSinceMidnight() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return t.wHour * 3600.0 + t.wMinute * 60.0 + t.wSecond + t.wMilliseconds / 1000.0;
}

Text ProgramFolder() {
  std::wstring path(32768, L'\0');
  const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(n);
  const auto slash = path.find_last_of(L'\\');
  if (slash == std::wstring::npos) return Text();
  // A drive root keeps its backslash, as the system reports "C:\".
  return FromWide(path.substr(0, slash == 2 ? 3 : slash));
}

Text UserDataFolder() {
  wchar_t path[MAX_PATH] = {};
  if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) {
    return FromWide(path);
  }
  return Text();
}

Text FullCommandLine() { return FromWide(GetCommandLineW()); }

}  // namespace orv::win
