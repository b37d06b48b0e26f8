// What every fuzz target (one source file each) shares: libFuzzer's entry hands each input
// to the target's FuzzOne; Check stops a run on a broken property; the random draws depend
// on nothing but the input.
#pragma once
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string_view>

#include "toolkit/random.h"

namespace orv::fuzz {

// One input, in a buffer of exactly its size: a read past its end is reported.
struct Input {
  const uint8_t* data;
  size_t size;
  std::string_view Bytes() const { return {reinterpret_cast<const char*>(data), size}; }
  FuzzedDataProvider Provider() const { return FuzzedDataProvider(data, size); }
};

void FuzzOne(Input input);

inline void Check(bool holds) {
  if (!holds) std::abort();  // libFuzzer keeps the input
}

// The program's generator on a clock that stands still: the same seed, the same draws.
class SeededDraws final : public Random {
 public:
  explicit SeededDraws(uint64_t seed = 1) : random_(clock_, seed) {}
  void Reseed() override { random_.Reseed(); }
  double Next() override { return random_.Next(); }

 private:
  struct StillClock final : Clock {
    double SecondsSinceMidnight() override { return 0; }
  } clock_;
  ClockSeededRandom random_;
};

}  // namespace orv::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  orv::fuzz::FuzzOne({data, size});
  return 0;
}
