// The settings dialog's window: creates the controls the layout table lists, draws the
// dialog's state, forwards mouse, scroll, list, combo and timer events to the dialog's
// handlers and performs what the dialog asks of its window.
#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "dialog/dialog_model.h"
#include "dialog/dialog_art.h"
#include "dialog/dialog_canvas.h"
#include "win32/app.h"
#include "win32/show_picture_loader.h"
#include "win32/surface_bitmap.h"

namespace orv::win {

class DialogWindow final : public DialogHost {
 public:
  explicit DialogWindow(App& app);
  ~DialogWindow() override;
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  // Creates the window (hidden) and its controls, runs the dialog's opening and shows the
  // window. False when the window cannot be created.
  bool Open();
  // The dialog has closed and its window is gone.
  bool Ended() const { return ended_; }
  HWND Handle() const { return window_; }
  DialogModel& Model() { return *model_; }

  // ---- DialogHost ----
  PixelSize ScreenSize() override;
  MonitorArea OpeningMonitor() override;
  int32_t Dpi() override { return dpi_; }
  PixelSize OuterSize(PixelSize client) override;
  void PlaceWindow(int32_t left, int32_t top, int32_t width, int32_t height) override;
  std::optional<PixelPoint> CursorPos() override;
  void ZoomOpen(int16_t zoomX, int16_t zoomY) override;
  void ZoomClose(int16_t zoomX, int16_t zoomY) override;
  void DrawFrameEdge(Surface& surface, EdgeRect rect, uint32_t edge, uint32_t flags) override;
  void DoEvents() override;
  void PaintNow() override;
  void SetPointer(Pointer pointer) override;
  std::optional<Text> BrowseForFolder(const Text& prompt, const Text& start) override;
  std::optional<Text> ChooseOpenFile(const OpenFileRequest& request) override;
  void OpenDocument(const Text& address) override;
  void EndDialog() override;
  void Invalidate(ControlId id) override;

  // Every message of the dialog's window (win32/window_class.h).
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  // Height of the combo box's drop-down list at 96 DPI: room for about twelve track numbers.
  static constexpr int kComboListHeight = 180;

  // A real control of the system standing for a row of the layout.
  struct Child {
    const ControlLayout* row = nullptr;
    HWND window = nullptr;
    std::vector<Text> shownItems;  // what the list or combo box holds now
  };

  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  bool CreateControls();
  void Paint();
  void DrawTexts(HDC dc);
  void Sync(Child& child);
  void SyncList(Child& child);
  Child* ChildOf(HWND window);
  Child* ChildOf(ControlId id);
  void MouseButton(UINT message, WPARAM wParam, LPARAM lParam);
  bool SetCursorFor(HWND over, LPARAM lParam);
  void Scroll(WPARAM wParam, LPARAM lParam);
  void Command(WPARAM wParam, LPARAM lParam);
  // Tab, Enter and Esc taken from the system's controls, and the focus a click on them
  // gives; true when the message is used up.
  static LRESULT CALLBACK ChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR self);
  bool ChildMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool Key(WPARAM key, LPARAM lParam);
  void SyncFocus();
  // Fonts, pictures, cursor and control positions for this DPI.
  void ApplyDpi(int32_t dpi);
  void DpiChanged(int32_t dpi, const RECT& suggested);
  ClientRect Scaled(const ControlLayout& row) const;
  ClientRect Scaled(const ControlLayout& row, const ControlState& state) const;

  App& app_;
  DialogArt art_;      // at the design's DPI; the dialog tiles its panels with its texture
  DialogArt dpiArt_;   // drawn for dpi_ when that is another
  ShowPictureLoader pictures_;  // the header is checked before the decoder sees a file
  std::unique_ptr<DialogModel> model_;
  HWND window_ = nullptr;
  HMONITOR monitor_ = nullptr;        // where the dialog opens
  int32_t dpi_ = kDesignDpi;          // what fonts, pictures and positions are made for
  HFONT font_ = nullptr;
  HFONT linkFont_ = nullptr;
  HCURSOR hand_ = nullptr;
  bool hourglass_ = false;
  bool ended_ = false;
  int syncing_ = 0;                   // our own changes to controls raise no events
  std::optional<ControlId> pressed_;  // the control that holds the mouse
  std::vector<Child> children_;
  SurfaceBitmap back_;                // the client area, composed off screen
};

}  // namespace orv::win
