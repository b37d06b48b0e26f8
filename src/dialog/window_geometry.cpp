#include "dialog/window_geometry.h"

#include "core/numbers.h"

namespace orv {

static ScreenRect PointRect(int16_t x, int16_t y) { return ScreenRect{x, y, x, y}; }

ZoomPath ZoomOpenPath(int16_t zoomX, int16_t zoomY, const ScreenRect& window) {
  return ZoomPath{PointRect(zoomX, zoomY), window};
}

ZoomPath ZoomClosePath(int16_t zoomX, int16_t zoomY, const ScreenRect& window) {
  return ZoomPath{window, PointRect(zoomX, zoomY)};
}

std::optional<ScreenRect> FrameEdgeRect(const SurfaceScale& scale) {
  const auto left = num::RoundToInt32(scale.left);
  const auto top = num::RoundToInt32(scale.top);
  const auto right = num::RoundToInt32(scale.width);
  const auto bottom = num::RoundToInt32(scale.height);
  if (!left || !top || !right || !bottom) return std::nullopt;
  return ScreenRect{*left, *top, *right, *bottom};
}

}  // namespace orv
