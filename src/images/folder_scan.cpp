#include "images/folder_scan.h"

#include <algorithm>

#include "core/numbers.h"
#include "images/paths.h"

namespace orv {

void ScanImageFolder(AppState& app, FileSystem& fs, TextView folder,
                     const ScanProgress& progress) {
  app.imageCount = 0;
  if (folder.empty()) return;
  for (const int16_t attribute : {int16_t{0}, int16_t{kAttrArchive}, int16_t{kAttrReadOnly}}) {
    app.scanAttribute = attribute;
    for (size_t kind = 0; kind < kKindPatterns.size(); ++kind) {
      if (app.settings.KindOn[kind] == 1 &&
          !ListMatchingFiles(app, fs, Text(folder) + kKindPatterns[kind], app.scanAttribute,
                             progress)) {
        return;
      }
    }
  }
  if (app.imageCount > 1) SortImageList(app);
}

bool ListMatchingFiles(AppState& app, FileSystem& fs, TextView pattern, int16_t attribute,
                       const ScanProgress& progress) {
  const Text dir = FolderPart(pattern) + u"\\";
  const auto names = fs.ListNames(Text(pattern), /*admitDirectories=*/false);
  if (!names) return true;
  for (const Text& name : *names) {
    const auto attributes = fs.Attributes(dir + name);
    if (!attributes) return true;
    if (*attributes == static_cast<uint32_t>(static_cast<uint16_t>(attribute))) {
      const auto count = num::Add16(app.imageCount, 1);
      if (!count) return true;
      app.imageCount = *count;
      app.imageList.resize(static_cast<size_t>(app.imageCount) + 1);
      app.imageList[static_cast<size_t>(app.imageCount)] = dir + name;
    }
    if (progress && !progress()) return false;
  }
  return true;
}

void SortImageList(AppState& app) {
  // u16string compares code unit by code unit, which is the order wanted.
  std::sort(app.imageList.begin() + 1, app.imageList.begin() + 1 + app.imageCount);
}

}  // namespace orv
