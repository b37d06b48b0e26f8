// Lists the picture files of the chosen folder into the main module's picture list.
#pragma once
#include <array>
#include <functional>

#include "images/picture_list.h"
#include "toolkit/file_system.h"

namespace orv {

// Search patterns of the picture kinds, in kind order bmp, gif, jpg, wmf.
inline constexpr std::array<const char16_t*, 4> kKindPatterns = {u"\\*.bmp", u"\\*.gif",
                                                                 u"\\*.jpg", u"\\*.wmf"};

// Called after each file a scan has looked at, so a window can stay responsive during a
// long scan; false ends the scan at once, leaving the list as far as it got, unsorted.
using ScanProgress = std::function<bool()>;

// Three passes (attribute words 0, archive, read-only; exact match) over the kinds that are
// on, then an ascending sort.
void ScanImageFolder(PictureList& app, FileSystem& fs, TextView folder,
                     const ScanProgress& progress = {});
// Appends to the list the files matching `pattern` whose attribute word equals `attribute`.
// Stops silently at the first failure (a failed query, or a list already 32767 long).
// False only when `progress` ended the scan.
bool ListMatchingFiles(PictureList& app, FileSystem& fs, TextView pattern, int16_t attribute,
                       const ScanProgress& progress = {});
// Sorts entries 1..imageCount in ascending binary (UTF-16 code unit) order.
void SortImageList(PictureList& app);

}  // namespace orv
