// Path helpers and existence tests of the main module.
#pragma once
#include <cstdint>

#include "core/text.h"
#include "toolkit/file_system.h"

namespace orv {

// Trailing blanks removed, then a backslash added unless the text already ends in one.
Text AddBackslash(TextView path);
// Everything before the last ":" or "\" (the colon kept, one trailing backslash dropped).
Text FolderPart(TextView path);
// kTrue when the folder lists at least one entry (its own "." for an ordinary folder).
int16_t FolderExists(FileSystem& fs, TextView path);
// kTrue when the path opens as a file for reading; one trailing backslash is ignored.
int16_t FileExists(FileSystem& fs, TextView path);

}  // namespace orv
