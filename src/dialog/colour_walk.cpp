#include "dialog/colour_walk.h"

#include <cmath>

namespace orv {

void ColourWalk::Tick(Random& random) {
  bool allAtEnds = true;
  for (int16_t c : channels) allAtEnds = allAtEnds && (c == 0 || c == 250);
  if (allAtEnds) {
    for (int16_t& d : directions) d = static_cast<int16_t>(std::floor(3 * random.Next()));
  }
  for (size_t i = 0; i < 3; ++i) {
    if (directions[i] == kDown && channels[i] != 0) channels[i] -= 10;
  }
  for (size_t i = 0; i < 3; ++i) {
    if (directions[i] == kUp && channels[i] != 250) channels[i] += 10;
  }
}

uint32_t ColourWalk::Colour() const {
  return static_cast<uint32_t>(channels[0]) << 16 | static_cast<uint32_t>(channels[1]) << 8 |
         static_cast<uint32_t>(channels[2]);
}

}  // namespace orv
