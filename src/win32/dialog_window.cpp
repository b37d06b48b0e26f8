#include "win32/dialog_window.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#include <windowsx.h>

#include <algorithm>
#include <string>

#include "dialog/dialog_canvas.h"
#include "resources/resource_ids.h"
#include "win32/dpi.h"
#include "win32/message_pump.h"
#include "win32/window_class.h"
#include "win32/wide.h"
#include "win32/window_effects.h"

namespace orv::win {
namespace {

constexpr wchar_t kDialogClass[] = L"Orvane_P";
constexpr UINT_PTR kTimer1 = 1;
constexpr int kFirstControlId = 100;

RECT ToRect(const ClientRect& r) { return RECT{r.x, r.y, r.x + r.width, r.y + r.height}; }

COLORREF ToColorRef(uint32_t rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), int(text.size()))));
  return text;
}

int16_t ButtonOf(UINT message) {
  switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: return 2;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: return 4;
    default: return 1;
  }
}

int16_t ButtonsHeld(WPARAM keys) {
  return int16_t(((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
                 ((keys & MK_MBUTTON) ? 4 : 0));
}

int16_t ShiftOf(WPARAM keys) {
  return int16_t(((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) |
                 ((GetKeyState(VK_MENU) < 0) ? 4 : 0));
}

std::optional<ScrollAction> ActionOf(WORD code) {
  switch (code) {
    case SB_LINELEFT: return ScrollAction::kLineLeft;
    case SB_LINERIGHT: return ScrollAction::kLineRight;
    case SB_PAGELEFT: return ScrollAction::kPageLeft;
    case SB_PAGERIGHT: return ScrollAction::kPageRight;
    case SB_THUMBTRACK: return ScrollAction::kThumbTrack;
    case SB_THUMBPOSITION: return ScrollAction::kThumbPosition;
    case SB_LEFT: return ScrollAction::kLeft;
    case SB_RIGHT: return ScrollAction::kRight;
    case SB_ENDSCROLL: return ScrollAction::kEndScroll;
    default: return std::nullopt;
  }
}

std::optional<DialogKey> KeyOf(WPARAM key) {
  switch (key) {
    case VK_TAB: return GetKeyState(VK_SHIFT) < 0 ? DialogKey::kBackTab : DialogKey::kTab;
    case VK_ESCAPE: return DialogKey::kEscape;
    case VK_RETURN: return DialogKey::kEnter;
    case VK_SPACE: return DialogKey::kSpace;
    case VK_LEFT: return DialogKey::kLeft;
    case VK_RIGHT: return DialogKey::kRight;
    case VK_UP: return DialogKey::kUp;
    case VK_DOWN: return DialogKey::kDown;
    case VK_PRIOR: return DialogKey::kPageUp;
    case VK_NEXT: return DialogKey::kPageDown;
    case VK_HOME: return DialogKey::kHome;
    case VK_END: return DialogKey::kEnd;
    default: return std::nullopt;
  }
}

// The folder browser's callback: selects the start folder as soon as the browser is up.
int CALLBACK SelectStartFolder(HWND browser, UINT message, LPARAM, LPARAM start) {
  if (message == BFFM_INITIALIZED) SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, start);
  return 0;
}

constexpr DWORD kDialogStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

}  // namespace

DialogWindow::DialogWindow(App& app)
    : app_(app), art_(MakeDialogArt()), pictures_(app.files) {
  // The dialog opens on the monitor the user works on: the one under the mouse.
  POINT cursor{};
  GetCursorPos(&cursor);
  monitor_ = MonitorFromPoint(cursor, MONITOR_DEFAULTTOPRIMARY);
  dpi_ = UsableDpi(MonitorDpi(monitor_));
  model_ = std::make_unique<DialogModel>(
      app_.state, DialogServices{*this, app_.system, app_.files, pictures_, app_.random,
                                 app_.clock, app_.store, &art_.texture});
}

DialogWindow::~DialogWindow() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
  if (font_) DeleteObject(font_);
  if (linkFont_) DeleteObject(linkFont_);
  if (hand_) DestroyCursor(hand_);
}

bool DialogWindow::Open() {
  if (!RegisterWindowClass<DialogWindow>(app_.instance, kDialogClass, nullptr,
                                         LoadIconW(app_.instance, MAKEINTRESOURCEW(ORV_RES_ICON)))) {
    return false;
  }

  // Created hidden at the outer size; the opening places it centred and zooms it open.
  window_ = CreateWindowExW(0, kDialogClass, Wide(kDialogWindowTitle).c_str(), kDialogStyle,
                            CW_USEDEFAULT, CW_USEDEFAULT, ScaleToDpi(kOuterWidth, dpi_),
                            ScaleToDpi(kOuterHeight, dpi_), nullptr, nullptr, app_.instance,
                            this);
  if (!window_) return false;
  ApplyDpi(dpi_);
  CreateControls();
  SetTimer(window_, kTimer1, kColourWalkIntervalMs, nullptr);

  model_->Form_Load();
  for (Child& child : children_) Sync(child);
  if (ended_) return true;
  ShowWindow(window_, SW_SHOWNORMAL);
  SetForegroundWindow(window_);
  UpdateWindow(window_);
  return true;
}

bool DialogWindow::CreateControls() {
  int next = kFirstControlId;
  for (const ControlLayout& row : DialogLayout()) {
    const ClientRect r = Scaled(row);
    HWND control = nullptr;
    switch (row.kind) {
      case ControlKind::kSlider:
        control = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_HORZ, r.x,
                                  r.y, r.width, r.height, window_, HMENU(INT_PTR(next)),
                                  app_.instance, nullptr);
        break;
      case ControlKind::kList:
        control = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY |
                                      LBS_NOINTEGRALHEIGHT,
                                  r.x, r.y, r.width, r.height, window_, HMENU(INT_PTR(next)),
                                  app_.instance, nullptr);
        break;
      case ControlKind::kCombo:
        control = CreateWindowExW(0, L"COMBOBOX", L"",
                                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN,
                                  r.x, r.y, r.width,
                                  r.height + ScaleToDpi(kComboListHeight, dpi_), window_,
                                  HMENU(INT_PTR(next)), app_.instance, nullptr);
        break;
      default:
        break;
    }
    ++next;
    if (!control) continue;
    SendMessageW(control, WM_SETFONT, WPARAM(font_), FALSE);
    if (row.kind == ControlKind::kList) {
      SendMessageW(control, LB_SETHORIZONTALEXTENT, kListHorizontalExtent, 0);
    }
    if (row.kind == ControlKind::kCombo) {
      // The closed box keeps the layout's height whatever the font's.
      const LRESULT outer = SendMessageW(control, CB_GETITEMHEIGHT, WPARAM(-1), 0);
      RECT shown{};
      GetWindowRect(control, &shown);
      const int border = int(shown.bottom - shown.top) - int(outer);
      if (outer > 0 && border > 0 && border < r.height) {
        SendMessageW(control, CB_SETITEMHEIGHT, WPARAM(-1), LPARAM(r.height - border));
      }
    }
    children_.push_back(Child{&row, control, {}});
    // A system control that has the focus (the list and the combo box take it for their
    // own keys, a clicked scroll bar may) hands Tab, Enter and Esc to the dialog.
    SetWindowSubclass(control, ChildProc, 1, reinterpret_cast<DWORD_PTR>(this));
    if (HWND edit = FindWindowExW(control, nullptr, L"Edit", nullptr)) {
      SetWindowSubclass(edit, ChildProc, 1, reinterpret_cast<DWORD_PTR>(this));
    }
  }
  return true;
}

// ---- window procedure ----

LRESULT DialogWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Until CreateWindowExW has returned, the window is not ours to handle yet.
  if (window != window_) return DefWindowProcW(window, message, wParam, lParam);
  return Handle(message, wParam, lParam);
}

LRESULT DialogWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers the whole client area
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      MouseButton(message, wParam, lParam);
      return 0;
    case WM_SETCURSOR:
      if (SetCursorFor(reinterpret_cast<HWND>(wParam), lParam)) return TRUE;
      break;
    case WM_HSCROLL:
      Scroll(wParam, lParam);
      return 0;
    case WM_KEYDOWN:
      if (Key(wParam, lParam)) return 0;
      break;
    case WM_COMMAND:
      Command(wParam, lParam);
      return 0;
    case WM_TIMER:
      if (wParam == kTimer1 && !ended_) model_->Timer1_Timer();
      return 0;
    case WM_CLOSE:
      model_->CloseRequested();
      return 0;
    case WM_DPICHANGED:
      DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_DESTROY:
      KillTimer(window_, kTimer1);
      return 0;
    case WM_NCDESTROY:
      ended_ = true;
      window_ = nullptr;
      children_.clear();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

// ---- drawing ----

void DialogWindow::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window_, &ps);
  RECT client{};
  GetClientRect(window_, &client);
  const int width = std::max<int>(client.right, ScaleToDpi(kClientWidth, dpi_));
  const int height = std::max<int>(client.bottom, ScaleToDpi(kClientHeight, dpi_));
  if (back_.Width() != width || back_.Height() != height) back_.Resize(width, height);
  if (back_.Dc()) {
    Surface canvas(width, height);
    PaintDialogPictures(canvas, *model_, dpi_ == kDesignDpi ? art_ : dpiArt_, dpi_);
    back_.Put(canvas, 0, 0);
    DrawTexts(back_.Dc());
    const RECT& u = ps.rcPaint;
    BitBlt(dc, u.left, u.top, u.right - u.left, u.bottom - u.top, back_.Dc(), u.left, u.top,
           SRCCOPY);
  }
  EndPaint(window_, &ps);
}

void DialogWindow::DrawTexts(HDC dc) {
  const HGDIOBJ previousFont = SelectObject(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  for (const ControlLayout& row : DialogLayout()) {
    if (row.kind != ControlKind::kLabel) continue;
    const ControlState& state = model_->State(row.id);
    if (!state.visible) continue;
    RECT r = ToRect(Scaled(row, state));
    if (row.box) {
      HBRUSH white = CreateSolidBrush(ToColorRef(row.background.value_or(kBoxBackground)));
      FillRect(dc, &r, white);
      DeleteObject(white);
      FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      InflateRect(&r, -ScaleToDpi(2, dpi_), -ScaleToDpi(1, dpi_));
    }
    COLORREF colour = GetSysColor(COLOR_WINDOWTEXT);
    if (row.id.name == Ctl::lbl_URL) colour = ToColorRef(model_->UrlColour());
    if (!state.enabled) colour = GetSysColor(COLOR_GRAYTEXT);
    SetTextColor(dc, colour);
    SelectObject(dc, row.underline ? linkFont_ : font_);
    UINT format = DT_NOPREFIX | DT_TOP | (row.multiline ? 0 : DT_SINGLELINE);
    format |= row.align == Align::kCenter ? DT_CENTER : row.align == Align::kRight ? DT_RIGHT
                                                                                   : DT_LEFT;
    // A long folder or music path keeps its drive and its file name in view. Plain
    // captions may run past their box when the face font is wider than the design's.
    if (row.box && row.align == Align::kLeft) format |= DT_PATH_ELLIPSIS;
    if (!row.box) format |= DT_NOCLIP;
    const std::wstring caption = Wide(state.caption);
    DrawTextW(dc, caption.c_str(), int(caption.size()), &r, format);
  }
  SelectObject(dc, previousFont);
}

// ---- real controls ----

DialogWindow::Child* DialogWindow::ChildOf(HWND window) {
  for (HWND w = window; w && w != window_; w = GetParent(w)) {
    for (Child& child : children_) {
      if (child.window == w) return &child;
    }
  }
  return nullptr;
}

DialogWindow::Child* DialogWindow::ChildOf(ControlId id) {
  for (Child& child : children_) {
    if (child.row->id == id) return &child;
  }
  return nullptr;
}

void DialogWindow::Sync(Child& child) {
  if (ended_) return;
  ++syncing_;
  const ControlState& state = model_->State(child.row->id);
  const bool enabled = state.enabled;
  if ((IsWindowEnabled(child.window) != FALSE) != enabled) EnableWindow(child.window, enabled);
  switch (child.row->kind) {
    case ControlKind::kSlider: {
      const SliderState& s = model_->Slider(child.row->id);
      SCROLLINFO info{};
      info.cbSize = sizeof(info);
      info.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
      info.nMin = s.min;
      info.nMax = s.max;
      info.nPage = 0;
      info.nPos = s.value;
      SetScrollInfo(child.window, SB_CTL, &info, TRUE);
      break;
    }
    case ControlKind::kList:
      SyncList(child);
      break;
    case ControlKind::kCombo: {
      const std::vector<Text>& items = model_->ComboItems();
      if (items != child.shownItems) {
        const std::wstring keep = WindowText(child.window);
        SendMessageW(child.window, CB_RESETCONTENT, 0, 0);
        for (const Text& item : items) {
          SendMessageW(child.window, CB_ADDSTRING, 0, LPARAM(Wide(item).c_str()));
        }
        child.shownItems = items;
        SetWindowTextW(child.window, keep.c_str());
      }
      const std::wstring text = Wide(model_->ComboText());
      if (WindowText(child.window) != text) SetWindowTextW(child.window, text.c_str());
      break;
    }
    default:
      break;
  }
  --syncing_;
}

void DialogWindow::SyncList(Child& child) {
  const std::vector<Text>& items = model_->ListItems();
  const bool grows = items.size() >= child.shownItems.size() &&
                     std::equal(child.shownItems.begin(), child.shownItems.end(), items.begin());
  if (!grows || items.size() > child.shownItems.size()) {
    // Filled with drawing off and redrawn once: a redraw per item kept a kind switch over
    // thousands of pictures busy for a minute.
    SendMessageW(child.window, WM_SETREDRAW, FALSE, 0);
    if (!grows) {
      SendMessageW(child.window, LB_RESETCONTENT, 0, 0);
      child.shownItems.clear();
    }
    const size_t from = child.shownItems.size();
    size_t chars = 0;
    for (size_t i = from; i < items.size(); ++i) chars += items[i].size() + 1;
    SendMessageW(child.window, LB_INITSTORAGE, WPARAM(items.size() - from),
                 LPARAM(chars * sizeof(wchar_t)));
    for (size_t i = from; i < items.size(); ++i) {
      SendMessageW(child.window, LB_ADDSTRING, 0, LPARAM(Wide(items[i]).c_str()));
    }
    child.shownItems.insert(child.shownItems.end(), items.begin() + std::ptrdiff_t(from),
                            items.end());
    SendMessageW(child.window, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(child.window, nullptr, TRUE);
  }
  const LRESULT selected = SendMessageW(child.window, LB_GETCURSEL, 0, 0);
  if (selected != model_->ListIndex()) {
    SendMessageW(child.window, LB_SETCURSEL, WPARAM(model_->ListIndex()), 0);
  }
}

void DialogWindow::Scroll(WPARAM wParam, LPARAM lParam) {
  Child* child = ChildOf(reinterpret_cast<HWND>(lParam));
  const auto action = ActionOf(LOWORD(wParam));
  if (!child || !action || ended_ || syncing_) return;
  int32_t thumb = 0;
  if (*action == ScrollAction::kThumbTrack || *action == ScrollAction::kThumbPosition) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(child->window, SB_CTL, &info);
    thumb = info.nTrackPos;
  }
  model_->SliderAction(child->row->id, *action, thumb);
  // The scroll bar shows the dialog's position, also when the dialog kept the old one.
  if (!ended_) Sync(*child);
}

void DialogWindow::Command(WPARAM wParam, LPARAM lParam) {
  Child* child = ChildOf(reinterpret_cast<HWND>(lParam));
  if (!child || ended_ || syncing_) return;
  const WORD code = HIWORD(wParam);
  if (child->row->kind == ControlKind::kList && code == LBN_SELCHANGE) {
    model_->ListSelect(int32_t(SendMessageW(child->window, LB_GETCURSEL, 0, 0)));
  } else if (child->row->kind == ControlKind::kCombo) {
    if (code == CBN_EDITCHANGE) {
      model_->BGM_Repeat_Change(FromWide(WindowText(child->window)));
    } else if (code == CBN_SELCHANGE) {
      model_->BGM_Repeat_Click(int32_t(SendMessageW(child->window, CB_GETCURSEL, 0, 0)));
    }
  }
}

// ---- keyboard ----

LRESULT CALLBACK DialogWindow::ChildProc(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  if (auto* dialog = reinterpret_cast<DialogWindow*>(self)) {
    if (dialog->ChildMessage(window, message, wParam, lParam)) return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, ChildProc, 1);
  return DefSubclassProc(window, message, wParam, lParam);
}

bool DialogWindow::ChildMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (ended_ || !window_) return false;
  Child* child = ChildOf(window);
  if (message == WM_LBUTTONDOWN && child) {
    model_->FocusOn(child->row->id);
    if (model_->FocusShown()) InvalidateRect(window_, nullptr, FALSE);  // the ring moves
    return false;
  }
  if ((message != WM_KEYDOWN && message != WM_CHAR) ||
      (wParam != VK_TAB && wParam != VK_ESCAPE && wParam != VK_RETURN)) {
    return false;
  }
  // An open drop-down list takes Enter and Esc to close itself.
  if (child && child->row->kind == ControlKind::kCombo && wParam != VK_TAB &&
      SendMessageW(child->window, CB_GETDROPPEDSTATE, 0, 0)) {
    return false;
  }
  if (message == WM_KEYDOWN) Key(wParam, lParam);
  return true;  // the character of a key the dialog took goes nowhere
}

bool DialogWindow::Key(WPARAM key, LPARAM lParam) {
  const auto dialogKey = KeyOf(key);
  // A held key repeats only where repeating means something: the focus and the sliders.
  const bool repeat = (lParam & (1 << 30)) != 0;
  if (!dialogKey || ended_ ||
      (repeat && (key == VK_ESCAPE || key == VK_RETURN || key == VK_SPACE))) {
    return dialogKey.has_value();
  }
  const bool used = model_->KeyDown(*dialogKey);
  if (!ended_) SyncFocus();
  return used;
}

void DialogWindow::SyncFocus() {
  const ControlId focus = model_->Focus();
  Child* child = ChildOf(focus);
  const bool typed = child && (child->row->kind == ControlKind::kList ||
                               child->row->kind == ControlKind::kCombo);
  // The list and the combo box take their own keys; the dialog's window takes the rest.
  const HWND wanted = typed ? child->window : window_;
  const HWND now = GetFocus();
  if (now != wanted && !(typed && IsChild(wanted, now))) SetFocus(wanted);
  // The ring may lie outside the control's own rectangle.
  InvalidateRect(window_, nullptr, FALSE);
}

// ---- mouse ----

void DialogWindow::MouseButton(UINT message, WPARAM wParam, LPARAM lParam) {
  if (ended_) return;
  const int32_t x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  const bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN ||
                    message == WM_MBUTTONDOWN;
  if (down) {
    if (!pressed_) {
      const ControlLayout* row = ControlAt(*model_, x, y, dpi_);
      if (!row) return;
      // The control that took the press keeps the mouse until every button is up.
      pressed_ = row->id;
      SetCapture(window_);
    }
    const ControlLayout* row = FindLayout(*pressed_);
    const ClientRect r = Scaled(*row, model_->State(row->id));
    const ControlId focus = model_->Focus();
    model_->MouseDown(*pressed_, ButtonOf(message), ShiftOf(wParam),
                      ScaleFromDpi(x - r.x, dpi_), ScaleFromDpi(y - r.y, dpi_));
    if (!ended_ && !(model_->Focus() == focus)) SyncFocus();
    return;
  }
  if (!pressed_) return;
  const ControlId target = *pressed_;
  const ControlLayout* row = FindLayout(target);
  const ClientRect r = Scaled(*row, model_->State(row->id));
  if (ButtonsHeld(wParam) == 0) {
    // Released before the action runs, so a dialog the action opens gets the mouse.
    pressed_.reset();
    ReleaseCapture();
  }
  model_->MouseUp(target, ButtonOf(message), ShiftOf(wParam), ScaleFromDpi(x - r.x, dpi_),
                  ScaleFromDpi(y - r.y, dpi_));
}

bool DialogWindow::SetCursorFor(HWND over, LPARAM lParam) {
  if (hourglass_) {
    SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514) /*IDC_WAIT*/));
    return true;
  }
  if (LOWORD(lParam) != HTCLIENT && LOWORD(lParam) != HTVSCROLL &&
      LOWORD(lParam) != HTHSCROLL) {
    return false;
  }
  const ControlLayout* row = nullptr;
  bool enabled = true;
  if (over == window_) {
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(window_, &p);
    row = ControlAt(*model_, p.x, p.y, dpi_);
    enabled = row && model_->State(row->id).enabled;
  } else if (Child* child = ChildOf(over)) {
    row = child->row;
    enabled = IsWindowEnabled(child->window) != FALSE;
  }
  if (row && row->handCursor && enabled && hand_) {
    SetCursor(hand_);
    return true;
  }
  if (over == window_) {
    SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /*IDC_ARROW*/));
    return true;
  }
  return false;
}

// ---- DialogHost ----

PixelSize DialogWindow::ScreenSize() {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

MonitorArea DialogWindow::OpeningMonitor() {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!monitor_ || !GetMonitorInfoW(monitor_, &info)) {
    const PixelSize screen = ScreenSize();
    return {0, 0, screen.width, screen.height};
  }
  return {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
}

PixelSize DialogWindow::OuterSize(PixelSize client) {
  RECT r{0, 0, client.width, client.height};
  if (!AdjustWindowRectForDpi(r, kDialogStyle, 0, dpi_)) {
    return DialogHost::OuterSize(client);
  }
  return {r.right - r.left, r.bottom - r.top};
}

void DialogWindow::PlaceWindow(int32_t left, int32_t top, int32_t width, int32_t height) {
  SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::optional<PixelPoint> DialogWindow::CursorPos() {
  POINT p{};
  if (!GetCursorPos(&p)) return std::nullopt;
  return PixelPoint{p.x, p.y};
}

void DialogWindow::ZoomOpen(int16_t zoomX, int16_t zoomY) { win::ZoomOpen(window_, zoomX, zoomY); }

void DialogWindow::ZoomClose(int16_t zoomX, int16_t zoomY) {
  win::ZoomClose(window_, zoomX, zoomY);
}

void DialogWindow::DrawFrameEdge(Surface& surface, EdgeRect rect, uint32_t edge, uint32_t) {
  // The edge is drawn on all four sides (the only border the dialog asks for).
  SurfaceBitmap bitmap;
  if (surface.Empty() || !bitmap.Resize(surface.Width(), surface.Height())) return;
  bitmap.Put(surface, 0, 0);
  win::DrawFrameEdge(bitmap.Dc(), SurfaceScale{double(rect.left), double(rect.top),
                                               double(rect.right), double(rect.bottom)},
                     edge);
  surface = bitmap.Take();
}

void DialogWindow::DoEvents() {
  PumpWaiting();
}

void DialogWindow::PaintNow() {
  // WM_PAINT is sent straight to the window procedures; the queue is left alone.
  if (ended_ || !window_) return;
  RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void DialogWindow::SetPointer(Pointer pointer) {
  hourglass_ = pointer == Pointer::kHourglass;
  SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(hourglass_ ? 32514 : 32512)));
}

std::optional<Text> DialogWindow::BrowseForFolder(const Text& prompt, const Text& start) {
  wchar_t displayName[MAX_PATH] = {};
  const std::wstring title = Wide(prompt);
  const std::wstring startPath = Wide(start);
  BROWSEINFOW info{};
  info.hwndOwner = window_;
  info.pszDisplayName = displayName;
  info.lpszTitle = title.c_str();
  if (!startPath.empty()) {
    info.lpfn = SelectStartFolder;
    info.lParam = reinterpret_cast<LPARAM>(startPath.c_str());
  }
  PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info);
  if (!item) return std::nullopt;
  wchar_t path[MAX_PATH] = {};
  const BOOL found = SHGetPathFromIDListW(item, path);
  CoTaskMemFree(item);
  if (!found || path[0] == L'\0') return std::nullopt;
  return FromWide(path);
}

std::optional<Text> DialogWindow::ChooseOpenFile(const OpenFileRequest& request) {
  // The wide dialog, so a music file with any Unicode name comes back as it is named.
  const int chars = std::max(request.bufferChars, 1);
  std::wstring filter = Wide(request.filterDescription);
  filter.push_back(L'\0');
  filter += Wide(request.filterPattern);
  filter.push_back(L'\0');
  filter.push_back(L'\0');
  const std::wstring title = Wide(request.title);
  std::wstring file(static_cast<size_t>(chars) + 1, L'\0');
  std::wstring fileTitle(static_cast<size_t>(chars) + 1, L'\0');
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = window_;
  ofn.hInstance = app_.instance;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = DWORD(chars);
  ofn.lpstrFileTitle = fileTitle.data();
  ofn.nMaxFileTitle = DWORD(chars);
  ofn.lpstrTitle = title.c_str();
  std::wstring initial = Wide(request.initialFolder);
  if (initial.empty()) {
    wchar_t music[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_MYMUSIC, nullptr, SHGFP_TYPE_CURRENT, music))) {
      initial = music;
    }
  }
  if (!initial.empty()) ofn.lpstrInitialDir = initial.c_str();
  ofn.Flags = 0;
  if (GetOpenFileNameW(&ofn) <= 0) return std::nullopt;
  return FromWide(file.c_str());
}

void DialogWindow::OpenDocument(const Text& address) {
  ShellExecuteW(window_, L"open", Wide(address).c_str(), L"", L"", SW_SHOWNORMAL);
}

void DialogWindow::EndDialog() {
  if (ended_) return;
  if (window_) DestroyWindow(window_);
  ended_ = true;
}

void DialogWindow::Invalidate(ControlId id) {
  if (ended_ || !window_) return;
  if (Child* child = ChildOf(id)) {
    Sync(*child);
    return;
  }
  const ControlLayout* row = FindLayout(id);
  if (!row) return;
  // The design rectangle and the current one: the preview surface shrinks and grows.
  RECT design = ToRect(Scaled(*row));
  RECT now = ToRect(Scaled(*row, model_->State(id)));
  RECT both{};
  UnionRect(&both, &design, &now);
  InvalidateRect(window_, &both, FALSE);
}

}  // namespace orv::win
