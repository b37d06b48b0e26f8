// One fragment of a crash, and the display window's fixed pool of them.
#pragma once
#include <array>
#include <cstdint>

#include "core/text.h"

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
  int16_t Color = 0;   // carried, never used: the sheet gives the colour
};

inline constexpr int kBallSlots = 500;

// Slots 1..500 (slot 0 exists and is never used). ActiveCount is the number of enabled
// slots between ticks; it is raised by a whole burst before the burst is launched.
struct Balls {
  std::array<Ball, kBallSlots + 1> slot{};
  int32_t ActiveCount = 0;

  Ball& operator[](int i) { return slot[static_cast<size_t>(i)]; }
  const Ball& operator[](int i) const { return slot[static_cast<size_t>(i)]; }

  // The lowest-numbered free slot from `from` on; 0 when there is none.
  int FirstFree(int from = 1) const {
    for (int i = from; i <= kBallSlots; ++i)
      if (slot[static_cast<size_t>(i)].Enabled == kFalse) return i;
    return 0;
  }
};

}  // namespace orv
