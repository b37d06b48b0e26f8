#include "settings/load_settings.h"

#include "core/numbers.h"
#include "settings/settings_store.h"
#include "settings/settings_table.h"

namespace orv {
namespace {

std::optional<int32_t> Convert(Stored stored, double number) {
  switch (stored) {
    case Stored::kFloor16: return num::FloorToInt16(number);
    case Stored::kRound16: return num::RoundToInt16(number);
    case Stored::kFloor32: return num::FloorToInt32(number);
    case Stored::kText: break;
  }
  return std::nullopt;
}

// A numeric setting: empty text gives the fallback; a text that is no number, or whose
// value does not fit, leaves the value as it was.
void ReadNumber(const IniDocument& file, const SettingRow& row, Settings& s) {
  const Text text = ReadIni(file, keys::kSection, row.key);
  if (text.empty()) {
    SetNumber(s, row.setting, row.fallback);
    return;
  }
  if (const auto number = num::ParseNumber(text)) {
    if (const auto value = Convert(row.stored, *number)) SetNumber(s, row.setting, *value);
  }
}

}  // namespace

void LoadSettings(Settings& s, FileSystem& fs, const IniDocument& file) {
  for (const SettingRow& row : kSettingsTable) {
    if (row.stored == Stored::kText) {
      TextOf(s, row.setting) = ReadIni(file, keys::kSection, row.key);
    } else {
      ReadNumber(file, row, s);
    }
  }
  if (!s.ImageFolder.empty() && FolderExists(fs, s.ImageFolder) == kFalse) s.ImageFolder.clear();
  if (!s.BgmFile.empty() && FileExists(fs, s.BgmFile) != kTrue) s.BgmFile.clear();
  // Music from a file that is gone falls back to no music; the CD choice stays.
  if (s.BgmFile.empty() && s.BgmMode == 2) s.BgmMode = 0;
}

}  // namespace orv
