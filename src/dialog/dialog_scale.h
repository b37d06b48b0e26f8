// The dialog is designed at 96 dots per inch; these rules carry its layout to the DPI of the
// monitor it is on, with the one rounding of core/dpi_scale.h.
#pragma once
#include <cstdint>
#include <functional>

#include "core/dpi_scale.h"
#include "dialog/dialog_layout.h"

namespace orv {

struct DpiRect {
  int32_t x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const DpiRect&, const DpiRect&) = default;
};

// A control's rectangle in client pixels at `dpi`: its position in its parent, its size and
// every parent's position are each scaled, so a control keeps its place inside its panel.
// `width` and `height` are the control's current design size (the preview changes its own).
DpiRect ScaledControlRect(const ControlLayout& row, int32_t width, int32_t height, int32_t dpi);
inline DpiRect ScaledControlRect(const ControlLayout& row, int32_t dpi) {
  return ScaledControlRect(row, row.width, row.height, dpi);
}

// Where the dialog's window goes. `monitor` is the monitor it opens on, in screen pixels;
// `outer` the outer size its frame needs around the client area at `dpi`. The window is
// never smaller than the design's outer size scaled, centred on the monitor, and moved back
// onto it where it would stick out (its top-left corner wins when it is larger).
struct MonitorArea {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};
struct WindowPlace {
  int32_t left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const WindowPlace&, const WindowPlace&) = default;
};
WindowPlace PlaceDialog(const MonitorArea& monitor, int32_t outerWidth, int32_t outerHeight,
                        int32_t dpi);

// The pixel height of the captions' font at `dpi`; `overflow(height)` tells by how many
// pixels the widest fixed caption spills past its scaled box at that height (0 or less: all
// fit). The layout was drawn round its font at 96 DPI, the face's small overflows included,
// and stays exactly so there. Elsewhere glyph widths do not grow in step with the DPI
// (hinting, whole pixels), so the font comes down a pixel at a time from its scaled height
// until every caption fits, by a quarter at most.
int32_t DialogFontHeight(int32_t dpi, const std::function<int32_t(int32_t height)>& overflow);

}  // namespace orv
