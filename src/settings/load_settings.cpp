#include "settings/load_settings.h"

#include "core/numbers.h"
#include "images/folder_scan.h"
#include "images/paths.h"
#include "settings/settings_store.h"

namespace orv {
namespace {

// A numeric setting: empty text gives the default; a text that is no number, or whose
// value does not fit, leaves the variable as it was.
template <typename T, typename Convert>
void ReadNumber(const IniDocument& file, TextView key, T& target, T defaultValue,
                Convert convert) {
  const Text text = ReadIni(file, keys::kSection, key);
  if (text.empty()) {
    target = defaultValue;
    return;
  }
  if (const auto number = num::ParseNumber(text)) {
    if (const auto value = convert(*number)) target = *value;
  }
}

}  // namespace

void LoadSettings(AppState& app, FileSystem& fs, const IniDocument& file) {
  Settings& s = app.settings;
  ReadNumber<int16_t>(file, keys::kChangeMode, s.ChangeMode, 0, num::FloorToInt16);
  ReadNumber<int16_t>(file, keys::kSizeMode, s.SizeMode, 1, num::FloorToInt16);
  ReadNumber<int16_t>(file, keys::kInterval, s.IntervalSec, 10, num::RoundToInt16);
  for (int i = 0; i < 4; ++i) {
    ReadNumber<int16_t>(file, keys::Kind(i), s.KindOn[static_cast<size_t>(i)], 1,
                        num::FloorToInt16);
  }
  app.imageCount = 0;

  s.ImageFolder = ReadIni(file, keys::kSection, keys::kImageFolder);
  if (!s.ImageFolder.empty()) {
    if (FolderExists(fs, s.ImageFolder) == kFalse) {
      s.ImageFolder.clear();
    } else {
      ScanImageFolder(app, fs, s.ImageFolder);
    }
  }

  ReadNumber<int16_t>(file, keys::kBgmMode, s.BgmMode, 0, num::FloorToInt16);
  ReadNumber<int16_t>(file, keys::kBgmRepeat, s.BgmRepeat, 0, num::FloorToInt16);

  s.BgmFile = ReadIni(file, keys::kSection, keys::kBgmFile);
  if (!s.BgmFile.empty() && FileExists(fs, s.BgmFile) != kTrue) s.BgmFile.clear();
  // Music from a file that is gone falls back to no music; the CD choice stays.
  if (s.BgmFile.empty() && s.BgmMode == 2) s.BgmMode = 0;

  ReadNumber<int32_t>(file, keys::kPieceCount, s.PieceCount, 200, num::FloorToInt32);
  ReadNumber<int32_t>(file, keys::kPieceElasticity, s.PieceElasticity, 35, num::FloorToInt32);
  ReadNumber<int32_t>(file, keys::kGravity, s.Gravity, 10, num::FloorToInt32);
  ReadNumber<int32_t>(file, keys::kSpread, s.Spread, 50, num::FloorToInt32);
  ReadNumber<int32_t>(file, keys::kIntensity, s.Intensity, 35, num::FloorToInt32);
  ReadNumber<int32_t>(file, keys::kSpeed, s.Speed, 20, num::FloorToInt32);
}

}  // namespace orv
