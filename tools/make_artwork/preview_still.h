// The preview's still: a moment of the show drawn with the show's own sprites.
#pragma once
#include "toolkit/surface.h"

namespace orv::art {

// 152 x 112: red fragments and their dark shadows over a blue ground, round a purple oval
// where the impact struck.
Surface RenderPreviewStill();

}  // namespace orv::art
