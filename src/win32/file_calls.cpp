#include "win32/file_calls.h"

#include <windows.h>

#include <algorithm>
#include <new>
#include <stdexcept>

#include "win32/wide.h"

namespace orv::win {
namespace {

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

// A plain file whose only flag is "normal" has the word 0, as the program compares it.
uint32_t AttributeWord(DWORD a) { return a == FILE_ATTRIBUTE_NORMAL ? 0u : static_cast<uint32_t>(a); }

bool CreateFolders(const std::wstring& folder) {
  if (folder.empty()) return false;
  const DWORD attrs = GetFileAttributesW(folder.c_str());
  if (attrs != INVALID_FILE_ATTRIBUTES) return (attrs & FILE_ATTRIBUTE_DIRECTORY) != 0;
  const auto pos = folder.find_last_of(L"\\/");
  if (pos != std::wstring::npos && pos > 2) CreateFolders(folder.substr(0, pos));
  return CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace

std::optional<std::vector<FileEntry>> Win32FileSystem::ListEntries(const Text& pattern,
                                                                   bool admitDirectories) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileExW(Wide(pattern).c_str(), FindExInfoBasic, &data,
                                 FindExSearchNameMatch, nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) {
      return std::vector<FileEntry>();
    }
    return std::nullopt;
  }
  std::vector<FileEntry> entries;
  do {
    const DWORD a = data.dwFileAttributes;
    if (a & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
    if ((a & FILE_ATTRIBUTE_DIRECTORY) && !admitDirectories) continue;
    entries.push_back(FileEntry{FromWide(data.cFileName), AttributeWord(a)});
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return entries;
}

std::optional<std::vector<Text>> Win32FileSystem::ListNames(const Text& pattern,
                                                            bool admitDirectories) {
  auto entries = ListEntries(pattern, admitDirectories);
  if (!entries) return std::nullopt;
  std::vector<Text> names;
  names.reserve(entries->size());
  for (FileEntry& entry : *entries) names.push_back(std::move(entry.name));
  return names;
}

std::optional<uint32_t> Win32FileSystem::Attributes(const Text& path) {
  const DWORD a = GetFileAttributesW(Wide(path).c_str());
  if (a == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return AttributeWord(a);
}

bool Win32FileSystem::CanOpenForReading(const Text& path) {
  Handle file{OpenForReading(path)};
  return file.h != INVALID_HANDLE_VALUE;
}

std::optional<std::string> Win32FileSystem::ReadAll(const Text& path) {
  Handle file{OpenForReading(path)};
  if (file.h == INVALID_HANDLE_VALUE) return std::nullopt;
  // All of it or nothing: a settings file read in part would be written back cut, and a
  // picture read in part is no picture.
  std::string bytes;
  try {
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.h, &size) && size.QuadPart > 0) {
      if (static_cast<uint64_t>(size.QuadPart) >= bytes.max_size()) return std::nullopt;
      bytes.reserve(static_cast<size_t>(size.QuadPart));
    }
    std::string chunk(1u << 20, '\0');
    for (;;) {
      DWORD got = 0;
      if (!ReadFile(file.h, chunk.data(), static_cast<DWORD>(chunk.size()), &got, nullptr)) {
        return std::nullopt;
      }
      if (got == 0) break;
      bytes.append(chunk.data(), got);
    }
  } catch (const std::bad_alloc&) {
    return std::nullopt;  // larger than this process can hold
  } catch (const std::length_error&) {
    return std::nullopt;
  }
  return bytes;
}

namespace {

// What a save must keep of the file it updates, found through the file itself: a link is
// followed to the file it names.
struct StoredFile {
  bool exists = false;
  DWORD attributes = 0;
  DWORD links = 1;
  std::wstring path;  // the file's own path (a symbolic link's target), else the name given
};

std::optional<StoredFile> Inspect(const std::wstring& name) {
  StoredFile stored{false, 0, 1, name};
  Handle file{CreateFileW(name.c_str(), FILE_READ_ATTRIBUTES,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
  if (file.h == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return stored;
    return std::nullopt;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file.h, &info)) return std::nullopt;
  stored.exists = true;
  stored.attributes = info.dwFileAttributes;
  stored.links = info.nNumberOfLinks;
  std::wstring final(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    const DWORD length = GetFinalPathNameByHandleW(file.h, final.data(),
                                                   static_cast<DWORD>(final.size()),
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) break;
    if (length < final.size()) {
      final.resize(length);
      stored.path = final;
      break;
    }
    final.assign(length + 1, L'\0');
  }
  return stored;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD part = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, part, &written, nullptr) || written != part) {
      return false;
    }
    done += part;
  }
  return FlushFileBuffers(file) != 0;
}

bool SetLength(HANDLE file, uint64_t length) {
  LARGE_INTEGER at{};
  at.QuadPart = static_cast<LONGLONG>(length);
  return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

// A file with other names (hard links) is rewritten where it is, since replacing it would
// leave those names with the old settings. The room for the new bytes is taken first, so a
// full disk fails before any old byte is overwritten.
bool RewriteInPlace(const std::wstring& path, std::string_view bytes) {
  Handle file{CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
  if (file.h == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER old{};
  if (!GetFileSizeEx(file.h, &old)) return false;
  if (bytes.size() > static_cast<uint64_t>(old.QuadPart) && !SetLength(file.h, bytes.size())) {
    SetLength(file.h, static_cast<uint64_t>(old.QuadPart));
    return false;
  }
  LARGE_INTEGER start{};
  if (!SetFilePointerEx(file.h, start, nullptr, FILE_BEGIN) || !WriteAll(file.h, bytes)) {
    return false;
  }
  return SetLength(file.h, bytes.size()) && FlushFileBuffers(file.h);
}

}  // namespace

bool Win32FileSystem::StoreFile(const Text& path, std::string_view bytes, bool createFolders) {
  const std::wstring name = Wide(path);
  const auto slash = name.find_last_of(L"\\/");
  if (createFolders && slash != std::wstring::npos && !CreateFolders(name.substr(0, slash))) {
    return false;
  }
  const auto stored = Inspect(name);
  if (!stored) return false;
  // A read-only settings file is the user's choice: replacing it must fail, not succeed.
  if (stored->exists && (stored->attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
    return false;
  }
  if (stored->exists && stored->links > 1) return RewriteInPlace(stored->path, bytes);

  // Written whole beside the file first, then put in its place, so a failure never leaves
  // half a file.
  const std::wstring& target = stored->path;
  const std::wstring temp = target + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  {
    Handle file{CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.h == INVALID_HANDLE_VALUE) return false;
    if (!WriteAll(file.h, bytes)) {
      CloseHandle(file.h);
      file.h = INVALID_HANDLE_VALUE;
      DeleteFileW(temp.c_str());
      return false;
    }
  }
  if (!MoveFileExW(temp.c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(temp.c_str());
    return false;
  }
  // The new file takes the old one's attributes (hidden, system, archive, not indexed).
  if (stored->exists) SetFileAttributesW(target.c_str(), stored->attributes);
  return true;
}

}  // namespace orv::win
