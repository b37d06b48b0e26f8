// Fills the settings from the settings file and checks the stored folder and music file.
// Listing the folder's pictures is the caller's to ask for (ScanImageFolder).
#pragma once
#include "settings/ini_document.h"
#include "settings/settings.h"
#include "toolkit/file_system.h"

namespace orv {

void LoadSettings(Settings& settings, FileSystem& fs, const IniDocument& file);

}  // namespace orv
