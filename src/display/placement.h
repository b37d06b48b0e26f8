// Where a picture goes on the screen: at its own size, centred, or fitted by its own shape
// (wider than high fills the width, otherwise the height), centred.
#pragma once
#include <cstdint>
#include <optional>
#include <stop_token>

#include "toolkit/picture_loader.h"
#include "toolkit/surface.h"

namespace orv {

struct PictureBox {
  int32_t x = 0, y = 0, w = 0, h = 0;
  bool stretch = false;
  friend bool operator==(const PictureBox&, const PictureBox&) = default;
};

// Positions and sizes are worked out in double precision and rounded half to even; the
// halving of the margins is exact, not an integer division. nullopt when a value does not
// fit 32 bits.
std::optional<PictureBox> PlacePicture(int32_t screenW, int32_t screenH, int32_t width,
                                       int32_t height, int16_t sizeMode);

// Copies or stretches (COLORONCOLOR) the whole picture into its box on `target`.
void DrawPicture(Surface& target, const Surface& picture, const PictureBox& box);

// DrawPicture for a picture read by rows: the same pixels, reading only the rows the box
// shows on `target`, from the top down. false when a row cannot be read or `stop` asks to
// stop; the target is then drawn in part.
bool DrawPictureRows(Surface& target, PictureRows& picture, const PictureBox& box,
                     std::stop_token stop = {});

}  // namespace orv
