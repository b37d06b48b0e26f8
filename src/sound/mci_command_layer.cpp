#include "sound/mci_command_layer.h"

#include <string>

namespace orv {

int32_t MciCommandLayer::Send(const Text& command, Text* reply, uint32_t replySize) {
  if (auto bytes = mci_.ToAnsi(command)) {
    std::string answer;
    const int32_t code = mci_.SendStringA(*bytes, reply ? &answer : nullptr, replySize);
    if (reply) *reply = mci_.FromAnsi(answer);
    return code;
  }
  Text answer;
  const int32_t code = mci_.SendStringW(command, reply ? &answer : nullptr, replySize);
  if (reply) *reply = answer;
  return code;
}

int32_t MciCommandLayer::MciCommand(const Text& command, Text& text) {
  if (command.empty()) {
    text = u"コマンド文字列が指定されていません";
    return -1;
  }
  Text reply;
  const int32_t code = Send(command, &reply, kReplySize);
  if (code != 0) {
    if (auto error = mci_.GetErrorStringA(code, kErrorSize)) {
      text = mci_.FromAnsi(*error);
    } else {
      text = u"Error (文字列が取れません)";
    }
    return code;
  }
  text = reply;
  return 0;
}

Text MciCommandLayer::MciQuery(const Text& command) {
  const int32_t code = MciCommand(command, lastText_);
  if (code != 0) {
    const std::string digits = std::to_string(code);
    return u"Error:" + Text(digits.begin(), digits.end());
  }
  return lastText_;
}

int32_t MciCommandLayer::MciPlay(const Text& device, const Text& from, const Text& to) {
  Text command = u"play " + device;
  if (!from.empty()) command += u" from " + from;
  if (!to.empty()) command += u" to " + to;
  return MciCommand(command, lastText_);
}

}  // namespace orv
