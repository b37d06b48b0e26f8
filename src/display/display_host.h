// What the show asks of the platform's full-screen window: the screen's measures, a copy of
// what the screen shows before the window appears, putting changed parts of the visible
// surface on screen, and showing the window above all others.
#pragma once
#include <span>
#include <vector>

#include "display/dirty_region.h"
#include "exitctl/exit_window.h"
#include "toolkit/surface.h"

namespace orv {

struct ScreenMeasure {
  double widthTwips = 0;
  double heightTwips = 0;
  double twipsPerPixelX = 15;
  double twipsPerPixelY = 15;
};

class DisplayHost : public ExitWindow {
 public:
  virtual ScreenMeasure Screen() = 0;
  // The monitors in desktop pixels (the primary's top-left is 0,0; others may lie left of
  // or above it). Fewer than two: the screen of Screen() is all there is. With two or more
  // the window covers their bounding box, and its client pixels are that box's.
  virtual std::vector<PixelRect> Monitors() { return {}; }
  // Copies the pixels of the screen, or of the monitors' bounding box, from its top-left
  // corner into `target` (as far as both reach); leaves `target` as it is when the screen
  // cannot be read.
  virtual void CaptureDesktop(Surface& target) = 0;
  // `display` changed inside `rects` (and nowhere else since the last call): put those
  // parts on screen.
  virtual void Present(const Surface& display, std::span<const PixelRect> rects) = 0;
  // Shows the window in its normal state, then makes it topmost without activating,
  // moving or sizing it.
  virtual void ShowTopmost() = 0;
};

}  // namespace orv
