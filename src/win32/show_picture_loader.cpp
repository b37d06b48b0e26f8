#include "win32/show_picture_loader.h"

#include "display/picture_file.h"
#include "win32/resource_picture.h"
#include "win32/wic_rows.h"

namespace orv::win {

std::optional<Surface> ShowPictureLoader::Load(const Text& path) {
  const std::optional<std::string> bytes = files_.ReadAll(path);
  if (!bytes || !ReadPictureHeader(*bytes)) return std::nullopt;
  return DecodePicture(bytes->data(), bytes->size());
}

std::unique_ptr<PictureRows> ShowPictureLoader::Open(const Text& path) {
  std::optional<std::string> bytes = files_.ReadAll(path);
  if (!bytes) return nullptr;
  const std::optional<PictureHeader> header = ReadPictureHeader(*bytes);
  if (!header || !FitsShowDecode(*header)) return nullptr;
  if (header->kind != PictureKind::kWmf) return OpenDecodedRows(std::move(*bytes), header->kind);
  std::optional<Surface> picture = DecodePicture(std::move(*bytes));
  if (!picture) return nullptr;
  return std::make_unique<SurfaceRows>(std::move(*picture));
}

}  // namespace orv::win
