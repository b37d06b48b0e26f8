#include "support/fake_system.h"

namespace orv::test {

bool FakeSystem::TopLevelWindowExists(const Text& title) {
  calls.push_back("FindWindow " + ToUtf8(title));
  return windows.count(title) != 0;
}

VersionInfo FakeSystem::GetVersion() {
  calls.push_back("GetVersion");
  return version;
}

void FakeSystem::SystemParameters(uint32_t action, int32_t param) {
  calls.push_back("SPI " + std::to_string(action) + " " + std::to_string(param));
}

int32_t FakeSystem::ShowCursor(int32_t flag) {
  cursorCount += flag != 0 ? 1 : -1;
  calls.push_back("ShowCursor " + std::to_string(flag) + " -> " + std::to_string(cursorCount));
  return cursorCount;
}

void FakeSystem::ChangeScreenSaverPassword(WindowHandle window) {
  calls.push_back("PwdChangePassword SCRSAVE " + std::to_string(window));
}

int32_t FakeSystem::VerifyScreenSavePassword(WindowHandle window) {
  calls.push_back("VerifyScreenSavePwd " + std::to_string(window));
  return passwordAnswer;
}

void FakeSystem::ShowMessage(const Text& text) {
  calls.push_back("MessageBox");
  messages.push_back(text);
}

}  // namespace orv::test
