#include "settings/save_settings.h"

#include "core/numbers.h"
#include "settings/settings_table.h"

namespace orv {

bool SaveSettings(Settings& s, const DialogValues& dialog, const SettingsStore& store) {
  // Starting from what is stored keeps the lines and keys this program does not know.
  auto stored = store.ReadForUpdate();
  if (!stored) return false;
  IniDocument& file = *stored;

  s.ImageFolder = dialog.folderCaption;
  if (const auto number = num::ParseNumber(dialog.repeatText)) {
    if (const auto track = num::RoundToInt16(*number)) s.BgmRepeat = *track;
  } else {
    s.BgmRepeat = 0;
  }
  // The sliders' positions are written as they stand; the held settings keep their values.
  Settings written = s;
  written.IntervalSec = dialog.intervalPosition;
  for (size_t k = 0; k < kCrashSettings.size(); ++k) {
    SetNumber(written, kCrashSettings[k], dialog.crashPositions[k]);
  }
  for (const SettingRow& row : kSettingsTable) {
    const Text value = row.stored == Stored::kText
                           ? TextOf(written, row.setting)
                           : num::FormatNumber(NumberOf(written, row.setting));
    WriteIni(file, keys::kSection, row.key, value);
  }
  return store.Write(file);
}

}  // namespace orv
