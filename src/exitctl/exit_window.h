// What the exit control asks of the show's window: its handle (the owner of the system's
// password dialog) and the end of the program.
#pragma once
#include "toolkit/system.h"

namespace orv {

class ExitWindow {
 public:
  virtual ~ExitWindow() = default;
  virtual WindowHandle Handle() const = 0;
  // Unloads the display window and ends the program (after the current handler returns).
  virtual void UnloadAndEnd() = 0;
};

}  // namespace orv
