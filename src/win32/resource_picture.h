// Pictures decoded by the system's picture loader (BMP, GIF, JPEG, placeable WMF) into
// our surfaces, from the program's resources or from the bytes of a file.
#pragma once
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

#include "toolkit/surface.h"

namespace orv::win {

// The picture in `bytes` at its own size; a metafile is drawn over white.
std::optional<Surface> DecodePicture(const void* bytes, size_t size);
// The same for the bytes of a file, which are freed as soon as the decoder has its copy.
std::optional<Surface> DecodePicture(std::string&& bytes);

// Decodes the RCDATA resource `id` (a BMP, GIF or JPEG file image) at its own size.
std::optional<Surface> LoadResourcePicture(HINSTANCE instance, int id);

}  // namespace orv::win
