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
  bool Exists(const Text& path) const;
  std::string Content(const Text& path) const;

  // Failure switches.
  std::set<Text> unreadable;        // paths whose open or read fails
  std::set<Text> unwritableFolders; // folders in which no file can be written
  std::set<Text> failingAttributes; // paths whose attribute query fails
  bool listingFails = false;
  int listCalls = 0;

  std::optional<std::vector<Text>> ListNames(const Text& pattern, bool admitDirectories) override;
  std::optional<uint32_t> Attributes(const Text& path) override;
  bool CanOpenForReading(const Text& path) override;
  std::optional<std::string> ReadAll(const Text& path) override;
  bool StoreFile(const Text& path, std::string_view bytes, bool createFolders) override;

  // Case-blind key with separators folded, as the Windows file system compares paths.
  static Text Key(const Text& path);

 private:
  struct Entry {
    Text name;  // as created, for listings
    bool folder = false;
    uint32_t attributes = 0;
    std::string content;
    long order = 0;
  };
  static Text Parent(const Text& key);
  const Entry* Find(const Text& path) const;
  std::vector<Text> ExactName(const Text& path, bool admitDirectories) const;
  std::map<Text, Entry> entries_;
  long nextOrder_ = 0;
};

// Case-blind wildcard match with * and ?.
bool WildcardMatch(TextView pattern, TextView name);

}  // namespace orv::test
