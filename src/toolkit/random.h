// Uniform pseudo-random numbers in [0, 1), re-seeded from the time of day.
#pragma once
#include <cstdint>

namespace orv {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual double SecondsSinceMidnight() = 0;  // with its fraction
};

class Random {
 public:
  virtual ~Random() = default;
  virtual void Reseed() = 0;
  virtual double Next() = 0;  // in [0, 1)
};

// The program's generator. A re-seed mixes the time into the running state instead of
// replacing it, so two re-seeds within the same clock tick still give fresh numbers.
class ClockSeededRandom final : public Random {
 public:
  explicit ClockSeededRandom(Clock& clock, uint64_t state = 0x9E3779B97F4A7C15ull)
      : clock_(clock), state_(state) {}
  void Reseed() override;
  double Next() override;

 private:
  Clock& clock_;
  uint64_t state_;
};

}  // namespace orv
