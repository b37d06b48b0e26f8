// Number texts as any characters: the lenient readers and every conversion.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  orv::Text text;
  for (size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
  if (const auto value = orv::num::ParseNumber(text)) {
    if (!std::isfinite(*value)) std::abort();
    if (const auto f = orv::num::FloorToInt16(*value); f && *f > *value) std::abort();
    if (const auto r = orv::num::RoundToInt32(*value); r && std::fabs(*r - *value) > 0.5) std::abort();
  }
  const double lead = orv::num::ReadLeadingNumber(text);
  (void)orv::num::RoundToInt16(lead);
  (void)orv::num::FloorToInt32(lead);

  // Every number the program writes reads back as itself.
  if (size >= 8) {
    int64_t n;
    std::memcpy(&n, data, sizeof n);
    n = static_cast<int32_t>(n);
    if (orv::num::ParseNumber(orv::num::FormatNumber(n)) != static_cast<double>(n)) std::abort();
  }
  return 0;
}
