// What every fuzz target (one source file each) shares: libFuzzer's entry hands each input
// to the target's FuzzOne; Check stops a run on a broken property.
#pragma once
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string_view>

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

}  // namespace orv::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  orv::fuzz::FuzzOne({data, size});
  return 0;
}
