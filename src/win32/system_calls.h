// The system calls of start-up and exit.
#pragma once
#include "toolkit/random.h"
#include "toolkit/system.h"

namespace orv::win {

class Win32System final : public System {
 public:
  bool TopLevelWindowExists(const Text& title) override;
  VersionInfo GetVersion() override;
  void SystemParameters(uint32_t action, int32_t param) override;
  int32_t ShowCursor(int32_t flag) override;
  void ChangeScreenSaverPassword(WindowHandle window) override;
  int32_t VerifyScreenSavePassword(WindowHandle window) override;
  void ShowMessage(const Text& text) override;
};

class WallClock final : public Clock {
 public:
  double SecondsSinceMidnight() override;
};

// The folder of the running program, as the system reports it (no trailing backslash except
// for a drive root), and the user's application-data folder (empty when unknown).
Text ProgramFolder();
Text UserDataFolder();
Text FullCommandLine();

}  // namespace orv::win
