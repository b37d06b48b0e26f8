// The preview window: the still of the show inside the host's preview area. The program
// lives as long as this window does.
#include <optional>

#include "resources/resource_ids.h"
#include "startup/preview.h"
#include "win32/app.h"
#include "win32/dpi.h"
#include "win32/resource_picture.h"
#include "win32/surface_bitmap.h"
#include "win32/window_class.h"

namespace orv::win {
namespace {

constexpr wchar_t kPreviewClass[] = L"Orvane_R";
constexpr wchar_t kPreviewTitle[] = L"Preview Window";

// The one preview of a run and its still, decoded once; it lives as long as the program.
struct Preview {
  SurfaceBitmap still;

  void Paint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client{};
    GetClientRect(window, &client);
    // The black class brush has already filled what the still does not cover.
    const AreaSize part = VisibleStillPart(
        {still.Width(), still.Height()}, {client.right - client.left, client.bottom - client.top});
    if (part.width > 0 && part.height > 0) {
      BitBlt(dc, 0, 0, part.width, part.height, still.Dc(), 0, 0, SRCCOPY);
    }
    EndPaint(window, &ps);
  }

  // Every message of the preview's window (win32/window_class.h).
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_PAINT:
        Paint(window);
        return 0;
      case WM_DESTROY:
        // The host took its preview area away: nothing of the program is left to show.
        PostQuitMessage(0);
        return 0;
      default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
  }
};

Preview& ThePreview() {
  static Preview preview;
  return preview;
}

}  // namespace

void OpenPreviewWindow(App& app, HWND host, int32_t width, int32_t height) {
  const std::optional<Surface> still = LoadResourcePicture(app.instance, ORV_RES_PREVIEW_STILL);
  Preview& preview = ThePreview();
  SurfaceBitmap& target = preview.still;
  const AreaSize size = StillSizeAt(WindowDpi(host));
  if (still && size.width == still->Width() && size.height == still->Height()) {
    if (target.Resize(still->Width(), still->Height())) target.Put(*still, 0, 0);
  } else if (still && target.Resize(size.width, size.height)) {
    // A photograph, so it is resampled smoothly to the host's scale.
    SurfaceBitmap source;
    if (source.Resize(still->Width(), still->Height())) {
      source.Put(*still, 0, 0);
      SetStretchBltMode(target.Dc(), HALFTONE);
      SetBrushOrgEx(target.Dc(), 0, 0, nullptr);
      StretchBlt(target.Dc(), 0, 0, size.width, size.height, source.Dc(), 0, 0,
                 still->Width(), still->Height(), SRCCOPY);
    }
  }
  if (!RegisterWindowClass<Preview>(app.instance, kPreviewClass,
                                    static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)))) {
    PostQuitMessage(0);
    return;
  }
  // Created as a hidden pop-up (a top-level window without WS_POPUP would get a caption),
  // then turned into a child: the system asks for WS_POPUP to go when WS_CHILD comes.
  HWND window = CreateWindowExW(0, kPreviewClass, kPreviewTitle, WS_POPUP, 0, 0,
                                kPreviewStillWidth, kPreviewStillHeight, nullptr, nullptr,
                                app.instance, &preview);
  if (!window) {
    PostQuitMessage(0);
    return;
  }
  const auto style = static_cast<ULONG_PTR>(GetWindowLongPtrW(window, GWL_STYLE));
  const ULONG_PTR childStyle = (style & ~ULONG_PTR{WS_POPUP}) | WS_CHILD;
  SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG_PTR>(childStyle));
  SetParent(window, host);
  SetWindowPos(window, nullptr, 0, 0, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  ShowWindow(window, SW_SHOWNA);
  if (PreviewFateFor(IsWindow(host) != FALSE) == PreviewFate::kEndNow) DestroyWindow(window);
}

}  // namespace orv::win
