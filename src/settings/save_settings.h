// Writes the settings dialog's state back to the settings file.
#pragma once
#include <array>
#include <cstdint>

#include "settings/settings_store.h"
#include "settings/settings.h"

namespace orv {

// What the saver reads from the dialog's controls.
struct DialogValues {
  int16_t intervalPosition = 10;         // HS_Interval
  Text folderCaption;                    // Folder_Path
  Text repeatText;                       // BGM_Repeat's text
  std::array<int16_t, 6> crashPositions{};  // HS(0..5)
};

// Updates the settings the saver owns (ImageFolder, BgmRepeat), writes every key into the
// document in the file's key order and stores the file. false when it could not be stored.
bool SaveSettings(Settings& settings, const DialogValues& dialog, const SettingsStore& store);

}  // namespace orv
