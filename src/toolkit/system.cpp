#include "toolkit/system.h"

namespace orv {

constexpr uint32_t kSpiSetScreenSaverRunning = 97;

int16_t IsWindowsNT(System& system) {
  const VersionInfo v = system.GetVersion();
  return v.result == 1 && v.platformId == 2 ? kTrue : kFalse;
}

void SetScreenSaverStopped(System& system, int16_t stopped) {
  system.SystemParameters(kSpiSetScreenSaverRunning, static_cast<int16_t>(~stopped));
}

Text ModeLetter(TextView commandLine) {
  return commandLine.size() < 2 ? Text() : AsciiUpper(commandLine.substr(1, 1));
}

}  // namespace orv
