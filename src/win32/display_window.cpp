// The full-screen display window. (Its window arrives with the show; until then the show
// mode ends at once.)
#include "win32/app.h"

namespace orv::win {

void OpenDisplayWindow(App&) { PostQuitMessage(0); }

}  // namespace orv::win
