#include "win32/window_effects.h"

namespace orv::win {
namespace {

ScreenRect OuterRect(HWND window) {
  RECT r{};  // stays all zeros when the window cannot be asked
  GetWindowRect(window, &r);
  return ScreenRect{r.left, r.top, r.right, r.bottom};
}

RECT ToRect(const ScreenRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

void Animate(HWND window, const ZoomPath& path) {
  const RECT from = ToRect(path.from);
  const RECT to = ToRect(path.to);
  DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

}  // namespace

void ZoomOpen(HWND window, int16_t zoomX, int16_t zoomY) {
  Animate(window, ZoomOpenPath(zoomX, zoomY, OuterRect(window)));
}

void ZoomClose(HWND window, int16_t zoomX, int16_t zoomY) {
  Animate(window, ZoomClosePath(zoomX, zoomY, OuterRect(window)));
}

void DrawFrameEdge(HDC dc, const SurfaceScale& scale, UINT edge) {
  if (const auto rect = FrameEdgeRect(scale)) {
    RECT r = ToRect(*rect);
    DrawEdge(dc, &r, edge, BF_RECT);
  }
}

}  // namespace orv::win
