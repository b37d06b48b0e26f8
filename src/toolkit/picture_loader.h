// Loads a picture file (BMP, GIF, JPEG, placeable WMF) at its own size.
#pragma once
#include <optional>

#include "core/text.h"
#include "toolkit/surface.h"

namespace orv {

class PictureLoader {
 public:
  virtual ~PictureLoader() = default;
  // nullopt when the file is missing, unreadable or not a picture of those kinds.
  virtual std::optional<Surface> Load(const Text& path) = 0;
};

}  // namespace orv
