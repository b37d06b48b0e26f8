// The command layer of the music module: sends command strings, turns replies and error
// codes into text, and builds play commands. It keeps the text of the last query or play.
#pragma once
#include <cstdint>

#include "core/text.h"
#include "sound/mci_interface.h"

namespace orv {

class MciCommandLayer {
 public:
  static constexpr uint32_t kReplySize = 512;
  static constexpr uint32_t kErrorSize = 256;

  explicit MciCommandLayer(MciInterface& mci) : mci_(mci) {}

  // Sends command and sets text to the reply, or to the error text when the code is not 0.
  // An empty command sends nothing and gives -1.
  int32_t MciCommand(const Text& command, Text& text);
  // The reply, or "Error:" and the code when the command failed.
  Text MciQuery(const Text& command);
  // "play <device>[ from <from>][ to <to>]", sent through MciCommand.
  int32_t MciPlay(const Text& device, const Text& from, const Text& to);
  const Text& MciLastText() const { return lastText_; }

  // Sends one command with a reply buffer of replySize (none when 0). The command goes as
  // 8-bit text when the system's code page holds all of it; otherwise it goes as UTF-16,
  // so a file name outside that code page still reaches the device intact.
  int32_t Send(const Text& command, Text* reply, uint32_t replySize);

 private:
  MciInterface& mci_;
  Text lastText_;
};

}  // namespace orv
