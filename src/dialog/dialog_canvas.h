// Paints what the settings dialog shows as pictures: the textured panels, heading plates,
// button faces, option and kind marks and the preview surface, in layout order, into one
// surface the size of the window's client area. Texts, the list, the combo box and the
// scroll bars are drawn over it by the window.
#pragma once
#include <optional>

#include "dialog/dialog_model.h"
#include "dialog/dialog_art.h"

namespace orv {

// The control's rectangle in client coordinates: its layout position plus its parents'.
struct ClientRect {
  int32_t x = 0, y = 0, width = 0, height = 0;
  bool Contains(int32_t px, int32_t py) const {
    return px >= x && py >= y && px < x + width && py < y + height;
  }
};
ClientRect ControlRect(const ControlLayout& row);
// The same with the control's current size (the preview surface changes its own).
ClientRect ControlRect(const ControlLayout& row, const ControlState& state);

// The picture an artwork name stands for; nullptr for kNone.
const Surface* ArtworkPicture(const DialogArt& art, Artwork name);

// Draws every panel, picture and the preview into `canvas`, whose size is the client
// area's; where the client area is larger than the dialog's panel, the texture continues.
// At another DPI than the design's, `art` is the art drawn for it and every rectangle is
// scaled (dialog_scale.h); the preview, a picture of the user's, is resampled to its box.
void PaintDialogPictures(Surface& canvas, const DialogModel& model, const DialogArt& art,
                         int32_t dpi = kDesignDpi);

// Where the focus shows at `dpi` (focus_ring.cpp): round a push button's face, a caption, or
// just outside a slider, the list or the combo box; nullopt while the focus is not shown.
std::optional<ClientRect> FocusRingRect(const DialogModel& model, int32_t dpi = kDesignDpi);
// A dotted rectangle, every other pixel black, as the system draws a focus.
void DrawFocusRing(Surface& canvas, const ClientRect& r);

// The control the mouse reaches at a client point at `dpi`: the last visible row (the
// uppermost) that contains it, panels included; nullptr outside every control.
const ControlLayout* ControlAt(const DialogModel& model, int32_t x, int32_t y,
                               int32_t dpi = kDesignDpi);

}  // namespace orv
