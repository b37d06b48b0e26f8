#include "dialog/dialog_canvas.h"

#include "core/dpi_scale.h"
#include "dialog/dialog_scale.h"

namespace orv {

std::optional<ClientRect> FocusRingRect(const DialogModel& model, int32_t dpi) {
  if (!model.FocusShown()) return std::nullopt;
  ControlId id = model.Focus();
  int inset = -1;  // captions: one pixel outside
  switch (id.name) {
    case Ctl::lbl_Button:
      id.name = Ctl::Img_Button;  // inside the face, clear of its frame
      inset = 3;
      break;
    case Ctl::HS:
    case Ctl::HS_Interval:
    case Ctl::List_1:
    case Ctl::BGM_Repeat:
      inset = -2;  // the system's control covers its own rectangle
      break;
    default:
      break;
  }
  const ControlLayout* row = FindLayout(id);
  if (!row) return std::nullopt;
  const ControlState& state = model.State(id);
  const DpiRect r = ScaledControlRect(*row, state.width, state.height, dpi);
  const int32_t d = ScaleToDpi(inset, dpi);
  return ClientRect{r.x + d, r.y + d, r.width - 2 * d, r.height - 2 * d};
}

void DrawFocusRing(Surface& canvas, const ClientRect& r) {
  auto dot = [&canvas](int x, int y) {
    if (x >= 0 && y >= 0 && x < canvas.Width() && y < canvas.Height() && (x + y) % 2 == 0) {
      canvas.SetPixel(x, y, kBlack);
    }
  };
  for (int x = r.x; x < r.x + r.width; ++x) dot(x, r.y), dot(x, r.y + r.height - 1);
  for (int y = r.y; y < r.y + r.height; ++y) dot(r.x, y), dot(r.x + r.width - 1, y);
}

}  // namespace orv
