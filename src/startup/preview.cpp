#include "startup/preview.h"

#include <algorithm>

#include "core/dpi_scale.h"

namespace orv {

AreaSize StillSizeAt(int32_t dpi) {
  return {ScaleToDpi(kPreviewStillWidth, dpi), ScaleToDpi(kPreviewStillHeight, dpi)};
}

AreaSize VisibleStillPart(AreaSize still, AreaSize area) {
  const auto part = [](int32_t own, int32_t room) {
    return std::clamp(room, int32_t{0}, std::max(own, int32_t{0}));
  };
  return AreaSize{part(still.width, area.width), part(still.height, area.height)};
}

PreviewFate PreviewFateFor(bool hostIsWindow) {
  return hostIsWindow ? PreviewFate::kLiveWithHost : PreviewFate::kEndNow;
}

}  // namespace orv
