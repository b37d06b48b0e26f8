// The user's settings as the program holds them while it runs.
#pragma once
#include <array>
#include <cstdint>

#include "core/text.h"

namespace orv {

struct Settings {
  int16_t ChangeMode = 0;      // 0 sequential, otherwise random
  int16_t SizeMode = 0;        // 0 the picture's own size, otherwise full screen
  int16_t IntervalSec = 0;     // seconds between pictures
  std::array<int16_t, 4> KindOn{};  // bmp, gif, jpg, wmf; on when exactly 1
  Text ImageFolder;
  int16_t BgmMode = 0;         // 0 none, 1 audio CD, 2 music file
  int16_t BgmRepeat = 0;       // CD track to repeat, 0 for none
  Text BgmFile;
  int32_t PieceCount = 0;
  int32_t PieceElasticity = 0;
  int32_t Gravity = 0;
  int32_t Spread = 0;
  int32_t Intensity = 0;
  int32_t Speed = 0;

  friend bool operator==(const Settings&, const Settings&) = default;
};

// The keys of the settings file, in the order the file is written.
namespace keys {
inline constexpr char16_t kSection[] = u"Section";
inline constexpr char16_t kChangeMode[] = u"画像ﾁｪﾝｼﾞ";
inline constexpr char16_t kSizeMode[] = u"画像のｻｲｽﾞ";
inline constexpr char16_t kInterval[] = u"ｲﾝﾀｰﾊﾞﾙ";
inline constexpr char16_t kImageFolder[] = u"画像のﾌｫﾙﾀﾞ";
inline constexpr char16_t kKindPrefix[] = u"画像種類_";
inline constexpr char16_t kBgmMode[] = u"BGM区分";
inline constexpr char16_t kBgmRepeat[] = u"BGMﾘﾋﾟｰﾄ";
inline constexpr char16_t kBgmFile[] = u"BGMﾌｧｲﾙ";
inline constexpr char16_t kPieceCount[] = u"小片の数";
inline constexpr char16_t kPieceElasticity[] = u"小片の弾性";
inline constexpr char16_t kGravity[] = u"重力";
inline constexpr char16_t kSpread[] = u"拡散度";
inline constexpr char16_t kIntensity[] = u"激しさ";
inline constexpr char16_t kSpeed[] = u"速さ";
inline Text Kind(int i) { return Text(kKindPrefix) + static_cast<char16_t>(u'0' + i); }
}  // namespace keys

}  // namespace orv
