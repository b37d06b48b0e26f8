#include "dialog/dialog_canvas.h"

namespace orv {

ClientRect ControlRect(const ControlLayout& row) {
  ClientRect r{row.x, row.y, row.width, row.height};
  for (auto parent = row.parent; parent;) {
    const ControlLayout* up = FindLayout(*parent);
    if (!up) break;
    r.x += up->x;
    r.y += up->y;
    parent = up->parent;
  }
  return r;
}

ClientRect ControlRect(const ControlLayout& row, const ControlState& state) {
  ClientRect r = ControlRect(row);
  r.width = state.width;
  r.height = state.height;
  return r;
}

const Surface* ArtworkPicture(const DialogArt& art, Artwork name) {
  switch (name) {
    case Artwork::kPlate: return &art.plate;
    case Artwork::kButtonPressed: return &art.buttonPressed;
    case Artwork::kButtonReleased: return &art.buttonReleased;
    case Artwork::kOptionOff: return &art.optionOff;
    case Artwork::kOptionOn: return &art.optionOn;
    case Artwork::kKindOff: return &art.kindOff;
    case Artwork::kKindOn: return &art.kindOn;
    case Artwork::kNone: break;
  }
  return nullptr;
}

namespace {

void PaintPicture(Surface& canvas, const ClientRect& r, const Surface& picture) {
  if (picture.Width() == r.width && picture.Height() == r.height) {
    DrawMark(canvas, r.x, r.y, picture);
    return;
  }
  // Plates and faces stretch to their rectangle; the copy keeps see-through pixels out.
  Surface stretched(r.width, r.height);
  StretchBlt(stretched, 0, 0, r.width, r.height, picture, 0, 0, picture.Width(),
             picture.Height());
  DrawMark(canvas, r.x, r.y, stretched);
}

}  // namespace

void PaintDialogPictures(Surface& canvas, const DialogModel& model, const DialogArt& art,
                         int32_t dpi) {
  const bool design = UsableDpi(dpi) == kDesignDpi;
  TileBackground(canvas, art.texture);
  for (const ControlLayout& row : DialogLayout()) {
    const ControlState& state = model.State(row.id);
    if (!state.visible) continue;
    const DpiRect scaled = ScaledControlRect(row, state.width, state.height, dpi);
    const ClientRect r{scaled.x, scaled.y, scaled.width, scaled.height};
    switch (row.kind) {
      case ControlKind::kPanel:
        if (design) {
          BitBlt(canvas, r.x, r.y, r.width, r.height, model.PanelSurface(row.id), 0, 0,
                 Rop::kSrcCopy);
        } else {
          // The model's panels hold the design-size texture; this DPI's is laid anew.
          Surface panel(r.width, r.height);
          TileBackground(panel, art.texture);
          BitBlt(canvas, r.x, r.y, r.width, r.height, panel, 0, 0, Rop::kSrcCopy);
        }
        break;
      case ControlKind::kPicture:
        if (const Surface* picture = ArtworkPicture(art, state.picture)) {
          PaintPicture(canvas, r, *picture);
        }
        break;
      case ControlKind::kSurface: {
        const Surface& preview = model.PreviewSurface();
        if (design || preview.Empty()) {
          BitBlt(canvas, r.x, r.y, r.width, r.height, preview, 0, 0, Rop::kSrcCopy);
        } else {
          StretchBlt(canvas, r.x, r.y, r.width, r.height, preview, 0, 0, preview.Width(),
                     preview.Height());
        }
        break;
      }
      default:
        break;  // texts and real controls: the window draws them
    }
  }
  if (const auto ring = FocusRingRect(model, dpi)) DrawFocusRing(canvas, *ring);
}

const ControlLayout* ControlAt(const DialogModel& model, int32_t x, int32_t y, int32_t dpi) {
  const auto rows = DialogLayout();
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
    const ControlState& state = model.State(it->id);
    if (!state.visible) continue;
    const DpiRect r = ScaledControlRect(*it, state.width, state.height, dpi);
    if (ClientRect{r.x, r.y, r.width, r.height}.Contains(x, y)) return &*it;
  }
  return nullptr;
}

}  // namespace orv
