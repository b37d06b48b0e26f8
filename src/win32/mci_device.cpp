#include "win32/mci_device.h"

#include <windows.h>
#include <mmsystem.h>

#include <vector>

#include "win32/wide.h"

namespace orv::win {

std::optional<std::string> MciDevice::ToAnsi(TextView text) {
  if (text.empty()) return std::string();
  const std::wstring wide = Wide(text);
  const int length = static_cast<int>(wide.size());
  // A UTF-8 system code page holds every character and takes no "default used" flag.
  const bool utf8 = GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;
  const int size =
      WideCharToMultiByte(CP_ACP, flags, wide.data(), length, nullptr, 0, nullptr, usedDefaultOut);
  if (size <= 0 || usedDefault) return std::nullopt;
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, flags, wide.data(), length, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

Text MciDevice::FromAnsi(std::string_view bytes) {
  if (bytes.empty()) return Text();
  const int length = static_cast<int>(bytes.size());
  const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
  if (size <= 0) return Text();
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, wide.data(), size);
  return FromWide(wide);
}

int32_t MciDevice::SendStringA(const std::string& command, std::string* reply, uint32_t replySize) {
  std::vector<char> buffer(replySize + 1, '\0');
  const MCIERROR code =
      mciSendStringA(command.c_str(), replySize ? buffer.data() : nullptr, replySize, nullptr);
  if (reply) *reply = code == 0 ? std::string(buffer.data()) : std::string();
  return static_cast<int32_t>(code);
}

int32_t MciDevice::SendStringW(const Text& command, Text* reply, uint32_t replySize) {
  std::vector<wchar_t> buffer(replySize + 1, L'\0');
  const MCIERROR code =
      mciSendStringW(Wide(command).c_str(), replySize ? buffer.data() : nullptr, replySize, nullptr);
  if (reply) *reply = code == 0 ? FromWide(buffer.data()) : Text();
  return static_cast<int32_t>(code);
}

std::optional<std::string> MciDevice::GetErrorStringA(int32_t code, uint32_t size) {
  std::vector<char> buffer(size + 1, '\0');
  if (!mciGetErrorStringA(static_cast<MCIERROR>(code), buffer.data(), size)) return std::nullopt;
  return std::string(buffer.data());
}

void MciDevice::PlaySoundA(const std::string* name, uint32_t flags) {
  ::PlaySoundA(name ? name->c_str() : nullptr, nullptr, flags);
}

void MciDevice::PlaySoundW(const Text& name, uint32_t flags) {
  ::PlaySoundW(Wide(name).c_str(), nullptr, flags);
}

std::optional<Text> MciDevice::ShortPath(const Text& path) {
  const std::wstring wide = Wide(path);
  const DWORD size = GetShortPathNameW(wide.c_str(), nullptr, 0);
  if (size == 0) return std::nullopt;
  std::vector<wchar_t> buffer(size + 1, L'\0');
  const DWORD length = GetShortPathNameW(wide.c_str(), buffer.data(), size + 1);
  if (length == 0 || length > size) return std::nullopt;
  return FromWide(buffer.data());
}

int32_t MciDevice::WaveOutDeviceCount() { return static_cast<int32_t>(waveOutGetNumDevs()); }

}  // namespace orv::win
