#include "win32/show_picture_loader.h"

#include "display/picture_file.h"
#include "toolkit/picture_orientation.h"
#include "win32/resource_picture.h"
#include "win32/wic_rows.h"

namespace orv::win {

std::optional<Surface> ShowPictureLoader::Load(const Text& path) {
  const std::optional<std::string> bytes = files_.ReadAll(path);
  if (!bytes || !ReadPictureHeader(*bytes)) return std::nullopt;
  const Orientation orientation = ReadExifOrientation(*bytes);
  std::optional<Surface> picture = DecodePicture(bytes->data(), bytes->size());
  if (picture && orientation != Orientation::kUpright) *picture = Upright(*picture, orientation);
  return picture;
}

std::unique_ptr<PictureRows> ShowPictureLoader::Open(const Text& path) {
  std::optional<std::string> bytes = files_.ReadAll(path);
  if (!bytes) return nullptr;
  const std::optional<PictureHeader> header = ReadPictureHeader(*bytes);
  if (!header || !FitsShowDecode(*header)) return nullptr;
  if (header->kind != PictureKind::kWmf) {
    const Orientation orientation = ReadExifOrientation(*bytes);
    return UprightRows(OpenDecodedRows(std::move(*bytes), header->kind), orientation);
  }
  std::optional<Surface> picture = DecodePicture(std::move(*bytes));
  if (!picture) return nullptr;
  return std::make_unique<SurfaceRows>(std::move(*picture));
}

}  // namespace orv::win
