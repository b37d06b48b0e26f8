// Picture files through the system's picture loader.
#pragma once
#include "toolkit/file_system.h"
#include "toolkit/picture_loader.h"

namespace orv::win {

class OlePictureLoader final : public PictureLoader {
 public:
  explicit OlePictureLoader(FileSystem& files) : files_(files) {}
  std::optional<Surface> Load(const Text& path) override;

 private:
  FileSystem& files_;
};

}  // namespace orv::win
