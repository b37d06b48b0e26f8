#include "settings/save_settings.h"

#include "core/numbers.h"

namespace orv {

bool SaveSettings(AppState& app, const DialogValues& dialog, const SettingsStore& store) {
  // Starting from what is stored keeps the lines and keys this program does not know.
  auto stored = store.ReadForUpdate();
  if (!stored) return false;
  IniDocument& file = *stored;
  Settings& s = app.settings;
  Text iniValue;
  auto write = [&](TextView key) { WriteIni(file, keys::kSection, key, iniValue); };
  auto writeNumber = [&](TextView key, int64_t value) {
    iniValue = num::FormatNumber(value);
    write(key);
  };

  writeNumber(keys::kChangeMode, s.ChangeMode);
  writeNumber(keys::kSizeMode, s.SizeMode);
  writeNumber(keys::kInterval, dialog.intervalPosition);
  s.ImageFolder = dialog.folderCaption;
  iniValue = s.ImageFolder;
  write(keys::kImageFolder);
  for (int i = 0; i < 4; ++i) writeNumber(keys::Kind(i), s.KindOn[static_cast<size_t>(i)]);
  writeNumber(keys::kBgmMode, s.BgmMode);
  if (const auto number = num::ParseNumber(dialog.repeatText)) {
    if (const auto track = num::RoundToInt16(*number)) s.BgmRepeat = *track;
  } else {
    s.BgmRepeat = 0;
  }
  writeNumber(keys::kBgmRepeat, s.BgmRepeat);
  iniValue = s.BgmFile;
  write(keys::kBgmFile);
  const TextView crashKeys[] = {keys::kPieceCount, keys::kPieceElasticity, keys::kGravity,
                                keys::kSpread,     keys::kIntensity,       keys::kSpeed};
  for (size_t i = 0; i < 6; ++i) writeNumber(crashKeys[i], dialog.crashPositions[i]);
  return store.Write(file);
}

}  // namespace orv
