#include "images/folder_scan.h"

#include <algorithm>

#include "core/numbers.h"
#include "images/paths.h"

namespace orv {

namespace {

// Appends the entries whose attribute word equals `attribute`; stops at the first entry that
// could not be queried or when the list is full. False only when `progress` ended the scan.
bool AddMatchingFiles(PictureList& app, const Text& dir,
                      const std::optional<std::vector<FileEntry>>& entries, int16_t attribute,
                      const ScanProgress& progress) {
  if (!entries) return true;
  for (const FileEntry& entry : *entries) {
    if (!entry.attributes) return true;
    if (ListedAttributeWord(*entry.attributes) ==
        static_cast<uint32_t>(static_cast<uint16_t>(attribute))) {
      const auto count = num::Add16(app.imageCount, 1);
      if (!count) return true;
      app.imageCount = *count;
      app.imageList.resize(static_cast<size_t>(app.imageCount) + 1);
      app.imageList[static_cast<size_t>(app.imageCount)] = dir + entry.name;
    }
    if (progress && !progress()) return false;
  }
  return true;
}

}  // namespace

void ScanImageFolder(PictureList& app, FileSystem& fs, TextView folder,
                     const ScanProgress& progress) {
  app.imageCount = 0;
  if (folder.empty()) return;
  // Each kind is listed once and its listing serves all three passes.
  std::array<std::optional<std::vector<FileEntry>>, kKindPatterns.size()> listings;
  for (size_t kind = 0; kind < kKindPatterns.size(); ++kind) {
    if (app.settings.KindOn[kind] == 1) {
      listings[kind] = fs.ListEntries(Text(folder) + kKindPatterns[kind], false);
    }
  }
  const Text dir = FolderPart(Text(folder) + kKindPatterns[0]) + u"\\";
  for (const int16_t attribute : {int16_t{0}, int16_t{kAttrArchive}, int16_t{kAttrReadOnly}}) {
    app.scanAttribute = attribute;
    for (size_t kind = 0; kind < kKindPatterns.size(); ++kind) {
      if (app.settings.KindOn[kind] == 1 &&
          !AddMatchingFiles(app, dir, listings[kind], app.scanAttribute, progress)) {
        return;
      }
    }
  }
  if (app.imageCount > 1) SortImageList(app);
}

bool ListMatchingFiles(PictureList& app, FileSystem& fs, TextView pattern, int16_t attribute,
                       const ScanProgress& progress) {
  const Text dir = FolderPart(pattern) + u"\\";
  return AddMatchingFiles(app, dir, fs.ListEntries(Text(pattern), false), attribute, progress);
}

void SortImageList(PictureList& app) {
  // u16string compares code unit by code unit, which is the order wanted.
  std::sort(app.imageList.begin() + 1, app.imageList.begin() + 1 + app.imageCount);
}

}  // namespace orv
