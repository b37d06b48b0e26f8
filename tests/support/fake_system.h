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

  bool TopLevelWindowExists(const Text& title) override;
  VersionInfo GetVersion() override;
  void SystemParameters(uint32_t action, int32_t param) override;
  int32_t ShowCursor(int32_t flag) override;
  void ChangeScreenSaverPassword(WindowHandle window) override;
  int32_t VerifyScreenSavePassword(WindowHandle window) override;
  void ShowMessage(const Text& text) override;
};

}  // namespace orv::test
