#include "dialog/dialog_scale.h"

#include <algorithm>

namespace orv {

DpiRect ScaledControlRect(const ControlLayout& row, int32_t width, int32_t height,
                          int32_t dpi) {
  DpiRect r{ScaleToDpi(row.x, dpi), ScaleToDpi(row.y, dpi), ScaleToDpi(width, dpi),
            ScaleToDpi(height, dpi)};
  for (auto parent = row.parent; parent;) {
    const ControlLayout* up = FindLayout(*parent);
    if (!up) break;
    r.x += ScaleToDpi(up->x, dpi);
    r.y += ScaleToDpi(up->y, dpi);
    parent = up->parent;
  }
  return r;
}

WindowPlace PlaceDialog(const MonitorArea& monitor, int32_t outerWidth, int32_t outerHeight,
                        int32_t dpi) {
  WindowPlace p;
  p.width = std::max(outerWidth, ScaleToDpi(kOuterWidth, dpi));
  p.height = std::max(outerHeight, ScaleToDpi(kOuterHeight, dpi));
  const auto place = [](int32_t low, int32_t high, int32_t size) {
    const int32_t centred = low + (high - low - size) / 2;
    return std::max(low, std::min(centred, high - size));
  };
  p.left = place(monitor.left, monitor.right, p.width);
  p.top = place(monitor.top, monitor.bottom, p.height);
  return p;
}

int32_t DialogFontHeight(int32_t dpi, const std::function<int32_t(int32_t height)>& overflow) {
  const int32_t wanted = FontPixelHeight(kFontPoints, dpi);
  if (UsableDpi(dpi) == kDesignDpi) return wanted;
  const int32_t smallest = std::max(1, wanted - wanted / 4);
  for (int32_t h = wanted; h > smallest; --h) {
    if (overflow(h) <= 0) return h;
  }
  return smallest;
}

}  // namespace orv
