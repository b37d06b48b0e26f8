// The multimedia interface of winmm: command strings, error texts, the simple sound player
// and the wave output count, with the system's ANSI code page for 8-bit text.
#pragma once
#include "sound/mci_interface.h"

namespace orv::win {

class MciDevice final : public MciInterface {
 public:
  std::optional<std::string> ToAnsi(TextView text) override;
  Text FromAnsi(std::string_view bytes) override;
  int32_t SendStringA(const std::string& command, std::string* reply, uint32_t replySize) override;
  int32_t SendStringW(const Text& command, Text* reply, uint32_t replySize) override;
  std::optional<std::string> GetErrorStringA(int32_t code, uint32_t size) override;
  void PlaySoundA(const std::string* name, uint32_t flags) override;
  void PlaySoundW(const Text& name, uint32_t flags) override;
  std::optional<Text> ShortPath(const Text& path) override;
  int32_t WaveOutDeviceCount() override;
};

}  // namespace orv::win
