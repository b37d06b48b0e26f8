// The settings dialog. (Its window arrives with the dialog; until then /c ends at once.)
#include "win32/app.h"

namespace orv::win {

void RunSettingsDialog(App&) {}

}  // namespace orv::win
