// The main module's picture list and order, with the settings that choose them: what the
// folder scan fills and the order is drawn over.
#pragma once
#include <cstdint>
#include <vector>

#include "core/text.h"
#include "settings/settings.h"

namespace orv {

struct PictureList {
  Settings settings;
  std::vector<Text> imageList{Text()};    // 1..imageCount; index 0 unused
  int16_t imageCount = 0;
  std::vector<int16_t> imageOrder;        // 1..imageCount; sized once by Main
  int16_t scanAttribute = 0;
};

}  // namespace orv
