// Picture files for the show: the header is read first and a file that is no picture of the
// four kinds, or declares a size the show cannot hold, never reaches the system's decoder.
// For the running show, JPEG, BMP and GIF pictures are read by rows and metafiles drawn
// whole, each kind only up to the size its decoder can hold beside the screen.
#pragma once
#include "toolkit/file_system.h"
#include "toolkit/picture_loader.h"

namespace orv::win {

class ShowPictureLoader final : public PictureLoader {
 public:
  explicit ShowPictureLoader(FileSystem& files) : files_(files) {}
  std::optional<Surface> Load(const Text& path) override;
  // Runs on the show's worker thread, which has joined COM.
  std::unique_ptr<PictureRows> Open(const Text& path) override;

 private:
  FileSystem& files_;
};

}  // namespace orv::win
