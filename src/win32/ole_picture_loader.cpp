#include "win32/ole_picture_loader.h"

#include "win32/resource_picture.h"

namespace orv::win {

std::optional<Surface> OlePictureLoader::Load(const Text& path) {
  const std::optional<std::string> bytes = files_.ReadAll(path);
  if (!bytes) return std::nullopt;
  return DecodePicture(bytes->data(), bytes->size());
}

}  // namespace orv::win
