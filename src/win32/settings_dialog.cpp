// The settings dialog, shown modally: its own message loop runs until the dialog closes.
#include <objbase.h>

#include "win32/app.h"
#include "win32/dialog_window.h"
#include "win32/scoped.h"

namespace orv::win {

void RunSettingsDialog(App& app) {
  // The folder browser and the picture loader need COM on this thread.
  const ScopedCom com;
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
}

}  // namespace orv::win
