// What the program asks of the file system. The Win32 layer uses the wide-character APIs;
// tests use an in-memory tree.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text.h"

namespace orv {

// Attribute bits as the system reports them.
enum FileAttribute : uint32_t {
  kAttrReadOnly = 1,
  kAttrHidden = 2,
  kAttrSystem = 4,
  kAttrDirectory = 16,
  kAttrArchive = 32,
};

// Bits that only say how or where a file is stored: not content indexed, offline, sparse,
// compressed, encrypted, integrity stream, no scrub data, and the placeholder bits of cloud
// files (reparse point, pinned, unpinned, recall on open, recall on data access). Whole
// drives (indexing off) and cloud-backed folders set them on every file, so a picture's
// attribute word is compared without them.
inline constexpr uint32_t kStorageOnlyAttributes = 0x200 | 0x400 | 0x800 | 0x1000 | 0x2000 |
                                                   0x4000 | 0x8000 | 0x20000 | 0x40000 |
                                                   0x80000 | 0x100000 | 0x400000;

// The attribute word a picture listing compares: the entry's word without storage-only bits.
inline uint32_t ListedAttributeWord(uint32_t attributes) {
  return attributes & ~kStorageOnlyAttributes;
}

// One entry of a listing: its name and, when it could be had, its attribute word.
struct FileEntry {
  Text name;
  std::optional<uint32_t> attributes;  // nullopt when the entry cannot be queried
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Names (not paths) of the entries that match `pattern` (a folder followed by a wildcard
  // name), in the order the file system returns them. Hidden and system entries are never
  // admitted; directories only with `admitDirectories`. nullopt when the listing fails.
  virtual std::optional<std::vector<Text>> ListNames(const Text& pattern,
                                                     bool admitDirectories) = 0;

  // ListNames with each entry's attribute word. A listing that carries the words (as the
  // system's does) saves a query per file, which matters in folders of thousands; this one
  // asks Attributes for each name.
  virtual std::optional<std::vector<FileEntry>> ListEntries(const Text& pattern,
                                                            bool admitDirectories);

  // The attribute word; a plain file whose only flag is "normal" reports 0. nullopt when
  // the entry cannot be queried.
  virtual std::optional<uint32_t> Attributes(const Text& path) = 0;

  // Whether the file opens for reading (false for folders, missing files, refused access).
  virtual bool CanOpenForReading(const Text& path) = 0;

  virtual std::optional<std::string> ReadAll(const Text& path) = 0;

  // Writes the whole file through a temporary file in the same folder that then replaces
  // `path`, so a failure never leaves a half-written file. Creates missing parent folders
  // when `createFolders`. false on any failure.
  virtual bool StoreFile(const Text& path, std::string_view bytes, bool createFolders) = 0;
};

// Trailing blanks removed, then a backslash added unless the text already ends in one.
Text AddBackslash(TextView path);
// kTrue when the folder lists at least one entry (its own "." for an ordinary folder).
int16_t FolderExists(FileSystem& fs, TextView path);
// kTrue when the path opens as a file for reading; one trailing backslash is ignored.
int16_t FileExists(FileSystem& fs, TextView path);

}  // namespace orv
