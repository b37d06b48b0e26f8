// The settings dialog, shown modally: its own message loop runs until the dialog closes.
#include <objbase.h>

#include "win32/app.h"
#include "win32/dialog_window.h"

namespace orv::win {

void RunSettingsDialog(App& app) {
  // The folder browser and the picture loader need COM on this thread.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  {
    DialogWindow dialog(app);
    if (dialog.Open()) {
      MSG msg;
      while (!dialog.Ended()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
          if (got == 0) PostQuitMessage(int(msg.wParam));  // not ours: pass it on
          break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
  }
  if (SUCCEEDED(com)) CoUninitialize();
}

}  // namespace orv::win
