// Fills the settings from the settings file, checks the stored folder and music file, and
// lists the pictures of the folder.
#pragma once
#include "settings/ini_document.h"
#include "startup/app_state.h"
#include "toolkit/file_system.h"

namespace orv {

void LoadSettings(AppState& app, FileSystem& fs, const IniDocument& file);

}  // namespace orv
