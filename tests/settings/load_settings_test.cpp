#include "settings/load_settings.h"

#include <gtest/gtest.h>

#include <set>

#include "settings/settings_table.h"
#include "support/fake_file_system.h"

namespace orv {
namespace {

class LoadSettingsTest : public ::testing::Test {
 protected:
  // Loads from a file holding `lines` (UTF-8 text here, stored as the program stores it).
  Settings Load(std::initializer_list<std::pair<const char16_t*, const char16_t*>> lines) {
    IniDocument doc;
    for (const auto& [key, value] : lines) doc.Set(u"Section", key, value);
    LoadSettings(settings, fs, IniDocument::Parse(doc.Serialize()));
    return settings;
  }
  Settings settings;
  test::FakeFileSystem fs;
};

TEST_F(LoadSettingsTest, NoFileGivesTheDefaults) {
  LoadSettings(settings, fs, IniDocument());
  const Settings& s = settings;
  EXPECT_EQ(s.ChangeMode, 0);
  EXPECT_EQ(s.SizeMode, 1);
  EXPECT_EQ(s.IntervalSec, 10);
  EXPECT_EQ(s.KindOn, (std::array<int16_t, 4>{1, 1, 1, 1}));
  EXPECT_EQ(s.ImageFolder, u"");
  EXPECT_EQ(s.BgmMode, 0);
  EXPECT_EQ(s.BgmRepeat, 0);
  EXPECT_EQ(s.BgmFile, u"");
  EXPECT_EQ(s.PieceCount, 200);
  EXPECT_EQ(s.PieceElasticity, 35);
  EXPECT_EQ(s.Gravity, 10);
  EXPECT_EQ(s.Spread, 50);
  EXPECT_EQ(s.Intensity, 35);
  EXPECT_EQ(s.Speed, 20);
  EXPECT_EQ(fs.listCalls, 0);
}

TEST_F(LoadSettingsTest, NumbersAreReadLenientlyAndConvertedByTheirOwnRule) {
  const Settings s = Load({{u"画像ﾁｪﾝｼﾞ", u"1.9"},
                           {u"画像のｻｲｽﾞ", u"  -1.5 "},
                           {u"ｲﾝﾀｰﾊﾞﾙ", u"12.5"},
                           {u"画像種類_0", u"5"},
                           {u"画像種類_3", u"+0"},
                           {u"小片の数", u" 1e2"},
                           {u"速さ", u"-0.5"},
                           {u"重力", u"2147483647"}});
  EXPECT_EQ(s.ChangeMode, 1);
  EXPECT_EQ(s.SizeMode, -2);
  EXPECT_EQ(s.IntervalSec, 12);
  EXPECT_EQ(s.KindOn, (std::array<int16_t, 4>{5, 1, 1, 0}));
  EXPECT_EQ(s.PieceCount, 100);
  EXPECT_EQ(s.Speed, -1);
  EXPECT_EQ(s.Gravity, 2147483647);
  EXPECT_EQ(Load({{u"ｲﾝﾀｰﾊﾞﾙ", u"13.5"}}).IntervalSec, 14);
  EXPECT_EQ(Load({{u"ｲﾝﾀｰﾊﾞﾙ", u"10.5"}}).IntervalSec, 10);
}

TEST_F(LoadSettingsTest, BadNumbersKeepThePreviousValueNotTheDefault) {
  const Settings s = Load({{u"小片の数", u"abc"},
                           {u"画像のｻｲｽﾞ", u"70000"},
                           {u"ｲﾝﾀｰﾊﾞﾙ", u"32767.5"},
                           {u"重力", u"2147483648"},
                           {u"拡散度", u"1 2"},
                           {u"激しさ", u"1e999"},
                           {u"小片の弾性", u""}});
  EXPECT_EQ(s.PieceCount, 0);
  EXPECT_EQ(s.SizeMode, 0);
  EXPECT_EQ(s.IntervalSec, 0);
  EXPECT_EQ(s.Gravity, 0);
  EXPECT_EQ(s.Spread, 0);
  EXPECT_EQ(s.Intensity, 0);
  EXPECT_EQ(s.PieceElasticity, 35);  // an empty value is a missing value
  // A second load keeps what the first one set when the text is bad.
  settings.PieceCount = 77;
  EXPECT_EQ(Load({{u"小片の数", u"x"}}).PieceCount, 77);
}

TEST_F(LoadSettingsTest, MusicFileThatIsGoneFallsBackToNoMusicButTheCdStays) {
  Settings s = Load({{u"BGM区分", u"2"}, {u"BGMﾌｧｲﾙ", u"C:\\gone.mp3"}});
  EXPECT_EQ(s.BgmMode, 0);
  EXPECT_EQ(s.BgmFile, u"");
  s = Load({{u"BGM区分", u"1"}, {u"BGMﾌｧｲﾙ", u"C:\\gone.mp3"}});
  EXPECT_EQ(s.BgmMode, 1);
  EXPECT_EQ(s.BgmFile, u"");
  EXPECT_EQ(Load({{u"BGM区分", u"2"}}).BgmMode, 0);
  fs.AddFile(u"C:\\music\\song.MP3");
  s = Load({{u"BGM区分", u"2"}, {u"BGMﾘﾋﾟｰﾄ", u"3"}, {u"BGMﾌｧｲﾙ", u"C:\\music\\song.MP3"}});
  EXPECT_EQ(s.BgmMode, 2);
  EXPECT_EQ(s.BgmRepeat, 3);
  EXPECT_EQ(s.BgmFile, u"C:\\music\\song.MP3");
  fs.unreadable.insert(u"C:\\music\\song.MP3");
  EXPECT_EQ(Load({{u"BGM区分", u"2"}, {u"BGMﾌｧｲﾙ", u"C:\\music\\song.MP3"}}).BgmMode, 0);
}

TEST_F(LoadSettingsTest, StoredFolderIsKeptOrDropped) {
  fs.AddFile(u"C:\\pics\\a.bmp");
  Settings s = Load({{u"画像のﾌｫﾙﾀﾞ", u"C:\\pics"}, {u"画像種類_2", u"0"}});
  EXPECT_EQ(s.ImageFolder, u"C:\\pics");
  EXPECT_EQ(s.KindOn, (std::array<int16_t, 4>{1, 1, 0, 1}));

  s = Load({{u"画像のﾌｫﾙﾀﾞ", u"C:\\nowhere"}});
  EXPECT_EQ(s.ImageFolder, u"");
  s = Load({{u"画像のﾌｫﾙﾀﾞ", u"C:\\pics\\a.bmp"}});  // a file, not a folder
  EXPECT_EQ(s.ImageFolder, u"");
}

TEST_F(LoadSettingsTest, LongFolderPathsAreReadWhole) {
  const Text folder = u"C:\\" + Text(150, u'長');  // 303 bytes in Shift-JIS
  fs.AddFile(folder + u"\\x.gif");
  const Settings s = Load({{u"画像のﾌｫﾙﾀﾞ", folder.c_str()}});
  EXPECT_EQ(s.ImageFolder, folder);
}

TEST(SettingsTable, EverySettingHasOneRowAndADefaultItsSliderCanShow) {
  std::set<Text> keys;
  for (size_t i = 0; i < kSettingsTable.size(); ++i) {
    const SettingRow& row = kSettingsTable[i];
    EXPECT_EQ(&RowOf(row.setting), &row) << i;
    EXPECT_TRUE(keys.insert(row.key).second) << i;
    if (row.sliderMax != 0) {
      EXPECT_LE(row.sliderMin, row.fallback) << i;
      EXPECT_LE(row.fallback, row.sliderMax) << i;
      EXPECT_LE(row.sliderMin, row.sliderDesign) << i;
      EXPECT_LE(row.sliderDesign, row.sliderMax) << i;
    }
    // The value a setting holds is the one the table reads and writes.
    Settings s;
    if (row.stored != Stored::kText) {
      SetNumber(s, row.setting, 1000 + static_cast<int32_t>(i));
      EXPECT_EQ(NumberOf(s, row.setting), 1000 + static_cast<int32_t>(i));
      EXPECT_NE(s, Settings()) << i;
    }
  }
  EXPECT_EQ(keys.size(), 17u);
}

}  // namespace
}  // namespace orv
