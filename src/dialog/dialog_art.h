// The settings dialog's pictures, drawn by code when the dialog opens: the background
// texture, the heading plate, the two button faces, the option and kind marks and the
// pointing-hand cursor.
#pragma once
#include <cstdint>
#include <vector>

#include "dialog/dialog_scale.h"
#include "toolkit/surface.h"

namespace orv {

// Pixels of this colour in a mark are not drawn, so the texture shows round it.
inline constexpr uint32_t kSeeThrough = 0xFF00FF;

// Sizes are the design's at 96 DPI; at another DPI each picture is drawn anew at its size
// scaled by the dialog's rule, lines and bevels included, rather than enlarged.
struct DialogArt {
  Surface texture;         // 606 x 20, light grey, tiles seamlessly downwards
  Surface plate;           // 95 x 22, grey heading plate
  Surface buttonPressed;   // 95 x 22, light blue face
  Surface buttonReleased;  // 95 x 22, darker blue face with a frame
  Surface optionOff;       // 13 x 13, round mark, empty
  Surface optionOn;        // 13 x 13, round mark with a red centre
  Surface kindOff;         // 12 x 12, square mark, empty
  Surface kindOn;          // 12 x 12, square mark filled blue
};

DialogArt MakeDialogArt(int32_t dpi = kDesignDpi);

// Copies `picture` to (x, y) of `target`, leaving its see-through pixels out.
void DrawMark(Surface& target, int x, int y, const Surface& picture);

// A monochrome cursor as the system builds one: 1 bit per pixel, rows of 4 bytes, most
// significant bit first. A pixel with its AND bit set and XOR bit clear is transparent;
// with both clear it is black, with only XOR set white.
struct CursorPlanes {
  int width = 32;
  int height = 32;
  int hotX = 0;
  int hotY = 0;
  std::vector<uint8_t> andPlane;
  std::vector<uint8_t> xorPlane;
};

// The pointing hand shown over everything in the dialog that reacts to the mouse; its
// hot spot is the tip of the finger. 32 x 32 at 96 DPI, hand-tuned; at other DPIs its
// outline is drawn at the scaled size (a multiple of 8 wide, as cursor rows need whole
// bytes).
CursorPlanes HandCursor(int32_t dpi = kDesignDpi);

}  // namespace orv
