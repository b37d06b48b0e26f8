// The preview window shows one still at its own size from its top-left corner: a larger
// area stays black round it, a smaller one cuts it at the right and bottom.
#pragma once
#include <cstdint>

namespace orv {

// The still that stands for the show in the host's preview area; the standard area has
// exactly this size.
inline constexpr int32_t kPreviewStillWidth = 152;
inline constexpr int32_t kPreviewStillHeight = 112;

struct AreaSize {
  int32_t width = 0;
  int32_t height = 0;
};

// The still's size on a host at `dpi`: the standard area grows with the host's scaling,
// so the still is drawn that much larger to cover it.
AreaSize StillSizeAt(int32_t dpi);

// The part of a still of `still` size that an area of `area` size shows, measured from the
// top-left corner of both; empty when the area is empty or negative.
AreaSize VisibleStillPart(AreaSize still, AreaSize area);

// What the preview does once it has tried to settle into its host: a host that is no
// window can never take the preview away, so the preview ends instead of lingering unseen.
enum class PreviewFate { kLiveWithHost, kEndNow };
PreviewFate PreviewFateFor(bool hostIsWindow);

}  // namespace orv
