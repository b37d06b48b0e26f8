// Order and size options, the interval slider and the six crash sliders.
#include <algorithm>

#include "dialog/dialog_model.h"
#include "settings/settings_table.h"

namespace orv {

// ---- option pairs ----

void DialogModel::InitOptions() {
  const auto show = [this](Ctl marks, int16_t value) {
    // A stored value other than 0 or 1 finds no mark: both stay as they are.
    SetPicture({marks, value}, Artwork::kOptionOn);
    SetPicture({marks, static_cast<int16_t>(value ^ 1)}, Artwork::kOptionOff);
  };
  show(Ctl::Img_SR, app_.settings.ChangeMode);
  show(Ctl::Img_Size, app_.settings.SizeMode);
}

void DialogModel::ChooseOption(Ctl marks, int16_t index, int16_t& variable) {
  SetPicture({marks, index}, Artwork::kOptionOn);
  SetPicture({marks, static_cast<int16_t>(index ^ 1)}, Artwork::kOptionOff);
  variable = index;
}

void DialogModel::Img_SR_MouseDown(int16_t index, int16_t, int16_t, int32_t, int32_t) {
  ChooseOption(Ctl::Img_SR, index, app_.settings.ChangeMode);
}

void DialogModel::lbl_Rdm_Seq_MouseDown(int16_t index, int16_t button, int16_t shift, int32_t x,
                                        int32_t y) {
  Img_SR_MouseDown(index, button, shift, x, y);
}

void DialogModel::Img_Size_MouseDown(int16_t index, int16_t, int16_t, int32_t, int32_t) {
  ChooseOption(Ctl::Img_Size, index, app_.settings.SizeMode);
}

void DialogModel::lbl_Size_MouseDown(int16_t index, int16_t button, int16_t shift, int32_t x,
                                     int32_t y) {
  Img_Size_MouseDown(index, button, shift, x, y);
}

// ---- sliders ----

void DialogModel::InitSliders() {
  const Settings& s = app_.settings;
  // A stored value the slider cannot show leaves it at its design position.
  SetSliderValue({Ctl::HS_Interval, 0}, s.IntervalSec);
  SetNumberCaption({Ctl::lbl_Sec, 0}, interval_.value);
  const int32_t values[6] = {s.PieceCount, s.PieceElasticity, s.Gravity,
                             s.Spread,     s.Intensity,       s.Speed};
  for (int16_t k = 0; k < 6; ++k) SetSliderValue({Ctl::HS, k}, values[k]);
  for (int16_t k = 0; k < 6; ++k) {
    SetNumberCaption({Ctl::lbl_Value, k}, crash_[static_cast<size_t>(k)].value);
  }
}

void DialogModel::ResetCrashSliders() {
  for (int16_t k = 0; k < 6; ++k) {
    SetSliderValue({Ctl::HS, k}, RowOf(kCrashSettings[static_cast<size_t>(k)]).fallback);
  }
  for (int16_t k = 0; k < 6; ++k) {
    SetNumberCaption({Ctl::lbl_Value, k}, crash_[static_cast<size_t>(k)].value);
  }
}

bool DialogModel::SetSliderValue(ControlId slider, int32_t value) {
  SliderState* s = MutableSlider(slider);
  if (!s || value < s->min || value > s->max) return false;
  if (value != s->value) SetSliderPosition(slider, static_cast<int16_t>(value), false);
  return true;
}

void DialogModel::SetSliderPosition(ControlId slider, int16_t value, bool scrolling) {
  SliderState* s = MutableSlider(slider);
  if (!s) return;
  s->value = value;
  services_.host.Invalidate(slider);
  if (slider.name == Ctl::HS_Interval) {
    scrolling ? HS_Interval_Scroll() : HS_Interval_Change();
  } else {
    scrolling ? HS_Scroll(slider.index) : HS_Change(slider.index);
  }
}

void DialogModel::SliderAction(ControlId slider, ScrollAction action, int32_t thumb) {
  SliderState* s = MutableSlider(slider);
  if (closed_ || !s || !State(slider).enabled) return;
  int32_t target = s->value;
  switch (action) {
    case ScrollAction::kLineLeft: target -= s->smallChange; break;
    case ScrollAction::kLineRight: target += s->smallChange; break;
    case ScrollAction::kPageLeft: target -= s->largeChange; break;
    case ScrollAction::kPageRight: target += s->largeChange; break;
    case ScrollAction::kThumbTrack:
    case ScrollAction::kThumbPosition: target = thumb; break;
    case ScrollAction::kLeft: target = s->min; break;
    case ScrollAction::kRight: target = s->max; break;
    case ScrollAction::kEndScroll: return;
  }
  target = std::clamp<int32_t>(target, s->min, s->max);
  if (action == ScrollAction::kThumbTrack) {
    if (target != s->value) SetSliderPosition(slider, static_cast<int16_t>(target), true);
  } else if (action == ScrollAction::kThumbPosition || target != s->value) {
    // The thumb's release always reports the final position.
    SetSliderPosition(slider, static_cast<int16_t>(target), false);
  }
}

void DialogModel::HS_Interval_Change() { SetNumberCaption({Ctl::lbl_Sec, 0}, interval_.value); }
void DialogModel::HS_Interval_Scroll() { HS_Interval_Change(); }

void DialogModel::HS_Change(int16_t index) {
  if (index < 0 || index >= 6) return;
  SetNumberCaption({Ctl::lbl_Value, index}, crash_[static_cast<size_t>(index)].value);
}
void DialogModel::HS_Scroll(int16_t index) { HS_Change(index); }

}  // namespace orv
