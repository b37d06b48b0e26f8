// Every setting of the settings file, described once: its key, how its stored text becomes
// a value, the value an empty text gives, and for the dialog's sliders their range and the
// position they show before any value is set. Loading, saving, the sliders and 初期値 all
// read this table, so a setting is changed in one place.
#pragma once
#include <array>
#include <cstdint>

#include "core/text.h"
#include "settings/settings.h"

namespace orv {

enum class Setting {
  ChangeMode, SizeMode, Interval, ImageFolder, Kind0, Kind1, Kind2, Kind3,
  BgmMode, BgmRepeat, BgmFile,
  PieceCount, PieceElasticity, Gravity, Spread, Intensity, Speed,
};

// How a stored number becomes the value: cut down to a whole number, or rounded half to
// even, into 16 or 32 bits; or the text as it stands.
enum class Stored { kFloor16, kRound16, kFloor32, kText };

struct SettingRow {
  Setting setting;
  const char16_t* key;
  Stored stored;
  int32_t fallback = 0;      // what an empty stored text gives (numbers only)
  int32_t sliderMin = 0;     // the dialog's slider, where there is one
  int32_t sliderMax = 0;
  int32_t sliderDesign = 0;  // the slider's position before a value is set
};

// In the order the file is written.
inline constexpr std::array<SettingRow, 17> kSettingsTable = {{
    {Setting::ChangeMode, keys::kChangeMode, Stored::kFloor16, 0},
    {Setting::SizeMode, keys::kSizeMode, Stored::kFloor16, 1},
    {Setting::Interval, keys::kInterval, Stored::kRound16, 10, 10, 60, 10},
    {Setting::ImageFolder, keys::kImageFolder, Stored::kText},
    {Setting::Kind0, u"画像種類_0", Stored::kFloor16, 1},
    {Setting::Kind1, u"画像種類_1", Stored::kFloor16, 1},
    {Setting::Kind2, u"画像種類_2", Stored::kFloor16, 1},
    {Setting::Kind3, u"画像種類_3", Stored::kFloor16, 1},
    {Setting::BgmMode, keys::kBgmMode, Stored::kFloor16, 0},
    {Setting::BgmRepeat, keys::kBgmRepeat, Stored::kFloor16, 0},
    {Setting::BgmFile, keys::kBgmFile, Stored::kText},
    {Setting::PieceCount, keys::kPieceCount, Stored::kFloor32, 200, 10, 200, 200},
    {Setting::PieceElasticity, keys::kPieceElasticity, Stored::kFloor32, 35, 0, 50, 35},
    {Setting::Gravity, keys::kGravity, Stored::kFloor32, 10, 5, 40, 10},
    {Setting::Spread, keys::kSpread, Stored::kFloor32, 50, 10, 100, 50},
    {Setting::Intensity, keys::kIntensity, Stored::kFloor32, 35, 20, 50, 35},
    {Setting::Speed, keys::kSpeed, Stored::kFloor32, 20, 1, 100, 25},
}};

// The six values that shape the crash, in the order of their sliders.
inline constexpr std::array<Setting, 6> kCrashSettings = {
    Setting::PieceCount, Setting::PieceElasticity, Setting::Gravity,
    Setting::Spread,     Setting::Intensity,       Setting::Speed};

const SettingRow& RowOf(Setting setting);

// A numeric setting's value in `s`, and its change; a text setting's value.
int32_t NumberOf(const Settings& s, Setting setting);
void SetNumber(Settings& s, Setting setting, int32_t value);
Text& TextOf(Settings& s, Setting setting);

}  // namespace orv
