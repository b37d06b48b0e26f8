// The dialog's shell: control state, opening and closing, mouse routing, push buttons and
// the link label.
#include "dialog/dialog_model.h"

#include <string>

#include "images/paths.h"
#include "settings/save_settings.h"
#include "settings/settings_table.h"

namespace orv {
namespace {

// Panels grey until the texture is laid on them.
constexpr uint32_t kPanelGrey = 0xD4D0C8;

const ControlState kNoState{};
const SliderState kNoSlider{};
const Surface kNoSurface{};

std::optional<size_t> RowOf(ControlId id) {
  const auto rows = DialogLayout();
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].id == id) return i;
  }
  return std::nullopt;
}

std::optional<size_t> PanelSlot(ControlId panel) {
  if (panel.name == Ctl::Pic_C && panel.index == 0) return 0;
  if (panel.name == Ctl::Pic_1 && panel.index >= 0 && panel.index <= 2) {
    return static_cast<size_t>(panel.index) + 1;
  }
  return std::nullopt;
}

SliderState SliderFor(Setting setting, int16_t largeChange) {
  const SettingRow& row = RowOf(setting);
  return SliderState{static_cast<int16_t>(row.sliderMin), static_cast<int16_t>(row.sliderMax), 1,
                     largeChange, static_cast<int16_t>(row.sliderDesign)};
}

}  // namespace

DialogModel::DialogModel(PictureList& app, DialogServices services)
    : app_(app), services_(services), pace_(services.clock) {
  for (const ControlLayout& row : DialogLayout()) {
    ControlState state;
    state.caption = row.caption;
    state.width = row.width;
    state.height = row.height;
    states_.push_back(std::move(state));
    if (const auto slot = PanelSlot(row.id)) {
      panels_[*slot] = Surface(row.width, row.height, kPanelGrey);
    }
  }
  // Ranges and design positions of the sliders; the interval's track moves ten at a time.
  interval_ = SliderFor(Setting::Interval, 10);
  for (size_t k = 0; k < crash_.size(); ++k) crash_[k] = SliderFor(kCrashSettings[k], 1);
  preview_ = Surface(100, 100, kPreviewBackground);
}

// ---- state ----

const ControlState& DialogModel::State(ControlId id) const {
  const auto row = RowOf(id);
  return row ? states_[*row] : kNoState;
}

ControlState& DialogModel::Mutable(ControlId id) {
  static ControlState scratch;  // writes to a control the dialog lacks go nowhere
  const auto row = RowOf(id);
  if (!row) {
    scratch = {};
    return scratch;
  }
  return states_[*row];
}

void DialogModel::SetCaption(ControlId id, Text caption) {
  if (!RowOf(id)) return;
  Mutable(id).caption = std::move(caption);
  services_.host.Invalidate(id);
}

void DialogModel::SetPicture(ControlId id, Artwork picture) {
  if (!RowOf(id)) return;
  Mutable(id).picture = picture;
  services_.host.Invalidate(id);
}

void DialogModel::SetEnabled(ControlId id, bool enabled) {
  if (!RowOf(id)) return;
  Mutable(id).enabled = enabled;
  services_.host.Invalidate(id);
}

void DialogModel::SetNumberCaption(ControlId id, int32_t value) {
  const std::string digits = std::to_string(value);
  SetCaption(id, Text(digits.begin(), digits.end()));
}

const SliderState& DialogModel::Slider(ControlId slider) const {
  if (slider.name == Ctl::HS_Interval && slider.index == 0) return interval_;
  if (slider.name == Ctl::HS && slider.index >= 0 && slider.index < 6) {
    return crash_[static_cast<size_t>(slider.index)];
  }
  return kNoSlider;
}

SliderState* DialogModel::MutableSlider(ControlId slider) {
  const SliderState& s = Slider(slider);
  return &s == &kNoSlider ? nullptr : const_cast<SliderState*>(&s);
}

const Surface& DialogModel::PanelSurface(ControlId panel) const {
  const auto slot = PanelSlot(panel);
  return slot ? panels_[*slot] : kNoSurface;
}

void DialogModel::ShowList(std::vector<Text> items) {
  // The whole list at once: the window fills and redraws it once, not once per item.
  listItems_ = std::move(items);
  listIndex_ = -1;
  services_.host.Invalidate({Ctl::List_1, 0});
  // Nothing is selected in the new list: the preview of the old one goes, and an empty
  // list says what the show will do without pictures.
  ClearPreview(listItems_.empty() ? kNoPicturesNote : u"");
}

bool DialogModel::ShowsHand(ControlId id) {
  const ControlLayout* row = FindLayout(id);
  return row && row->handCursor;
}

// ---- opening and closing ----

void DialogModel::Form_Load() {
  DialogHost& host = services_.host;
  const int32_t dpi = host.Dpi();
  const PixelSize outer =
      host.OuterSize({ScaleToDpi(kClientWidth, dpi), ScaleToDpi(kClientHeight, dpi)});
  const WindowPlace place = PlaceDialog(host.OpeningMonitor(), outer.width, outer.height, dpi);
  host.PlaceWindow(place.left, place.top, place.width, place.height);

  if (services_.texture) {
    for (size_t i = 0; i < panels_.size(); ++i) {
      TileBackground(panels_[i], *services_.texture);
    }
    host.Invalidate({Ctl::Pic_C, 0});
    for (int16_t i = 0; i < 3; ++i) host.Invalidate({Ctl::Pic_1, i});
  }
  for (int16_t i = 1; i <= 8; ++i) SetPicture({Ctl::Img_H, i}, Artwork::kPlate);
  for (int16_t i = 0; i <= 5; ++i) SetPicture({Ctl::Img_Button, i}, Artwork::kButtonReleased);

  InitOptions();
  InitMusic();
  InitFolder();
  InitSliders();
  DrawPreviewEdge();
  InitLink();

  if (const auto cursor = host.CursorPos()) {
    // A coordinate that does not fit 16 bits leaves the point as it was.
    if (cursor->x >= INT16_MIN && cursor->x <= INT16_MAX) {
      zoomX_ = static_cast<int16_t>(cursor->x);
    }
    if (cursor->y >= INT16_MIN && cursor->y <= INT16_MAX) {
      zoomY_ = static_cast<int16_t>(cursor->y);
    }
  } else {
    zoomX_ = 0;
    zoomY_ = 0;
  }
  host.ZoomOpen(zoomX_, zoomY_);
  host.SetPointer(Pointer::kDefault);
}

void DialogModel::Form_Unload() {
  if (closed_) return;
  closed_ = true;
  services_.host.ZoomClose(zoomX_, zoomY_);
}

void DialogModel::Unload() {
  if (closed_) return;
  Form_Unload();
  services_.host.EndDialog();
}

void DialogModel::CloseRequested() { Unload(); }

// ---- mouse routing ----

void DialogModel::MouseDown(ControlId id, int16_t button, int16_t shift, int32_t x, int32_t y) {
  if (closed_ || !RowOf(id) || !State(id).enabled || !State(id).visible) return;
  const int16_t i = id.index;
  switch (id.name) {
    case Ctl::lbl_Button: lbl_Button_MouseDown(i, button, shift, x, y); break;
    case Ctl::Img_SR: Img_SR_MouseDown(i, button, shift, x, y); break;
    case Ctl::lbl_Rdm_Seq: lbl_Rdm_Seq_MouseDown(i, button, shift, x, y); break;
    case Ctl::Img_Size: Img_Size_MouseDown(i, button, shift, x, y); break;
    case Ctl::lbl_Size: lbl_Size_MouseDown(i, button, shift, x, y); break;
    case Ctl::Img_Kind: Img_Kind_MouseDown(i, button, shift, x, y); break;
    case Ctl::lbl_Kind: lbl_Kind_MouseDown(i, button, shift, x, y); break;
    case Ctl::Img_BGM: Img_BGM_MouseDown(i, button, shift, x, y); break;
    case Ctl::lbl_BGM: lbl_BGM_MouseDown(i, button, shift, x, y); break;
    case Ctl::lbl_URL: urlHeld_ = true; break;
    default: break;
  }
  if (!closed_) FocusOn(id);
}

void DialogModel::MouseUp(ControlId id, int16_t button, int16_t shift, int32_t x, int32_t y) {
  if (closed_ || !RowOf(id)) return;
  if (id.name == Ctl::lbl_Button) {
    lbl_Button_MouseUp(id.index, button, shift, x, y);
  } else if (id.name == Ctl::lbl_URL && urlHeld_) {
    urlHeld_ = false;
    lbl_URL_MouseUp(button, shift, x, y);
  }
}

// ---- push buttons ----

void DialogModel::lbl_Button_MouseDown(int16_t index, int16_t, int16_t, int32_t, int32_t) {
  if (!FindLayout({Ctl::Img_Button, index})) return;
  heldButton_ = index;
  SetPicture({Ctl::Img_Button, index}, Artwork::kButtonPressed);
}

void DialogModel::lbl_Button_MouseUp(int16_t index, int16_t, int16_t, int32_t, int32_t) {
  // The label keeps the mouse while it is held, so the release acts wherever it happens.
  // Only the release of a press on this button counts (a second mouse button released
  // later finds nothing held).
  if (heldButton_ != index) return;
  heldButton_.reset();
  SetPicture({Ctl::Img_Button, index}, Artwork::kButtonReleased);
  // The released face shows before the action runs. Only painted: letting events run here
  // would run a press queued behind this one first, so that "ｷｬﾝｾﾙ" pressed after "設定"
  // closed the dialog before it saved.
  services_.host.PaintNow();
  RunButtonAction(index);
}

void DialogModel::RunButtonAction(int16_t index) {
  switch (index) {
    case 0: ChooseImageFolder(); break;
    case 1: ClearFolder(); break;
    case 2: Save(); break;
    case 3: Unload(); break;
    case 4: ChooseMusicFile(); break;
    case 5: ResetCrashSliders(); break;
    default: break;
  }
}

void DialogModel::ClearFolder() {
  if (listing_) return;  // the running listing would refill the list at once
  ClearList();
  SetCaption({Ctl::Folder_Path, 0}, Text());
  SetCaption({Ctl::lbl_Kei, 0}, Text());
}

void DialogModel::Save() {
  DialogValues values;
  values.intervalPosition = interval_.value;
  values.folderCaption = State({Ctl::Folder_Path, 0}).caption;
  values.repeatText = comboText_;
  for (size_t k = 0; k < crash_.size(); ++k) values.crashPositions[k] = crash_[k].value;
  if (SaveSettings(app_.settings, values, services_.store)) {
    Unload();
  } else {
    // The dialog stays open with everything the user set, so they can fix the cause and
    // press "設定" again, or leave with "ｷｬﾝｾﾙ".
    services_.system.ShowMessage(kSaveFailedMessage);
  }
}

// ---- link label ----

void DialogModel::InitLink() {
  const Text readme = AddBackslash(FolderPart(services_.store.BesideProgram())) + kReadmeName;
  if (FileExists(services_.files, readme) != kFalse) {
    readmePath_ = readme;
    SetCaption({Ctl::lbl_URL, 0}, kReadmeLink);
  } else {
    Mutable({Ctl::lbl_URL, 0}).visible = false;  // the version text stands alone
    services_.host.Invalidate({Ctl::lbl_URL, 0});
  }
}

void DialogModel::lbl_URL_MouseUp(int16_t, int16_t, int32_t, int32_t) {
  if (!readmePath_.empty()) services_.host.OpenDocument(readmePath_);
}

void DialogModel::Timer1_Timer() {
  walk_.Tick(services_.random);
  services_.host.Invalidate({Ctl::lbl_URL, 0});
}

// ---- background ----

void TileBackground(Surface& target, const Surface& texture) {
  if (texture.Empty() || target.Empty()) return;
  const int w = texture.Width();
  const int h = texture.Height();
  int x = 0;
  int y = 0;
  for (;;) {
    BitBlt(target, x, y, w, h, texture, 0, 0, Rop::kSrcCopy);
    if (y <= target.Height()) {
      y += h;
      continue;
    }
    if (x > target.Width()) break;
    x += w;
    y = 0;
  }
}

}  // namespace orv
