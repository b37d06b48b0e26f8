#include "win32/win32_file_system.h"

#include <windows.h>

#include "win32/wide.h"

namespace orv::win {
namespace {

// Larger files are not settings files; reading stops there instead of exhausting memory.
constexpr DWORD kReadLimit = 64u << 20;

struct Handle {
  HANDLE h;
  ~Handle() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};

HANDLE OpenForReading(const Text& path) {
  return CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool CreateFolders(const std::wstring& folder) {
  if (folder.empty()) return false;
  const DWORD attrs = GetFileAttributesW(folder.c_str());
  if (attrs != INVALID_FILE_ATTRIBUTES) return (attrs & FILE_ATTRIBUTE_DIRECTORY) != 0;
  const auto pos = folder.find_last_of(L"\\/");
  if (pos != std::wstring::npos && pos > 2) CreateFolders(folder.substr(0, pos));
  return CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace

std::optional<std::vector<Text>> Win32FileSystem::ListNames(const Text& pattern,
                                                            bool admitDirectories) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileExW(Wide(pattern).c_str(), FindExInfoBasic, &data,
                                 FindExSearchNameMatch, nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) {
      return std::vector<Text>();
    }
    return std::nullopt;
  }
  std::vector<Text> names;
  do {
    const DWORD a = data.dwFileAttributes;
    if (a & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
    if ((a & FILE_ATTRIBUTE_DIRECTORY) && !admitDirectories) continue;
    names.push_back(FromWide(data.cFileName));
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return names;
}

std::optional<uint32_t> Win32FileSystem::Attributes(const Text& path) {
  const DWORD a = GetFileAttributesW(Wide(path).c_str());
  if (a == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return a == FILE_ATTRIBUTE_NORMAL ? 0u : static_cast<uint32_t>(a);
}

bool Win32FileSystem::CanOpenForReading(const Text& path) {
  Handle file{OpenForReading(path)};
  return file.h != INVALID_HANDLE_VALUE;
}

std::optional<std::string> Win32FileSystem::ReadAll(const Text& path) {
  Handle file{OpenForReading(path)};
  if (file.h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (bytes.size() < kReadLimit && ReadFile(file.h, buffer, sizeof buffer, &got, nullptr) &&
         got > 0) {
    bytes.append(buffer, got);
  }
  if (bytes.size() > kReadLimit) bytes.resize(kReadLimit);
  return bytes;
}

bool Win32FileSystem::StoreFile(const Text& path, std::string_view bytes, bool createFolders) {
  const std::wstring target = Wide(path);
  const auto slash = target.find_last_of(L"\\/");
  if (createFolders && slash != std::wstring::npos && !CreateFolders(target.substr(0, slash))) {
    return false;
  }
  const std::wstring temp = target + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  {
    Handle file{CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file.h, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                              nullptr) &&
                    written == bytes.size() && FlushFileBuffers(file.h);
    if (!ok) {
      CloseHandle(file.h);
      file.h = INVALID_HANDLE_VALUE;
      DeleteFileW(temp.c_str());
      return false;
    }
  }
  // A read-only settings file is the user's choice: replacing it must fail, not succeed.
  const DWORD old = GetFileAttributesW(target.c_str());
  if (old != INVALID_FILE_ATTRIBUTES && (old & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
    DeleteFileW(temp.c_str());
    return false;
  }
  if (!MoveFileExW(temp.c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace orv::win
