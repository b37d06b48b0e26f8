// libFuzzer's entry for every target: the input goes to the target's FuzzOne.
#include "fuzz_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  orv::fuzz::FuzzOne({data, size});
  return 0;
}
