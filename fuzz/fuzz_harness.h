// What every fuzz target shares: libFuzzer's entry, which hands each input to the target's
// FuzzOne; the check that stops a run on a broken property; and stand-ins for the random
// draws and the picture loader that depend on nothing but the input.
#pragma once
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "core/text.h"
#include "toolkit/picture_loader.h"
#include "toolkit/random.h"
#include "toolkit/surface.h"

namespace orv::fuzz {

// One input, in a buffer of exactly its size: a read past its end is reported.
struct Input {
  const uint8_t* data;
  size_t size;
  std::string_view Bytes() const { return {reinterpret_cast<const char*>(data), size}; }
  FuzzedDataProvider Provider() const { return FuzzedDataProvider(data, size); }
};

// Each target defines this: one run over one input.
void FuzzOne(Input input);

// A property that does not hold: the run stops, and libFuzzer keeps the input.
inline void Check(bool holds) {
  if (!holds) std::abort();
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
class PicturesByPath final : public PictureLoader {
 public:
  std::optional<Surface> Load(const Text& path) override {
    for (const auto& [name, picture] : pictures) {
      if (name == path) return picture;
    }
    return std::nullopt;
  }
  std::vector<std::pair<Text, Surface>> pictures;
};

}  // namespace orv::fuzz
