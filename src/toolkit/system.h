// The system calls of start-up and exit, behind one small interface.
#pragma once
#include <cstdint>

#include "core/text.h"

namespace orv {

using WindowHandle = intptr_t;

struct VersionInfo {
  int32_t result = 0;        // what GetVersionExA returned
  uint32_t platformId = 0;   // dwPlatformId; 2 is the NT family
};

class System {
 public:
  virtual ~System() = default;
  // A top-level window with exactly this title exists.
  virtual bool TopLevelWindowExists(const Text& title) = 0;
  virtual VersionInfo GetVersion() = 0;
  // SystemParametersInfoA(action, param, nullptr, 0); the result is not used.
  virtual void SystemParameters(uint32_t action, int32_t param) = 0;
  // ShowCursor(flag != 0); returns the new display count.
  virtual int32_t ShowCursor(int32_t flag) = 0;
  // PwdChangePasswordA("SCRSAVE", window, 0, 0) from mpr.
  virtual void ChangeScreenSaverPassword(WindowHandle window) = 0;
  // VerifyScreenSavePwd(window) from the password control-panel library; 0 is refused.
  virtual int32_t VerifyScreenSavePassword(WindowHandle window) = 0;
  // A message box with an OK button and the program's name as its title.
  virtual void ShowMessage(const Text& text) = 0;
};

}  // namespace orv
