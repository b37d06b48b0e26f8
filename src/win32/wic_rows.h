// Raster pictures for the show (JPEG, BMP, GIF) through the Windows Imaging Component, read
// a row at a time: a picture is never copied whole into 32-bit pixels, only the rows the
// screen shows are, and no drawing lock of the system is held while it decodes.
#pragma once
#include <memory>
#include <string>

#include "display/picture_file.h"
#include "toolkit/picture_loader.h"

namespace orv::win {

// The picture of kind `kind` (not kWmf) in `bytes`; null when the decoder refuses it. The
// calling thread has joined COM.
std::unique_ptr<PictureRows> OpenDecodedRows(std::string bytes, PictureKind kind);

}  // namespace orv::win
