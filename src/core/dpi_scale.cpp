#include "core/dpi_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace orv {
namespace {

// value * numerator / denominator, rounded half away from zero, in 64 bits.
int32_t MulDivRound(int64_t value, int64_t numerator, int64_t denominator) {
  const int64_t q = (std::llabs(value * numerator) + denominator / 2) / denominator;
  return static_cast<int32_t>(std::clamp<int64_t>(value < 0 ? -q : q, INT32_MIN, INT32_MAX));
}

}  // namespace

int32_t UsableDpi(int32_t dpi) {
  // 24 to 960 DPI covers 25 % to 1000 % scaling; anything else is a failed query.
  return dpi >= 24 && dpi <= 960 ? dpi : kDesignDpi;
}

int32_t ScaleToDpi(int32_t value, int32_t dpi) {
  return MulDivRound(value, UsableDpi(dpi), kDesignDpi);
}

int32_t ScaleFromDpi(int32_t value, int32_t dpi) {
  return MulDivRound(value, kDesignDpi, UsableDpi(dpi));
}

int32_t FontPixelHeight(double points, int32_t dpi) {
  return MulDivRound(std::llround(points * 100), UsableDpi(dpi), 7200);
}

}  // namespace orv
