// The main module's state for the whole run: settings, picture list and order, and the
// few values start-up hands to the windows.
#pragma once
#include <cstdint>
#include <vector>

#include "core/text.h"
#include "settings/settings.h"

namespace orv {

struct AppState {
  Text commandLine;              // the text after the program's path
  Settings settings;
  std::vector<Text> imageList{Text()};    // 1..imageCount; index 0 unused
  int16_t imageCount = 0;
  std::vector<int16_t> imageOrder;        // 1..imageCount; sized once by Main
  int32_t savedCursorCount = 0;
  int16_t scanAttribute = 0;
  int16_t zoomX = 0;
  int16_t zoomY = 0;
};

// The mode letter: the second character of the command line, upper-cased; empty when the
// command line is shorter.
Text ModeLetter(TextView commandLine);

}  // namespace orv
