// What the settings dialog asks of the window that shows it. The window layer implements it
// with system calls; tests record the calls and answer from a script.
#pragma once
#include <cstdint>
#include <optional>

#include "core/text.h"
#include "dialog/dialog_layout.h"
#include "dialog/dialog_scale.h"
#include "toolkit/surface.h"

namespace orv {

struct PixelPoint {
  int32_t x = 0, y = 0;
};

struct PixelSize {
  int32_t width = 0, height = 0;
};

struct EdgeRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const EdgeRect&, const EdgeRect&) = default;
};

// DrawEdge's arguments as the dialog uses them.
inline constexpr uint32_t kEdgeRaised = 5;  // BDR_RAISEDOUTER | BDR_RAISEDINNER
inline constexpr uint32_t kBorderRect = 15;  // BF_RECT

// Application-wide mouse pointer.
enum class Pointer : uint8_t { kDefault = 0, kHourglass = 11 };

// The open-file dialog for the music file (GetOpenFileNameA).
struct OpenFileRequest {
  Text filterDescription;  // "BGMﾌｧｲﾙ (MP3 WAV)"
  Text filterPattern;      // "*.MP3;*.WAV"
  Text title;              // "ﾌｧｲﾙを開く"
  int32_t bufferChars = 0; // size of the file and file-title buffers
  Text initialFolder;      // where it opens; empty: the user's Music folder
};

class DialogHost {
 public:
  virtual ~DialogHost() = default;

  // The primary screen's size in pixels.
  virtual PixelSize ScreenSize() = 0;
  // The monitor the window opens on, in screen pixels, and its DPI. Unless the window
  // knows better: the primary screen at the design DPI.
  virtual MonitorArea OpeningMonitor() {
    const PixelSize screen = ScreenSize();
    return {0, 0, screen.width, screen.height};
  }
  virtual int32_t Dpi() { return kDesignDpi; }
  // The outer size of the window around a client area of this size. Unless the window
  // knows its frame: the design's frame, 8 wide and 27 high.
  virtual PixelSize OuterSize(PixelSize client) {
    return {client.width + (kOuterWidth - kClientWidth),
            client.height + (kOuterHeight - kClientHeight)};
  }
  // Moves the window to this outer rectangle, in screen pixels.
  virtual void PlaceWindow(int32_t left, int32_t top, int32_t width, int32_t height) = 0;
  // The mouse position on the screen; nullopt when it cannot be read.
  virtual std::optional<PixelPoint> CursorPos() = 0;
  // The window's opening and closing outlines between the point and the window's rectangle.
  virtual void ZoomOpen(int16_t zoomX, int16_t zoomY) = 0;
  virtual void ZoomClose(int16_t zoomX, int16_t zoomY) = 0;
  // Draws a 3-D edge inside `rect` of the surface in the system's colours.
  virtual void DrawFrameEdge(Surface& surface, EdgeRect rect, uint32_t edge, uint32_t flags) = 0;

  // Lets the waiting window events run once (paints, timer ticks, clicks), then returns.
  virtual void DoEvents() = 0;
  // Paints what has changed at once, and nothing else: no click or timer tick runs.
  virtual void PaintNow() = 0;
  virtual void SetPointer(Pointer pointer) = 0;

  // The folder browser with this prompt, opened at `start` (a folder that exists; empty:
  // where the system opens it); nullopt when cancelled or when the chosen item has no
  // file-system path.
  virtual std::optional<Text> BrowseForFolder(const Text& prompt, const Text& start) = 0;
  // The open-file dialog; the full path, or nullopt when cancelled or failed.
  virtual std::optional<Text> ChooseOpenFile(const OpenFileRequest& request) = 0;
  // Opens a document or address with the shell's "open"; the result is not needed.
  virtual void OpenDocument(const Text& address) = 0;

  // Destroys the dialog window and ends its modal loop. The dialog has already run its
  // unload handler when it calls this.
  virtual void EndDialog() = 0;

  // The state of this control changed (caption, picture, enabled, visible, size, slider,
  // list, combo, surface or colour): the window updates and repaints it.
  virtual void Invalidate(ControlId id) = 0;
};

}  // namespace orv
