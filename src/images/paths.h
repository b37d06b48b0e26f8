// Path helpers of the main module (the existence tests live with the file system).
#pragma once
#include <cstdint>

#include "core/text.h"
#include "toolkit/file_system.h"

namespace orv {

// Everything before the last ":" or "\" (the colon kept, one trailing backslash dropped).
Text FolderPart(TextView path);

}  // namespace orv
