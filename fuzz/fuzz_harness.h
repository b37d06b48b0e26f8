// What every fuzz target shares: libFuzzer's entry hands each input to the target's FuzzOne;
// Check stops a run on a broken property; stand-ins for the random draws and the picture
// loader depend on nothing but the input.
#pragma once
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>

#include "toolkit/picture_loader.h"
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

// Pictures handed out by path; a path not listed is a file that cannot be loaded.
struct PicturesByPath final : PictureLoader {
  std::optional<Surface> Load(const Text& path) override {
    for (const auto& [name, picture] : pictures) {
      if (name == path) return picture;
    }
    return std::nullopt;
  }
  std::vector<std::pair<Text, Surface>> pictures;
};

}  // namespace orv::fuzz
