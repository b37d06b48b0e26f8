// The main module's state for the whole run: settings, picture list and order, and the
// few values start-up hands to the windows.
#pragma once
#include <cstdint>
#include <vector>

#include "core/text.h"
#include "exitctl/exit_control.h"
#include "images/picture_list.h"

namespace orv {

// The settings and the picture list, with the command line and the cursor count the exit
// rules use.
struct AppState : PictureList, ExitSession {};

}  // namespace orv
