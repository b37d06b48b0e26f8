// Number texts as any characters: the lenient readers and every conversion.
#include <cmath>
#include <cstring>

#include "core/numbers.h"
#include "fuzz_harness.h"

namespace orv::fuzz {

void FuzzOne(Input input) {
  Text text;
  for (size_t i = 0; i + 1 < input.size; i += 2) {
    text.push_back(static_cast<char16_t>(input.data[i] | input.data[i + 1] << 8));
  }
  if (const auto value = num::ParseNumber(text)) {
    Check(std::isfinite(*value));
    if (const auto f = num::FloorToInt16(*value)) Check(*f <= *value);
    if (const auto r = num::RoundToInt32(*value)) Check(std::fabs(*r - *value) <= 0.5);
  }
  const double lead = num::ReadLeadingNumber(text);
  (void)num::RoundToInt16(lead);
  (void)num::FloorToInt32(lead);

  // Every number the program writes reads back as itself.
  if (input.size >= 8) {
    int64_t n;
    std::memcpy(&n, input.data, sizeof n);
    n = static_cast<int32_t>(n);
    Check(num::ParseNumber(num::FormatNumber(n)) == static_cast<double>(n));
  }
}

}  // namespace orv::fuzz
