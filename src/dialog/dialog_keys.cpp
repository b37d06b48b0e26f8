// The dialog without a mouse: Tab and Shift+Tab move the focus through the controls in
// reading order, the arrows move a slider or an option, Space presses what has the focus,
// Enter is "設定" and Esc is "ｷｬﾝｾﾙ".
#include <algorithm>
#include <array>

#include "dialog/dialog_model.h"

namespace orv {
namespace {

// An option group: its captions in the order they stand from top to bottom.
struct OptionGroup {
  Ctl caption;
  std::array<int16_t, 3> order;
  size_t count;
};
constexpr OptionGroup kOrderGroup{Ctl::lbl_Rdm_Seq, {0, 1, 0}, 2};
constexpr OptionGroup kSizeGroup{Ctl::lbl_Size, {0, 1, 0}, 2};
constexpr OptionGroup kMusicGroup{Ctl::lbl_BGM, {1, 0, 2}, 3};  // 音楽CD stands above 無し

const OptionGroup* GroupOf(Ctl caption) {
  for (const OptionGroup* g : {&kOrderGroup, &kSizeGroup, &kMusicGroup}) {
    if (g->caption == caption) return g;
  }
  return nullptr;
}

// The focus stop of a group: the chosen option's caption, the first for a stored value the
// group has no option for.
ControlId GroupStop(const OptionGroup& g, int16_t chosen) {
  const auto end = g.order.begin() + static_cast<std::ptrdiff_t>(g.count);
  return {g.caption, std::find(g.order.begin(), end, chosen) != end ? chosen : g.order[0]};
}

bool IsSlider(ControlId id) { return id.name == Ctl::HS || id.name == Ctl::HS_Interval; }

}  // namespace

std::vector<ControlId> DialogModel::FocusStops() const {
  const Settings& s = app_.settings;
  std::vector<ControlId> stops{{Ctl::lbl_Button, 0}, {Ctl::List_1, 0}};
  for (int16_t k = 0; k < 4; ++k) stops.push_back({Ctl::lbl_Kind, k});
  stops.push_back({Ctl::lbl_Button, 1});
  stops.push_back(GroupStop(kOrderGroup, s.ChangeMode));
  stops.push_back({Ctl::HS_Interval, 0});
  stops.push_back(GroupStop(kSizeGroup, s.SizeMode));
  stops.push_back({Ctl::lbl_Button, 5});
  for (int16_t k = 0; k < 6; ++k) stops.push_back({Ctl::HS, k});
  stops.push_back(GroupStop(kMusicGroup, s.BgmMode));
  stops.push_back({Ctl::BGM_Repeat, 0});
  stops.push_back({Ctl::lbl_Button, 4});
  stops.push_back({Ctl::lbl_URL, 0});
  stops.push_back({Ctl::lbl_Button, 2});
  stops.push_back({Ctl::lbl_Button, 3});
  std::erase_if(stops, [this](ControlId id) {
    const ControlState& state = State(id);
    return !state.enabled || !state.visible;
  });
  return stops;
}

void DialogModel::SetFocus(ControlId id) {
  if (id == focus_) return;
  const ControlId was = focus_;
  focus_ = id;
  services_.host.Invalidate(was);
  services_.host.Invalidate(id);
}

void DialogModel::FocusOn(ControlId id) {
  // A click on a mark or a face reaches the caption that carries the focus.
  if (id.name == Ctl::Img_Button) id.name = Ctl::lbl_Button;
  if (id.name == Ctl::Img_Kind) id.name = Ctl::lbl_Kind;
  if (id.name == Ctl::Img_SR) id.name = Ctl::lbl_Rdm_Seq;
  if (id.name == Ctl::Img_Size) id.name = Ctl::lbl_Size;
  if (id.name == Ctl::Img_BGM) id.name = Ctl::lbl_BGM;
  const std::vector<ControlId> stops = FocusStops();
  if (std::find(stops.begin(), stops.end(), id) != stops.end()) SetFocus(id);
}

void DialogModel::MoveFocus(int step) {
  const std::vector<ControlId> stops = FocusStops();
  if (stops.empty()) return;
  // An option group keeps the focus whichever of its options is chosen now.
  auto at = std::find_if(stops.begin(), stops.end(), [this](ControlId stop) {
    return stop == focus_ || (stop.name == focus_.name && GroupOf(stop.name));
  });
  // A focus that has gone (a button disabled under it) moves on from the first stop.
  const auto n = static_cast<std::ptrdiff_t>(stops.size());
  std::ptrdiff_t i = at == stops.end() ? (step > 0 ? -1 : 0) : at - stops.begin();
  i = ((i + step) % n + n) % n;
  SetFocus(stops[static_cast<size_t>(i)]);
}

bool DialogModel::PressButton(int16_t index) {
  const ControlId caption{Ctl::lbl_Button, index};
  if (!State(caption).enabled) return false;
  // As a click: the pressed face, then the released one and the action.
  MouseDown(caption, 1, 0, 0, 0);
  MouseUp(caption, 1, 0, 0, 0);
  return true;
}

bool DialogModel::MoveOption(ControlId focus, int step) {
  const OptionGroup* g = GroupOf(focus.name);
  if (!g) return false;
  const auto end = g->order.begin() + static_cast<std::ptrdiff_t>(g->count);
  const auto at = std::find(g->order.begin(), end, focus.index);
  const auto n = static_cast<std::ptrdiff_t>(g->count);
  const std::ptrdiff_t i = ((at - g->order.begin()) + step + n) % n;
  const ControlId next{g->caption, g->order[static_cast<size_t>(i)]};
  MouseDown(next, 1, 0, 0, 0);  // chooses it as a click on its caption does
  SetFocus(next);
  return true;
}

bool DialogModel::KeyDown(DialogKey key) {
  if (closed_) return false;
  focusShown_ = true;
  services_.host.Invalidate(focus_);
  switch (key) {
    case DialogKey::kTab: MoveFocus(1); return true;
    case DialogKey::kBackTab: MoveFocus(-1); return true;
    case DialogKey::kEscape: return PressButton(3);
    case DialogKey::kEnter: return PressButton(2);
    default: break;
  }
  const ControlId focus = focus_;
  if (key == DialogKey::kSpace) {
    switch (focus.name) {
      case Ctl::lbl_Button: return PressButton(focus.index);
      case Ctl::lbl_Kind:
      case Ctl::lbl_URL:
        MouseDown(focus, 1, 0, 0, 0);
        MouseUp(focus, 1, 0, 0, 0);
        return true;
      default: return GroupOf(focus.name) != nullptr;  // the focused option is the chosen one
    }
  }
  if (IsSlider(focus)) {
    ScrollAction action = ScrollAction::kEndScroll;
    switch (key) {
      case DialogKey::kLeft:
      case DialogKey::kUp: action = ScrollAction::kLineLeft; break;
      case DialogKey::kRight:
      case DialogKey::kDown: action = ScrollAction::kLineRight; break;
      case DialogKey::kPageUp: action = ScrollAction::kPageLeft; break;
      case DialogKey::kPageDown: action = ScrollAction::kPageRight; break;
      case DialogKey::kHome: action = ScrollAction::kLeft; break;
      case DialogKey::kEnd: action = ScrollAction::kRight; break;
      default: return false;
    }
    SliderAction(focus, action);
    SliderAction(focus, ScrollAction::kEndScroll);
    return true;
  }
  if (key == DialogKey::kLeft || key == DialogKey::kUp) return MoveOption(focus, -1);
  if (key == DialogKey::kRight || key == DialogKey::kDown) return MoveOption(focus, 1);
  return false;
}

}  // namespace orv
