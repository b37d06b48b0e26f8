// Pictures stored turned or mirrored. Cameras store a photo as the sensor read it and write
// into the file's EXIF data how to turn it upright (the orientation tag, 1 to 8). The
// program shows every picture upright, in the show and in the dialog's preview.
#pragma once
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "toolkit/picture_loader.h"
#include "toolkit/surface.h"

namespace orv {

// The EXIF orientation tag's values; 1 is upright as stored.
enum class Orientation : uint8_t {
  kUpright = 1,
  kMirrored = 2,          // mirrored left to right
  kUpsideDown = 3,        // turned half round
  kMirroredUpsideDown = 4,
  kTransposed = 5,        // mirrored along the diagonal from the top-left corner
  kTurnedRight = 6,       // shown after a quarter turn clockwise
  kTransverse = 7,
  kTurnedLeft = 8,        // shown after a quarter turn counter-clockwise
};

// The orientation a JPEG file's EXIF data declares; kUpright for any other file, for a
// JPEG without the tag and for a tag with a value outside 1 to 8.
Orientation ReadExifOrientation(std::string_view bytes);

// Whether the upright picture's width is the stored picture's height.
bool SwapsSides(Orientation orientation);

// The stored pixel that lands at (x, y) of the upright picture; the stored picture is
// width x height.
struct StoredPoint {
  int x = 0, y = 0;
};
StoredPoint StoredPixel(Orientation orientation, int width, int height, int x, int y);

// The picture turned upright.
Surface Upright(const Surface& stored, Orientation orientation);

// Rows of the upright picture over rows of the stored one. Upright and mirrored pictures
// pass their rows through; any other orientation reads the stored picture once, from the
// top down, and keeps only the upright rows planned (see PictureRows::Plan).
std::unique_ptr<PictureRows> UprightRows(std::unique_ptr<PictureRows> stored,
                                         Orientation orientation);

}  // namespace orv
