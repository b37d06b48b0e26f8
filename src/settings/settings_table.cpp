#include "settings/settings_table.h"

namespace orv {
namespace {

template <typename S>
auto Int32Field(S& s, Setting setting) -> decltype(&s.PieceCount) {
  switch (setting) {
    case Setting::PieceCount: return &s.PieceCount;
    case Setting::PieceElasticity: return &s.PieceElasticity;
    case Setting::Gravity: return &s.Gravity;
    case Setting::Spread: return &s.Spread;
    case Setting::Intensity: return &s.Intensity;
    case Setting::Speed: return &s.Speed;
    default: return nullptr;
  }
}

template <typename S>
auto Int16Field(S& s, Setting setting) -> decltype(&s.ChangeMode) {
  switch (setting) {
    case Setting::ChangeMode: return &s.ChangeMode;
    case Setting::SizeMode: return &s.SizeMode;
    case Setting::Interval: return &s.IntervalSec;
    case Setting::Kind0: return &s.KindOn[0];
    case Setting::Kind1: return &s.KindOn[1];
    case Setting::Kind2: return &s.KindOn[2];
    case Setting::Kind3: return &s.KindOn[3];
    case Setting::BgmMode: return &s.BgmMode;
    case Setting::BgmRepeat: return &s.BgmRepeat;
    default: return nullptr;
  }
}

}  // namespace

const SettingRow& RowOf(Setting setting) {
  for (const SettingRow& row : kSettingsTable) {
    if (row.setting == setting) return row;
  }
  return kSettingsTable.front();  // every Setting has its row; see the tests
}

int32_t NumberOf(const Settings& s, Setting setting) {
  if (const int32_t* wide = Int32Field(s, setting)) return *wide;
  if (const int16_t* narrow = Int16Field(s, setting)) return *narrow;
  return 0;
}

void SetNumber(Settings& s, Setting setting, int32_t value) {
  if (int32_t* wide = Int32Field(s, setting)) *wide = value;
  if (int16_t* narrow = Int16Field(s, setting)) *narrow = static_cast<int16_t>(value);
}

Text& TextOf(Settings& s, Setting setting) {
  return setting == Setting::BgmFile ? s.BgmFile : s.ImageFolder;
}

}  // namespace orv
