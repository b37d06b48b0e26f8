// The link label's text colour: each channel walks in steps of 10 between 0 and 250, and
// when all three rest at an end a new direction is drawn for each.
#pragma once
#include <array>
#include <cstdint>

#include "toolkit/random.h"

namespace orv {

class ColourWalk {
 public:
  enum Direction : int16_t { kStay = 0, kDown = 1, kUp = 2 };

  // One step (every 50 ms).
  void Tick(Random& random);
  // 0x00RRGGBB.
  uint32_t Colour() const;

  std::array<int16_t, 3> channels{};    // red, green, blue: 0..250, multiples of 10
  std::array<int16_t, 3> directions{};  // Direction codes
};

}  // namespace orv
