#include "display/placement.h"

#include "core/numbers.h"

namespace orv {

std::optional<PictureBox> PlacePicture(int32_t screenW, int32_t screenH, int32_t width,
                                       int32_t height, int16_t sizeMode) {
  const double W = width, H = height;
  double w = W, h = H;
  if (sizeMode != 0) {
    if (W > H) {
      w = screenW;
      h = screenW * H / W;
    } else {
      w = screenH * W / H;
      h = screenH;
    }
  }
  const auto x = num::RoundToInt32((screenW - w) / 2);
  const auto y = num::RoundToInt32((screenH - h) / 2);
  const auto rw = num::RoundToInt32(w);
  const auto rh = num::RoundToInt32(h);
  if (!x || !y || !rw || !rh) return std::nullopt;
  return PictureBox{*x, *y, *rw, *rh, sizeMode != 0};
}

void DrawPicture(Surface& target, const Surface& picture, const PictureBox& box) {
  if (box.stretch) {
    StretchBlt(target, box.x, box.y, box.w, box.h, picture, 0, 0, picture.Width(),
               picture.Height());
  } else {
    BitBlt(target, box.x, box.y, box.w, box.h, picture, 0, 0, Rop::kSrcCopy);
  }
}

}  // namespace orv
