// The fragments of a crash: the working values the show converts its settings into once,
// the fixed pool of fragments in flight, and the two things that happen to it, a burst
// launched at an impact and a step of the animation tick.
#pragma once
#include <array>
#include <cstdint>

#include "core/text.h"
#include "settings/settings.h"
#include "toolkit/random.h"

namespace orv {

struct Ball {
  float Xpos = 0;      // left edge
  float Ypos = 0;      // height line; Ystart - Ypos is the height above the ground
  float Xvel = 0;      // fixed at launch
  float Yvel = 0;      // negative upwards
  float Ystart = 0;    // the ground line: the impact's row
  float Ytilt = 0;     // depth offset shared by the piece and its shadow
  float Ytiltvel = 0;
  float Yshadow = 0;   // top row of the shadow, always a whole number
  int16_t Shape = 0;   // sprite 1..4
  int16_t Enabled = kFalse;
};

// The crash settings in the units the launch and the step work in. The sliders store
// hundredths of the bounce, tenths of the gravity and fifths of the spread.
struct CrashParams {
  int32_t burst = 0;        // fragments per impact
  double intensity = 0;     // launch speed: up to intensity / 3 + intensity / 20 upwards
  float spreadX = 0;        // sideways speed range, centred on 0
  float spreadTilt = 0;     // depth speed range, centred on 0
  float bounce = 0;         // the share of its speed a fragment keeps at a bounce
  float gravityStep = 0;    // speed gained per tick
  int32_t tickMs = 0;       // animation interval
};
CrashParams CrashParamsFrom(const Settings& settings);

class FragmentPool {
 public:
  static constexpr int kSlots = 500;

  // Fragments in flight.
  int32_t Active() const { return active_; }
  // Slots 1..kSlots; a disabled slot is free.
  const Ball& Slot(int i) const { return slots_[static_cast<size_t>(i)]; }

  // A burst of `count` fragments at the impact point, each into the lowest free slot. A
  // burst flies whole or not at all: nothing is launched when count is 0 or less or when
  // it does not fit beside the fragments in flight. Draws four random numbers per fragment.
  bool Launch(const CrashParams& params, int32_t count, int16_t x, int16_t y, Random& random);

  // One animation tick: gravity, moves and bounces. A fragment leaves the pool when it
  // has left the screen (width x height), or when a bounce leaves it too slow to rise.
  void Step(const CrashParams& params, double width, double height);

  void Clear() { *this = FragmentPool{}; }

 private:
  void Free(Ball& ball);

  std::array<Ball, kSlots + 1> slots_{};  // slot 0 exists and is never used
  int32_t active_ = 0;
};

}  // namespace orv
