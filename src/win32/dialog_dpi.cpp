// The settings dialog at the DPI of its monitor: fonts that fit, pictures and cursor drawn
// for it, controls where the scaled layout puts them, and the move to a monitor of
// another DPI.
#include <algorithm>
#include <string>

#include "dialog/dialog_scale.h"
#include "win32/dialog_window.h"
#include "win32/dpi.h"
#include "win32/wide.h"

namespace orv::win {
namespace {

HFONT MakeFont(int height, bool underline) {
  return CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, underline ? TRUE : FALSE, FALSE,
                     SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, Wide(kFontName).c_str());
}

// How far the widest fixed caption runs past its box at this font height and DPI.
int32_t CaptionOverflow(int height, int32_t dpi) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = MakeFont(height, false);
  if (!dc || !font) {
    if (font) DeleteObject(font);
    if (dc) DeleteDC(dc);
    return 0;
  }
  const HGDIOBJ previous = SelectObject(dc, font);
  int32_t worst = INT32_MIN;
  for (const ControlLayout& row : DialogLayout()) {
    if (row.kind != ControlKind::kLabel || row.box || !row.caption || !*row.caption) continue;
    const std::wstring caption = Wide(row.caption);
    SIZE size{};
    if (!GetTextExtentPoint32W(dc, caption.c_str(), int(caption.size()), &size)) continue;
    worst = std::max(worst, int32_t(size.cx) - ScaleToDpi(row.width, dpi));
  }
  SelectObject(dc, previous);
  DeleteObject(font);
  DeleteDC(dc);
  return worst;
}

HCURSOR MakeHand(HINSTANCE instance, int32_t dpi) {
  const CursorPlanes hand = HandCursor(dpi);
  return CreateCursor(instance, hand.hotX, hand.hotY, hand.width, hand.height,
                      hand.andPlane.data(), hand.xorPlane.data());
}

}  // namespace

ClientRect DialogWindow::Scaled(const ControlLayout& row) const {
  const DpiRect r = ScaledControlRect(row, dpi_);
  return {r.x, r.y, r.width, r.height};
}

ClientRect DialogWindow::Scaled(const ControlLayout& row, const ControlState& state) const {
  const DpiRect r = ScaledControlRect(row, state.width, state.height, dpi_);
  return {r.x, r.y, r.width, r.height};
}

void DialogWindow::ApplyDpi(int32_t dpi) {
  dpi_ = UsableDpi(dpi);
  if (dpi_ != kDesignDpi && dpiArt_.texture.Width() != ScaleToDpi(kTextureWidth, dpi_)) {
    dpiArt_ = MakeDialogArt(dpi_);
  }

  const int32_t height =
      DialogFontHeight(dpi_, [&](int32_t h) { return CaptionOverflow(h, dpi_); });
  if (font_) DeleteObject(font_);
  if (linkFont_) DeleteObject(linkFont_);
  font_ = MakeFont(height, false);
  linkFont_ = MakeFont(height, true);

  if (hand_) DestroyCursor(hand_);
  hand_ = MakeHand(app_.instance, dpi_);

  for (Child& child : children_) {
    const ClientRect r = Scaled(*child.row);
    const int extra =
        child.row->kind == ControlKind::kCombo ? ScaleToDpi(kComboListHeight, dpi_) : 0;
    SendMessageW(child.window, WM_SETFONT, WPARAM(font_), FALSE);
    SetWindowPos(child.window, nullptr, r.x, r.y, r.width, r.height + extra,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void DialogWindow::DpiChanged(int32_t dpi, const RECT& suggested) {
  if (ended_ || !window_) return;
  ApplyDpi(dpi);
  // The system's suggestion keeps the window where the user dragged it; the size is ours,
  // so the client area holds the whole dialog whatever the frame.
  const PixelSize outer =
      OuterSize({ScaleToDpi(kClientWidth, dpi_), ScaleToDpi(kClientHeight, dpi_)});
  SetWindowPos(window_, nullptr, suggested.left, suggested.top,
               std::max(outer.width, ScaleToDpi(kOuterWidth, dpi_)),
               std::max(outer.height, ScaleToDpi(kOuterHeight, dpi_)),
               SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(window_, nullptr, FALSE);
}

}  // namespace orv::win
