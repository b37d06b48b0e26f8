// A multimedia interface that answers from a script: the test says what a command replies
// or which error code it gives (any other command succeeds with an empty reply) and reads
// what was sent and played. Its 8-bit code page is Latin-1, or 932 on a Japanese system.
#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "sound/mci_interface.h"

namespace orv::test {

class ScriptedMci : public MciInterface {
 public:
  struct Answer {
    int32_t code = 0;
    std::string reply;  // UTF-8
  };
  struct Sent {
    std::string command;  // UTF-8, whichever way it went
    uint32_t replySize = 0;
    bool wide = false;
    std::string bytes;  // an 8-bit command as it went
    Answer answer;      // as the program received it
  };
  struct Sound {
    std::optional<std::string> name;  // UTF-8; none for a stop
    uint32_t flags = 0;
    bool wide = false;
    bool operator==(const Sound&) const = default;
  };

  std::map<std::string, Answer> script;
  bool japanese = false;
  int32_t waveDevices = 1;
  std::map<Text, Text> shortPaths;  // the 8.3 names the volume keeps

  std::vector<Sent> sent;
  std::vector<Sound> sounds;
  std::vector<uint32_t> errorTextSizes;
  std::vector<std::string> Commands() const {
    std::vector<std::string> commands;
    for (const Sent& s : sent) commands.push_back(s.command);
    return commands;
  }

  std::optional<std::string> ToAnsi(TextView text) override {
    if (japanese) return cp932::Encode(text);
    std::string bytes;
    for (char16_t c : text) {
      if (c > 0xFF) return std::nullopt;
      bytes.push_back(static_cast<char>(c));
    }
    return bytes;
  }
  Text FromAnsi(std::string_view bytes) override {
    if (japanese) return cp932::Decode(bytes);
    Text text;
    for (unsigned char b : bytes) text.push_back(b);
    return text;
  }
  int32_t SendStringA(const std::string& command, std::string* reply, uint32_t size) override {
    Answer& answer = Run({ToUtf8(FromAnsi(command)), size, false, command, {}});
    const std::string bytes = ToAnsi(FromUtf8(answer.reply)).value_or("");
    answer.reply = ToUtf8(FromAnsi(bytes));
    if (reply) *reply = bytes;
    return answer.code;
  }
  int32_t SendStringW(const Text& command, Text* reply, uint32_t size) override {
    const Answer& answer = Run({ToUtf8(command), size, true, {}, {}});
    if (reply) *reply = FromUtf8(answer.reply);
    return answer.code;
  }
  // The system has texts for its own codes (256 and up) only.
  std::optional<std::string> GetErrorStringA(int32_t code, uint32_t size) override {
    errorTextSizes.push_back(size);
    if (code < 256 || code > 511) return std::nullopt;
    return "MCI error " + std::to_string(code);
  }
  void PlaySoundA(const std::string* name, uint32_t flags) override {
    sounds.push_back({name ? std::optional(ToUtf8(FromAnsi(*name))) : std::nullopt, flags, false});
  }
  void PlaySoundW(const Text& name, uint32_t flags) override {
    sounds.push_back({ToUtf8(name), flags, true});
  }
  std::optional<Text> ShortPath(const Text& path) override {
    return shortPaths.count(path) ? std::optional(shortPaths.at(path)) : std::nullopt;
  }
  int32_t WaveOutDeviceCount() override { return waveDevices; }

 protected:
  virtual Answer Respond(const Sent& s) {
    return script.count(s.command) ? script.at(s.command) : Answer{};
  }

 private:
  // A failed command leaves the reply buffer empty; a reply ends at its first NUL.
  Answer& Run(Sent s) {
    s.answer = Respond(s);
    if (s.answer.code != 0) s.answer.reply.clear();
    s.answer.reply = s.answer.reply.substr(0, s.answer.reply.find('\0'));
    sent.push_back(s);
    return sent.back().answer;
  }
};

}  // namespace orv::test
