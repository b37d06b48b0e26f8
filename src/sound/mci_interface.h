// The system's multimedia services as the music module uses them: the command-string
// interface, its error texts, the simple sound player and the count of wave outputs.
// Commands, replies and file names cross as the system's 8-bit (ANSI) text; the wide forms
// carry what that code page cannot represent.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/text.h"

namespace orv {

class MciInterface {
 public:
  virtual ~MciInterface() = default;

  // The text in the system's 8-bit code page; nullopt when some character has no code in it.
  virtual std::optional<std::string> ToAnsi(TextView text) = 0;
  virtual Text FromAnsi(std::string_view bytes) = 0;

  // mciSendStringA(command, reply buffer of replySize bytes, replySize, no callback window);
  // with replySize 0 no buffer is passed. *reply receives the buffer up to its first NUL
  // (empty when the call fails). Returns the interface's code, 0 for success.
  virtual int32_t SendStringA(const std::string& command, std::string* reply,
                              uint32_t replySize) = 0;
  // mciSendStringW: the same with a buffer of replySize UTF-16 units.
  virtual int32_t SendStringW(const Text& command, Text* reply, uint32_t replySize) = 0;

  // mciGetErrorStringA(code, buffer of size bytes, size); nullopt when the call fails.
  virtual std::optional<std::string> GetErrorStringA(int32_t code, uint32_t size) = 0;

  // PlaySoundA(name, no module, flags); a null name stops the sound playing.
  virtual void PlaySoundA(const std::string* name, uint32_t flags) = 0;
  virtual void PlaySoundW(const Text& name, uint32_t flags) = 0;

  // GetShortPathNameW: the 8.3 form of an existing path; nullopt when the system gives none.
  virtual std::optional<Text> ShortPath(const Text& path) = 0;

  // waveOutGetNumDevs().
  virtual int32_t WaveOutDeviceCount() = 0;
};

}  // namespace orv
