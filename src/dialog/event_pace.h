// How often a long listing lets the waiting window events run: often enough that the
// dialog answers a click or a close at once, seldom enough that a folder of thousands of
// files is not spent mostly in event passes.
#pragma once
#include "toolkit/random.h"

namespace orv {

class EventPace {
 public:
  static constexpr double kIntervalSeconds = 0.05;

  explicit EventPace(Clock& clock) : clock_(clock) {}

  // The interval starts now.
  void Restart() { last_ = clock_.SecondsSinceMidnight(); }

  // True, and the interval starts again, once an interval has passed since the last time.
  bool Due() {
    const double now = clock_.SecondsSinceMidnight();
    // The time of day starts again at midnight (or is set back by the user): a clock that
    // went back counts as time that has passed, or the events would wait until it caught up.
    if (now >= last_ && now - last_ < kIntervalSeconds) return false;
    last_ = now;
    return true;
  }

 private:
  Clock& clock_;
  double last_ = 0;
};

}  // namespace orv
