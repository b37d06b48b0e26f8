// The two platform procedures of the main module that other parts call.
#pragma once
#include <cstdint>

#include "toolkit/system.h"

namespace orv {

// kTrue on the NT family (GetVersionExA answered 1 and the platform id is 2).
int16_t IsWindowsNT(System& system);
// Tells the system whether a screen saver runs: kTrue (stopped) sends 0, kFalse sends -1.
void SetScreenSaverStopped(System& system, int16_t stopped);

}  // namespace orv
