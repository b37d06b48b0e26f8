// Picture folder, picture kinds and the list of picture names.
#include <algorithm>
#include <unordered_map>
#include <unordered_set>

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

// The names one folder holds, to find how the file system spells a name.
class FolderNames {
 public:
  // `folder` ends in its separator. A folder that cannot be listed holds nothing.
  FolderNames(FileSystem& files, const Text& folder) : folder_(folder) {
    auto names = files.ListNames(folder + u"*", /*admitDirectories=*/false);
    if (!names) return;
    exact_.reserve(names->size());
    for (Text& name : *names) exact_.insert(std::move(name));
  }
  const Text& Folder() const { return folder_; }
  // The stored spelling of `name`; the system's names ignore the case of letters. Empty
  // when the folder does not hold it.
  Text Stored(const Text& name) {
    if (exact_.count(name)) return name;
    if (byUpper_.empty()) {
      for (const Text& stored : exact_) byUpper_.emplace(AsciiUpper(stored), stored);
    }
    const auto it = byUpper_.find(AsciiUpper(name));
    return it == byUpper_.end() ? Text() : it->second;
  }

 private:
  Text folder_;
  std::unordered_set<Text> exact_;
  std::unordered_map<Text, Text> byUpper_;  // made at the first name spelt otherwise
};

}  // namespace

std::vector<Text> DialogModel::ShownNames(std::span<const Text> paths) {
  // The names as the file system stores them; empty for a file that has gone away. One
  // listing per folder: a listing per file took the better part of a minute for a folder
  // of a few thousand pictures.
  std::vector<Text> names;
  names.reserve(paths.size());
  std::optional<FolderNames> folder;
  for (const Text& path : paths) {
    const size_t cut = path.find_last_of(u'\\') + 1;  // 0 when there is no separator
    if (!folder || folder->Folder() != TextView(path).substr(0, cut)) {
      folder.emplace(services_.files, path.substr(0, cut));
    }
    names.push_back(folder->Stored(path.substr(cut)));
  }
  return names;
}

void DialogModel::ShowImageList() {
  // The main module's list, entries 1..imageCount, counted in a size: a 16-bit counter
  // would wrap at the largest count the list can hold.
  const size_t wanted = app_.imageCount > 0 ? static_cast<size_t>(app_.imageCount) : 0;
  const size_t listed = app_.imageList.empty() ? 0 : app_.imageList.size() - 1;
  const size_t count = std::min(wanted, listed);
  ShowList(ShownNames(std::span<const Text>(app_.imageList).subspan(1, count)));
  if (count != 0) SetNumberCaption(kCountBox, static_cast<int32_t>(listItems_.size()));
}

void DialogModel::InitFolder() {
  ShowImageList();
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
  // The browser opens at the folder shown, when it is still there.
  Text start = State(kFolderBox).caption;
  if (start.empty() || FolderExists(services_.files, start) == kFalse) start.clear();
  const auto chosen = services_.host.BrowseForFolder(kFolderPrompt, start);
  if (!chosen || chosen->empty()) return;
  const Text folder = *chosen;
  SetCaption(kFolderBox, folder);

  foundFiles_.clear();
  foundCount_ = 0;
  shownCount_ = 0;
  listing_ = true;
  listingErrorShown_ = false;
  pace_.Restart();
  // Each kind is listed once and its listing serves all three passes.
  std::array<std::optional<std::vector<FileEntry>>, kKindPatterns.size()> listings;
  for (size_t kind = 0; kind < kKindPatterns.size(); ++kind) {
    if (app_.settings.KindOn[kind] == 1) {
      listings[kind] = services_.files.ListEntries(folder + kKindPatterns[kind], false);
    }
  }
  const Text dir = FolderPart(folder + kKindPatterns[0]) + u"\\";
  for (const int16_t attribute : {int16_t{0}, int16_t{kAttrArchive}, int16_t{kAttrReadOnly}}) {
    app_.scanAttribute = attribute;
    for (size_t kind = 0; kind < kKindPatterns.size() && !closed_; ++kind) {
      if (app_.settings.KindOn[kind] == 1) {
        CollectMatchingFiles(dir, listings[kind], app_.scanAttribute);
      }
    }
  }
  listing_ = false;
  if (closed_) return;

  ShowList(ShownNames(foundFiles_));
  SetNumberCaption(kCountBox, static_cast<int32_t>(listItems_.size()));
}

void DialogModel::ReportListingError(const char16_t* message) {
  // A drive that is not ready fails every pattern alike: one message says it.
  if (listingErrorShown_) return;
  listingErrorShown_ = true;
  services_.system.ShowMessage(message);
}

void DialogModel::LetListingEventsRun() {
  // The count runs up as the listing goes; shown only when events run, since a caption
  // per file cost more than the listing itself.
  if (!pace_.Due()) return;
  if (foundCount_ != shownCount_) {
    shownCount_ = foundCount_;
    SetNumberCaption(kCountBox, foundCount_);
  }
  services_.host.DoEvents();
}

void DialogModel::CollectMatchingFiles(const Text& dir,
                                       const std::optional<std::vector<FileEntry>>& entries,
                                       int16_t attribute) {
  if (!entries) {
    ReportListingError(kFolderUnreadableMessage);
    return;
  }
  const uint32_t wanted = static_cast<uint16_t>(attribute);
  for (const FileEntry& entry : *entries) {
    if (closed_) return;
    const auto& attributes = entry.attributes;
    if (!attributes) {
      // Gone between the listing and the query: the others are still worth listing.
      ReportListingError(kFileVanishedMessage);
    } else if (ListedAttributeWord(*attributes) == wanted) {
      const auto count = num::Add16(foundCount_, 1);
      if (!count) {
        ReportListingError(kTooManyFilesMessage);
        return;
      }
      foundFiles_.resize(static_cast<size_t>(foundCount_));
      foundFiles_.push_back(dir + entry.name);
      foundCount_ = *count;
    }
    LetListingEventsRun();
  }
}

void DialogModel::SwitchKind(int16_t index) {
  if (listing_ || index < 0 || index > 3) return;
  int16_t& flag = app_.settings.KindOn[static_cast<size_t>(index)];
  flag = static_cast<int16_t>(flag ^ 1);
  if (HasKindMark(flag)) SetPicture({Ctl::Img_Kind, index}, KindMark(flag));
  services_.host.PaintNow();  // the mark shows at once

  app_.settings.ImageFolder = State(kFolderBox).caption;
  const Text folder = app_.settings.ImageFolder;
  if (folder.empty() || FolderExists(services_.files, folder) == kFalse) return;
  SetCaption(kCountBox, Text());
  // Events run during the scan, so a close is answered; nothing else may list meanwhile.
  listing_ = true;
  pace_.Restart();
  ScanImageFolder(app_, services_.files, folder, [this] {
    if (pace_.Due()) services_.host.DoEvents();
    return !closed_;
  });
  listing_ = false;
  if (closed_) return;
  ShowImageList();
}

void DialogModel::Img_Kind_MouseDown(int16_t index, int16_t, int16_t, int32_t, int32_t) {
  SwitchKind(index);
}

void DialogModel::lbl_Kind_MouseDown(int16_t index, int16_t button, int16_t shift, int32_t x,
                                     int32_t y) {
  Img_Kind_MouseDown(index, button, shift, x, y);
}

}  // namespace orv
