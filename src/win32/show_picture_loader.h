// Picture files for the show: the header is read first and a file that is no picture of the
// four kinds, or declares a size the show cannot hold, never reaches the system's decoder.
#pragma once
#include "toolkit/file_system.h"
#include "toolkit/picture_loader.h"

namespace orv::win {

class ShowPictureLoader final : public PictureLoader {
 public:
  explicit ShowPictureLoader(FileSystem& files) : files_(files) {}
  std::optional<Surface> Load(const Text& path) override;

 private:
  FileSystem& files_;
};

}  // namespace orv::win
