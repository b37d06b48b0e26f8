// The main module's state for the whole run: settings, picture list and order, and the
// few values start-up hands to the windows.
#pragma once
#include <cstdint>
#include <vector>

#include "core/text.h"
#include "images/picture_list.h"

namespace orv {

// The settings and the picture list (images/picture_list.h), with what start-up hands on.
struct AppState : PictureList {
  Text commandLine;              // the text after the program's path
  int32_t savedCursorCount = 0;
  int16_t zoomX = 0;
  int16_t zoomY = 0;
};

// The mode letter: the second character of the command line, upper-cased; empty when the
// command line is shorter.
Text ModeLetter(TextView commandLine);

}  // namespace orv
