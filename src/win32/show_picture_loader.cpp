#include "win32/show_picture_loader.h"

#include "display/picture_file.h"
#include "win32/resource_picture.h"

namespace orv::win {

std::optional<Surface> ShowPictureLoader::Load(const Text& path) {
  const std::optional<std::string> bytes = files_.ReadAll(path);
  if (!bytes || !ReadPictureHeader(*bytes)) return std::nullopt;
  return DecodePicture(bytes->data(), bytes->size());
}

}  // namespace orv::win
