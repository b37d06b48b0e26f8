#include "toolkit/picture_loader.h"

#include <algorithm>

namespace orv {

std::unique_ptr<PictureRows> PictureLoader::Open(const Text& path) {
  std::optional<Surface> picture = Load(path);
  if (!picture) return nullptr;
  return std::make_unique<SurfaceRows>(std::move(*picture));
}

bool SurfaceRows::ReadRow(int y, uint32_t* row) {
  if (y < 0 || y >= picture_.Height()) return false;
  const uint32_t* from = picture_.Row(y);
  std::copy(from, from + picture_.Width(), row);
  return true;
}

}  // namespace orv
