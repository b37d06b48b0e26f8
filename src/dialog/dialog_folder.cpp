// Picture folder, picture kinds and the list of picture names.
#include "core/numbers.h"
#include "dialog/dialog_model.h"
#include "images/folder_scan.h"
#include "images/paths.h"

namespace orv {
namespace {

constexpr ControlId kFolderBox{Ctl::Folder_Path, 0};
constexpr ControlId kCountBox{Ctl::lbl_Kei, 0};

Artwork KindMark(int16_t flag) { return flag == 1 ? Artwork::kKindOn : Artwork::kKindOff; }
bool HasKindMark(int16_t flag) { return flag == 0 || flag == 1; }

}  // namespace

Text DialogModel::ShownName(const Text& fullPath) {
  // The name as the file system stores it; empty for a file that has gone away.
  const auto names = services_.files.ListNames(fullPath, /*admitDirectories=*/false);
  return names && !names->empty() ? names->front() : Text();
}

void DialogModel::ListImageNames() {
  // A 16-bit counter would wrap at the largest count the list can hold.
  for (size_t i = 1; i <= static_cast<size_t>(app_.imageCount); ++i) {
    AddListItem(ShownName(app_.imageList[i]));
  }
}

void DialogModel::InitFolder() {
  ClearList();
  if (app_.imageCount != 0) {
    ListImageNames();
    SetNumberCaption(kCountBox, static_cast<int32_t>(listItems_.size()));
  }
  SetCaption({Ctl::lbl_PreSize, 0}, Text());
  SetCaption(kFolderBox, app_.settings.ImageFolder);
  for (int16_t k = 0; k < 4; ++k) {
    const int16_t flag = app_.settings.KindOn[static_cast<size_t>(k)];
    if (HasKindMark(flag)) SetPicture({Ctl::Img_Kind, k}, KindMark(flag));
  }
}

void DialogModel::ChooseImageFolder() {
  // A second listing started from within the first (its events run between files) would
  // mix the two folders' files.
  if (listing_) return;
  const auto chosen = services_.host.BrowseForFolder(kFolderPrompt);
  if (!chosen || chosen->empty()) return;
  const Text folder = *chosen;
  SetCaption(kFolderBox, folder);

  foundFiles_.clear();
  foundCount_ = 0;
  listing_ = true;
  listingErrorShown_ = false;
  for (const int16_t attribute : {int16_t{0}, int16_t{kAttrArchive}, int16_t{kAttrReadOnly}}) {
    app_.scanAttribute = attribute;
    for (size_t kind = 0; kind < kKindPatterns.size() && !closed_; ++kind) {
      if (app_.settings.KindOn[kind] == 1) {
        CollectMatchingFiles(folder + kKindPatterns[kind], app_.scanAttribute);
      }
    }
  }
  listing_ = false;
  if (closed_) return;

  ClearList();
  for (const Text& path : foundFiles_) AddListItem(ShownName(path));
  SetNumberCaption(kCountBox, static_cast<int32_t>(listItems_.size()));
}

void DialogModel::ReportListingError(const char16_t* message) {
  // A drive that is not ready fails every pattern alike: one message says it.
  if (listingErrorShown_) return;
  listingErrorShown_ = true;
  services_.system.ShowMessage(message);
}

void DialogModel::CollectMatchingFiles(const Text& pattern, int16_t attribute) {
  const Text dir = FolderPart(pattern) + u"\\";
  const bool directories = (attribute & kAttrDirectory) != 0;
  const auto names = services_.files.ListNames(pattern, directories);
  if (!names) {
    ReportListingError(kFolderUnreadableMessage);
    return;
  }
  const uint32_t wanted = static_cast<uint16_t>(attribute);
  for (const Text& name : *names) {
    if (closed_) return;
    const auto attributes = services_.files.Attributes(dir + name);
    if (!attributes) {
      // Gone between the listing and the query: the others are still worth listing.
      ReportListingError(kFileVanishedMessage);
      continue;
    }
    if (*attributes != wanted) continue;
    const auto count = num::Add16(foundCount_, 1);
    if (!count) {
      ReportListingError(kTooManyFilesMessage);
      return;
    }
    foundFiles_.resize(static_cast<size_t>(foundCount_));
    foundFiles_.push_back(dir + name);
    foundCount_ = *count;
    SetNumberCaption(kCountBox, foundCount_);
    services_.host.DoEvents();
  }
}

void DialogModel::SwitchKind(int16_t index) {
  if (listing_ || index < 0 || index > 3) return;
  int16_t& flag = app_.settings.KindOn[static_cast<size_t>(index)];
  flag = static_cast<int16_t>(flag ^ 1);
  if (HasKindMark(flag)) SetPicture({Ctl::Img_Kind, index}, KindMark(flag));
  listing_ = true;
  services_.host.DoEvents();  // the mark shows at once
  listing_ = false;
  if (closed_) return;

  app_.settings.ImageFolder = State(kFolderBox).caption;
  const Text folder = app_.settings.ImageFolder;
  if (folder.empty() || FolderExists(services_.files, folder) == kFalse) return;
  SetCaption(kCountBox, Text());
  ScanImageFolder(app_, services_.files, folder);
  ClearList();
  if (app_.imageCount != 0) {
    ListImageNames();
    SetNumberCaption(kCountBox, static_cast<int32_t>(listItems_.size()));
  }
}

void DialogModel::Img_Kind_MouseDown(int16_t index, int16_t, int16_t, int32_t, int32_t) {
  SwitchKind(index);
}

void DialogModel::lbl_Kind_MouseDown(int16_t index, int16_t button, int16_t shift, int32_t x,
                                     int32_t y) {
  Img_Kind_MouseDown(index, button, shift, x, y);
}

}  // namespace orv
