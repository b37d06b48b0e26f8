#include "win32/message_pump.h"

#include <windows.h>

namespace orv::win {

void PumpWaiting() {
  constexpr int kMostMessages = 256;
  MSG msg;
  for (int i = 0; i < kMostMessages && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

int RunMessages(const std::function<bool()>& done) {
  MSG msg{};
  while (!(done && done())) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {  // WM_QUIT, or a failed call, which a loop cannot recover from
      const int code = got == 0 ? static_cast<int>(msg.wParam) : 0;
      if (got == 0 && done) PostQuitMessage(code);
      return code;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace orv::win
