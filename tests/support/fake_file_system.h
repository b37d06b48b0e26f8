// An in-memory file system for tests: folders, files with attribute words and contents,
// listing in insertion order, and switches that make calls fail.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "toolkit/file_system.h"

namespace orv::test {

class FakeFileSystem : public FileSystem {
 public:
  void AddFolder(const Text& path);
  // Adds a file (and its folders); `attributes` as the system reports them (0 for normal).
  void AddFile(const Text& path, std::string content = {}, uint32_t attributes = kAttrArchive);
  void Remove(const Text& path);
  bool Exists(const Text& path) const { return entries_.count(Key(path)) != 0; }
  std::string Content(const Text& path) const;

  std::set<Text> unreadable;         // paths whose open or read fails
  std::set<Text> unwritableFolders;  // folders in which no file can be written
  std::set<Text> failingAttributes;  // paths whose attribute query fails
  bool listingFails = false;
  int listCalls = 0;

  std::optional<std::vector<Text>> ListNames(const Text& pattern, bool admitDirectories) override;
  std::optional<uint32_t> Attributes(const Text& path) override;
  bool CanOpenForReading(const Text& path) override;
  std::optional<std::string> ReadAll(const Text& path) override;
  bool StoreFile(const Text& path, std::string_view bytes, bool createFolders) override;

 private:
  struct Entry {
    Text name;  // as created, for listings
    uint32_t attributes = 0;
    std::string content;
    long order = 0;
  };
  // Case-blind, separators folded, as the Windows file system compares paths.
  static Text Key(const Text& path);
  const Entry* Find(const Text& path) const;
  std::map<Text, Entry> entries_;
  long nextOrder_ = 0;
};

}  // namespace orv::test
