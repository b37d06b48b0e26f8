// Lengths designed at 96 dots per inch carried to another DPI. One rounding everywhere
// (halves away from zero, as the system's MulDiv rounds), so the same design value always
// lands on the same number of pixels.
#pragma once
#include <cstdint>

namespace orv {

inline constexpr int32_t kDesignDpi = 96;

// A DPI the system reports; nonsense (0, negative, absurd) falls back to the design's.
int32_t UsableDpi(int32_t dpi);

// A design length or coordinate at `dpi`.
int32_t ScaleToDpi(int32_t value, int32_t dpi);
// A length at `dpi` back in design units (for mouse positions the design measures).
int32_t ScaleFromDpi(int32_t value, int32_t dpi);

// The pixel height of the em box of a font of `points` at `dpi` (13 for 9.75 points at 96).
int32_t FontPixelHeight(double points, int32_t dpi);

}  // namespace orv
