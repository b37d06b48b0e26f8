// A scripted stand-in for the system calls of start-up and exit; it records every call.
#pragma once
#include <set>
#include <string>
#include <vector>

#include "toolkit/system.h"

namespace orv::test {

class FakeSystem : public System {
 public:
  std::set<Text> windows;          // titles of existing top-level windows
  VersionInfo version{1, 2};       // the NT family unless a test says otherwise
  int32_t cursorCount = 0;
  int32_t passwordAnswer = 1;
  std::vector<std::string> calls;  // e.g. "SPI 97 0", "ShowCursor 0 -> -1"
  std::vector<Text> messages;

  bool TopLevelWindowExists(const Text& title) override {
    calls.push_back("FindWindow " + ToUtf8(title));
    return windows.count(title) != 0;
  }
  VersionInfo GetVersion() override { return calls.push_back("GetVersion"), version; }
  void SystemParameters(uint32_t action, int32_t param) override {
    calls.push_back("SPI " + std::to_string(action) + " " + std::to_string(param));
  }
  int32_t ShowCursor(int32_t flag) override {
    cursorCount += flag != 0 ? 1 : -1;
    calls.push_back("ShowCursor " + std::to_string(flag) + " -> " + std::to_string(cursorCount));
    return cursorCount;
  }
  void ChangeScreenSaverPassword(WindowHandle window) override {
    calls.push_back("PwdChangePassword SCRSAVE " + std::to_string(window));
  }
  int32_t VerifyScreenSavePassword(WindowHandle window) override {
    return calls.push_back("VerifyScreenSavePwd " + std::to_string(window)), passwordAnswer;
  }
  void ShowMessage(const Text& text) override {
    calls.push_back("MessageBox");
    messages.push_back(text);
  }
};

}  // namespace orv::test
