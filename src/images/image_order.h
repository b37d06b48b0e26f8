// The order in which one cycle of the show presents the pictures.
#pragma once
#include "images/picture_list.h"
#include "toolkit/random.h"

namespace orv {

// Fills positions 1..imageCount of imageOrder: list order when ChangeMode is 0, otherwise a
// random permutation drawn rank by rank. Requires imageCount >= 1 and imageOrder sized.
void BuildImageOrder(PictureList& app, Random& random);

}  // namespace orv
