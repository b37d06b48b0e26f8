// The file system through the wide-character APIs, so any Unicode name is reached.
#pragma once
#include "toolkit/file_system.h"

namespace orv::win {

class Win32FileSystem final : public FileSystem {
 public:
  std::optional<std::vector<Text>> ListNames(const Text& pattern, bool admitDirectories) override;
  std::optional<std::vector<FileEntry>> ListEntries(const Text& pattern,
                                                    bool admitDirectories) override;
  std::optional<uint32_t> Attributes(const Text& path) override;
  bool CanOpenForReading(const Text& path) override;
  std::optional<std::string> ReadAll(const Text& path) override;
  bool StoreFile(const Text& path, std::string_view bytes, bool createFolders) override;
};

}  // namespace orv::win
