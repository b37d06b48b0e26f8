// The dialog's window effects: the outline that zooms between the zoom point and the
// dialog, and the raised edge round a picture surface.
#pragma once
#include <windows.h>

#include <cstdint>

#include "dialog/window_geometry.h"

namespace orv::win {

// Both wait until the animation has run; they neither show, hide nor move the window.
void ZoomOpen(HWND window, int16_t zoomX, int16_t zoomY);
void ZoomClose(HWND window, int16_t zoomX, int16_t zoomY);

// Draws the edge style (as DrawEdge takes it) on all four sides inside the rectangle the
// scale gives.
void DrawFrameEdge(HDC dc, const SurfaceScale& scale, UINT edge);

}  // namespace orv::win
