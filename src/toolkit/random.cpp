#include "toolkit/random.h"

#include <bit>
#include <cstring>

namespace orv {
namespace {

uint64_t Mix(uint64_t z) {  // splitmix64 finaliser
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

void ClockSeededRandom::Reseed() {
  state_ = Mix(state_ ^ std::bit_cast<uint64_t>(clock_.SecondsSinceMidnight()));
}

double ClockSeededRandom::Next() {
  state_ += 0x9E3779B97F4A7C15ull;
  // 53 random bits give a double strictly below 1.
  return static_cast<double>(Mix(state_) >> 11) * 0x1.0p-53;
}

}  // namespace orv
