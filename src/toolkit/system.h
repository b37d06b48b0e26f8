// The system calls of start-up and exit, behind one small interface, and the few rules
// built directly on them.
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

// kTrue on the NT family (GetVersionExA answered 1 and the platform id is 2).
int16_t IsWindowsNT(System& system);
// Tells the system whether a screen saver runs: kTrue (stopped) sends 0, kFalse sends -1.
void SetScreenSaverStopped(System& system, int16_t stopped);
// The mode letter: the second character of the command line, upper-cased; empty when the
// command line is shorter.
Text ModeLetter(TextView commandLine);

// Window outer rectangle in screen pixels.
struct ScreenRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

}  // namespace orv
