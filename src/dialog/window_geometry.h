// The rectangles of the dialog's window effects: the zoom outline between the zoom point
// and the dialog, and the raised edge round a picture surface.
#pragma once
#include <cstdint>
#include <optional>

#include "toolkit/system.h"

namespace orv {

struct ZoomPath {
  ScreenRect from;
  ScreenRect to;
};

// Opening grows out of the zoom point (a rectangle of no size) into the window's outer
// rectangle; closing runs the same path backwards.
ZoomPath ZoomOpenPath(int16_t zoomX, int16_t zoomY, const ScreenRect& window);
ZoomPath ZoomClosePath(int16_t zoomX, int16_t zoomY, const ScreenRect& window);

// A surface's scale values: its origin and its size in its own units.
struct SurfaceScale {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
};

// The rectangle the raised edge is drawn inside: left/top from the scale origin,
// right/bottom from the scale size, each rounded with halves to even. nullopt when a value
// does not fit 32 bits, and the edge is then left undrawn.
std::optional<ScreenRect> FrameEdgeRect(const SurfaceScale& scale);

}  // namespace orv
