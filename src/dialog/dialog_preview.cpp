// The preview of the picture selected in the list.
#include <algorithm>
#include <string>

#include "core/numbers.h"
#include "dialog/dialog_model.h"
#include "dialog/window_geometry.h"

namespace orv {
namespace {

constexpr ControlId kPreview{Ctl::Pic_K, 0};
constexpr ControlId kSizeLabel{Ctl::lbl_PreSize, 0};
constexpr ControlId kNote{Ctl::lbl_PreNote, 0};

int32_t Side(double value) {
  // A very long, thin picture still shows as a line rather than vanishing.
  return std::max<int32_t>(1, num::RoundToInt32(value).value_or(1));
}

Text SizeText(int32_t width, int32_t height) {
  const std::string s = std::to_string(width) + " * " + std::to_string(height);
  return Text(s.begin(), s.end());
}

}  // namespace

PixelSize FitPreview(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return {};
  const double w = width;
  const double h = height;
  if (w > h) return {100, Side(h * 100 / w)};
  return {Side(w * 100 / h), 100};
}

void DialogModel::DrawPreviewEdge() {
  // The preview's scale is in pixels from (0, 0): the edge runs round its whole area.
  const SurfaceScale scale{0, 0, static_cast<double>(preview_.Width()),
                           static_cast<double>(preview_.Height())};
  if (const auto rect = FrameEdgeRect(scale)) {
    services_.host.DrawFrameEdge(preview_, {rect->left, rect->top, rect->right, rect->bottom},
                                 kEdgeRaised, kBorderRect);
  }
  services_.host.Invalidate(kPreview);
}

void DialogModel::ListSelect(int32_t index) {
  if (closed_) return;
  listIndex_ = index >= 0 && static_cast<size_t>(index) < listItems_.size() ? index : -1;
  List_1_Click();
}

void DialogModel::List_1_Click() {
  if (listIndex_ < 0 || static_cast<size_t>(listIndex_) >= listItems_.size()) return;
  DialogHost& host = services_.host;
  host.SetPointer(Pointer::kHourglass);
  Mutable(kPreview).visible = false;
  host.Invalidate(kPreview);

  const Text path = State({Ctl::Folder_Path, 0}).caption + u"\\" +
                    listItems_[static_cast<size_t>(listIndex_)];
  // A picture that cannot be loaded says so, never shows the previous picture under this
  // file's name.
  auto picture = services_.pictures.Load(path);
  loaded_ = picture ? std::move(*picture) : Surface();

  const int32_t w = loaded_.Width();
  const int32_t h = loaded_.Height();
  const PixelSize fit = FitPreview(w, h);
  if (fit.width > 0) {
    SetCaption(kSizeLabel, SizeText(w, h));
    SetCaption(kNote, Text());
    preview_ = Surface(fit.width, fit.height, kPreviewBackground);
    StretchBlt(preview_, 0, 0, fit.width, fit.height, loaded_, 0, 0, w, h);
    previewBlank_ = false;
    ShowPreviewSurface();
  } else {
    previewBlank_ = false;  // whatever it showed goes
    ClearPreview(kCannotShowNote);
  }
  Mutable(kPreview).visible = true;
  host.Invalidate(kPreview);
  host.SetPointer(Pointer::kDefault);
}

void DialogModel::ClearPreview(const char16_t* note) {
  SetCaption(kNote, note);
  if (previewBlank_) return;
  previewBlank_ = true;
  SetCaption(kSizeLabel, Text());
  preview_ = Surface(100, 100, kPreviewBackground);
  ShowPreviewSurface();
}

void DialogModel::ShowPreviewSurface() {
  ControlState& state = Mutable(kPreview);
  state.width = static_cast<int16_t>(preview_.Width());
  state.height = static_cast<int16_t>(preview_.Height());
  DrawPreviewEdge();
}

}  // namespace orv
