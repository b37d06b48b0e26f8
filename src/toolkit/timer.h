// A window timer as the handlers see it: an interval in milliseconds (0: no ticks) and an
// enabled flag. Setting the interval restarts the count. Ticks arrive on the GUI thread and
// never nest; the window forwards each tick to its handler.
#pragma once
#include <cstdint>

namespace orv {

class Timer {
 public:
  virtual ~Timer() = default;
  virtual void SetInterval(int32_t ms) = 0;
  virtual int32_t Interval() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
};

// Lets the window events that are waiting run once, then returns.
class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void DoEvents() = 0;
};

}  // namespace orv
