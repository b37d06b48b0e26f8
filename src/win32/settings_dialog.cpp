// The settings dialog, shown modally: its own message loop runs until the dialog closes.
#include <objbase.h>

#include "win32/app.h"
#include "win32/dialog_window.h"
#include "win32/message_pump.h"
#include "win32/scoped.h"

namespace orv::win {

void RunSettingsDialog(App& app) {
  // The folder browser and the picture loader need COM on this thread.
  const ScopedCom com;
  {
    DialogWindow dialog(app);
    if (dialog.Open()) RunMessages([&] { return dialog.Ended(); });
  }
}

}  // namespace orv::win
