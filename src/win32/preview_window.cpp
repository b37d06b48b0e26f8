// The preview window. (Its window arrives with the dialog work; until then /p ends at once.)
#include "win32/app.h"

namespace orv::win {

void OpenPreviewWindow(App&, HWND, int32_t, int32_t) { PostQuitMessage(0); }

}  // namespace orv::win
