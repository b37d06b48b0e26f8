// The settings file as text lines (profile-file semantics, the file's own encoding, every
// line the program does not change written back byte for byte); every key read, defaulted
// and written through the one table; and where the file lives.
#include <gtest/gtest.h>

#include "core/cp932.h"
#include "settings/ini_document.h"
#include "settings/load_settings.h"
#include "settings/save_settings.h"
#include "settings/settings_table.h"
#include "support/fake_file_system.h"

namespace orv {
namespace {

TEST(IniDocument, ReadsLikeTheSystemsProfileFiles) {
  const auto doc = IniDocument::Parse(
      "; comment\r\n[Other]\r\nkey=other\r\n [ section ] \r\n  Key  =  \"quoted value\"  \r\n"
      "key=second wins never\r\nempty=\nsingle='x'\rhalf=\"open\nnoequals\n"
      "[Section]\nlater=from a later duplicate section\n");
  const std::tuple<const char16_t*, const char16_t*, std::optional<Text>> cases[] = {
      {u"SECTION", u"KEY", u"quoted value"}, {u"Section", u"empty", u""},
      {u"Section", u"single", u"x"},         {u"Section", u"half", u"\"open"},
      {u"other", u"key", u"other"},          {u"Section", u"noequals", {}},
      {u"Section", u"later", {}},            {u"Nowhere", u"key", {}}};
  for (const auto& [section, key, value] : cases) EXPECT_EQ(doc.Get(section, key), value) << ToUtf8(key);
}

TEST(IniDocument, SetWritesShiftJisInPlaceAndKeepsEveryOtherByte) {
  const std::string head = "; x\r\n\xFF\xFE garbage \x81\r\n\xEF\xBB\xBFnot=ours\r\n";
  auto doc = IniDocument::Parse(head + "[Section]\r\n; note\r\nA=1\r\nunknown=keep\r\n\r\n[Tail]\r\nz=9");
  doc.Set(u"Section", u"a", u"2");
  doc.Set(u"Section", u"ｲﾝﾀｰﾊﾞﾙ", u" 10");
  doc.Set(u"Section", u"画像のﾌｫﾙﾀﾞ", u"C:\\Фото ☃ \U0001F600");  // beyond Shift-JIS
  doc.Set(u"Section", u"BGMﾌｧｲﾙ", u"C:\\ゑｻｿ");  // 82 EF BB BF: Shift-JIS all the same
  doc.Set(u"New", u"k", u"v");
  const std::string bytes = doc.Serialize();
  EXPECT_EQ(bytes, head + "[Section]\r\n; note\r\na=2\r\nunknown=keep\r\n\xB2\xDD\xC0\xB0\xCA\xDE\xD9= 10\r\n"
                          "\x89\xE6\x91\x9C\x82\xCC\xCC\xAB\xD9\xC0\xDE=\xEF\xBB\xBF" +
                       ToUtf8(u"C:\\Фото ☃ \U0001F600") +
                       "\r\nBGM\xCC\xA7\xB2\xD9=C:\\\x82\xEF\xBB\xBF\r\n\r\n[Tail]\r\nz=9\r\n[New]\r\nk=v\r\n");
  const auto back = IniDocument::Parse(bytes);
  EXPECT_EQ(back.Get(u"Section", u"画像のﾌｫﾙﾀﾞ"), u"C:\\Фото ☃ \U0001F600");
  EXPECT_EQ(back.Get(u"Section", u"BGMﾌｧｲﾙ"), u"C:\\ゑｻｿ");
}

std::string Utf16(TextView text, bool littleEndian) {
  std::string bytes;
  for (const char16_t u : text) {
    const char low = static_cast<char>(u & 0xFF), high = static_cast<char>(u >> 8);
    bytes += littleEndian ? std::string{low, high} : std::string{high, low};
  }
  return bytes;
}

TEST(IniDocument, FilesWithAByteOrderMarkKeepTheirEncoding) {
  const struct {
    std::string bom;
    std::string (*encode)(TextView);
    std::string badLine;  // bytes that name no clean text, with their line end
  } encodings[] = {
      {"\xFF\xFE", [](TextView t) { return Utf16(t, true); }, std::string("\x00\xD8x\x00\r\x00\n\x00", 8)},
      {"\xFE\xFF", [](TextView t) { return Utf16(t, false); }, std::string("\xD8\x00\x00x\x00\r\x00\n", 8)},
      {"\xEF\xBB\xBF", [](TextView t) { return ToUtf8(t); }, "\xC0\xAFx\xFF\r\n"}};
  // U+0A0D and U+0D0A each hold the bytes 0D 0A, which end no line inside a UTF-16 unit.
  const Text folder = u"C:\\Фото\\写真\u0A0D\u0D0A ☃";
  for (const auto& e : encodings) {
    SCOPED_TRACE(e.bom);
    const std::string head = e.bom + e.encode(u"; ﾒﾓ\r\n[Other]\r\n名前=値\r\n") + e.badLine;
    auto doc = IniDocument::Parse(head + e.encode(u"[Section]\r\n画像ﾁｪﾝｼﾞ = 1\n画像のﾌｫﾙﾀﾞ=" +
                                                  folder + u"\r\n\r\n[Tail]\rz=9"));
    EXPECT_EQ(doc.Get(u"Other", u"名前"), u"値");
    EXPECT_EQ(doc.Get(u"Section", u"画像のﾌｫﾙﾀﾞ"), folder);
    doc.Set(u"Section", u"画像ﾁｪﾝｼﾞ", u"0");
    doc.Set(u"New", u"速さ", u"☃ 20");
    EXPECT_EQ(doc.Serialize(), head + e.encode(u"[Section]\r\n画像ﾁｪﾝｼﾞ=0\r\n画像のﾌｫﾙﾀﾞ=" + folder +
                                                u"\r\n\r\n[Tail]\r\nz=9\r\n[New]\r\n速さ=☃ 20\r\n"));
  }
  // Half a unit at the end of a UTF-16 file stays last; the lines before it stay readable.
  auto doc = IniDocument::Parse("\xFF\xFE" + Utf16(u"[Section]\r\nx=1", true) + "\n");
  doc.Set(u"Section", u"y", u"2");
  EXPECT_EQ(doc.Serialize(), "\xFF\xFE" + Utf16(u"[Section]\r\nx=1\r\ny=2\r\n", true) + "\n");
}

TEST(IniDocument, SurvivesHostileFiles) {
  const std::string longLine = "[Section]\nx=" + std::string(3'000'000, 'a') + "\n";
  EXPECT_EQ(IniDocument::Parse(longLine).Get(u"Section", u"x")->size(), 3'000'000u);
  EXPECT_FALSE(IniDocument::Parse("[Section").Get(u"Section", u"x").has_value());
}

std::string Sjis(const char16_t* text) { return *cp932::Encode(text); }

struct SettingsTest : ::testing::Test {
  SettingsTest() {
    fs.AddFolder(u"C:\\Program");
    fs.AddFile(u"C:\\pics\\a.bmp");
    fs.AddFile(u"C:\\m.mp3");
  }
  Settings Load(const std::string& bytes) {
    LoadSettings(settings, fs, IniDocument::Parse(bytes));
    return settings;
  }
  test::FakeFileSystem fs;
  SettingsStore store{fs, u"C:\\Program", u"C:\\Users\\me\\AppData"};
  Settings settings;
};

// Each key in file order, a stored text, the value it loads as (text settings: the text),
// and the value a missing or empty text gives.
constexpr struct {
  const char16_t* key;
  const char16_t* stored;
  int32_t loaded, fallback;
} kKeys[] = {
    {u"画像ﾁｪﾝｼﾞ", u"1.9", 1, 0},  // cut down to a whole number
    {u"画像のｻｲｽﾞ", u" -1.5 ", -2, 1}, {u"ｲﾝﾀｰﾊﾞﾙ", u"12.5", 12, 10},  // rounded half to even
    {u"画像のﾌｫﾙﾀﾞ", u"C:\\pics", 0, 0}, {u"画像種類_0", u"5", 5, 1},
    {u"画像種類_1", u"+0", 0, 1}, {u"画像種類_2", u"2D0", 2, 1},
    {u"画像種類_3", u"-1", -1, 1}, {u"BGM区分", u"2", 2, 0},
    {u"BGMﾘﾋﾟｰﾄ", u"3.7", 3, 0}, {u"BGMﾌｧｲﾙ", u"C:\\m.mp3", 0, 0},
    {u"小片の数", u" 1e2", 100, 200}, {u"小片の弾性", u"40.9", 40, 35},
    {u"重力", u"2147483647", 2147483647, 10}, {u"拡散度", u"-0.5", -1, 50},
    {u"激しさ", u"21", 21, 35}, {u"速さ", u"99", 99, 20},
};

TEST_F(SettingsTest, EveryKeyLoadsByItsOwnRuleAndAnEmptyTextGivesItsDefault) {
  ASSERT_EQ(std::size(kKeys), kSettingsTable.size());
  std::string file = "[Section]\r\n", empty = file;
  for (const auto& k : kKeys) {
    file += Sjis(k.key) + "=" + ToUtf8(k.stored) + "\r\n";
    empty += Sjis(k.key) + "=\r\n";
  }
  Settings loaded = Load(file);
  Settings defaults = Load(empty);
  for (size_t i = 0; i < kSettingsTable.size(); ++i) {
    const SettingRow& row = kSettingsTable[i];
    SCOPED_TRACE(ToUtf8(kKeys[i].key));
    EXPECT_EQ(Text(row.key), kKeys[i].key);
    EXPECT_EQ(&RowOf(row.setting), &row);
    if (row.stored == Stored::kText) {
      EXPECT_EQ(TextOf(loaded, row.setting), kKeys[i].stored);
      EXPECT_EQ(TextOf(defaults, row.setting), u"");
    } else {
      EXPECT_EQ(NumberOf(loaded, row.setting), kKeys[i].loaded);
      EXPECT_EQ(NumberOf(defaults, row.setting), kKeys[i].fallback);
    }
    if (row.sliderMax != 0) {  // the dialog's slider can show the default and its design
      EXPECT_LE(row.sliderMin, std::min(row.fallback, row.sliderDesign));
      EXPECT_GE(row.sliderMax, std::max(row.fallback, row.sliderDesign));
    }
  }
  EXPECT_EQ(Load(""), defaults);  // no file at all
}

TEST_F(SettingsTest, BadNumbersKeepTheValueAndGoneFilesFallBack) {
  settings.PieceCount = 77;
  const Settings s = Load("[Section]\r\n" + Sjis(u"小片の数=abc\r\n画像のｻｲｽﾞ=70000\r\nｲﾝﾀｰﾊﾞﾙ=32767.5\r\n重力=2147483648\r\n"
                                                u"画像のﾌｫﾙﾀﾞ=C:\\pics\\a.bmp\r\nBGM区分=2\r\nBGMﾌｧｲﾙ=C:\\gone.mp3\r\n"));
  // Not the defaults: what was there. A file is no folder; no music instead of a file that is gone.
  EXPECT_EQ(std::tuple(s.PieceCount, s.SizeMode, s.IntervalSec, s.Gravity, s.BgmMode), std::tuple(77, 0, 0, 0, 0));
  EXPECT_EQ(s.ImageFolder + s.BgmFile, u"");
  fs.unreadable.insert(u"C:\\m.mp3");
  EXPECT_EQ(Load("[Section]\r\n" + Sjis(u"BGM区分=1\r\nBGMﾌｧｲﾙ=C:\\m.mp3")).BgmMode, 1);  // CD stays
  EXPECT_EQ(settings.BgmFile, u"");
  EXPECT_EQ(fs.listCalls, 1);  // the folder check: listing the pictures is not loading
}

TEST_F(SettingsTest, SaveWritesEveryKeyInFileOrderAndLoadsBackTheSame) {
  settings = Load("");
  settings.ChangeMode = -1;
  settings.BgmMode = 2;
  settings.BgmFile = u"C:\\m.mp3";
  settings.KindOn[2] = 0;
  DialogValues dialog{45, u"C:\\pics", u"3", {150, 0, 40, 10, 20, 1}};
  ASSERT_TRUE(SaveSettings(settings, dialog, store));
  const std::string bytes = fs.Content(u"C:\\Program\\Orvane.ini");
  EXPECT_EQ(bytes, "[Section]\r\n" + Sjis(u"画像ﾁｪﾝｼﾞ=-1\r\n画像のｻｲｽﾞ= 1\r\nｲﾝﾀｰﾊﾞﾙ= 45\r\n画像のﾌｫﾙﾀﾞ=C:\\pics\r\n"
                                          u"画像種類_0= 1\r\n画像種類_1= 1\r\n画像種類_2= 0\r\n画像種類_3= 1\r\n"
                                          u"BGM区分= 2\r\nBGMﾘﾋﾟｰﾄ= 3\r\nBGMﾌｧｲﾙ=C:\\m.mp3\r\n小片の数= 150\r\n"
                                          u"小片の弾性= 0\r\n重力= 40\r\n拡散度= 10\r\n激しさ= 20\r\n速さ= 1\r\n"));
  EXPECT_EQ(settings.ImageFolder, u"C:\\pics");
  EXPECT_EQ(settings.PieceCount, 200) << "the held settings keep their values";
  Settings written = settings;
  written.IntervalSec = 45;
  for (size_t k = 0; k < 6; ++k) SetNumber(written, kCrashSettings[k], dialog.crashPositions[k]);
  EXPECT_EQ(Load(bytes), written);
  // Track text that is no number saves 0; one too large keeps the track.
  for (const auto& [text, track] : {std::pair<Text, int16_t>{u"abc", 0}, {u"99999", 4}, {u"2.5", 2}}) {
    settings.BgmRepeat = 4;
    ASSERT_TRUE(SaveSettings(settings, DialogValues{10, u"", text, {}}, store));
    EXPECT_EQ(settings.BgmRepeat, track) << ToUtf8(text);
  }
}

TEST_F(SettingsTest, SaveKeepsForeignLinesAndNeverOverwritesAFileItCannotRead) {
  fs.AddFile(store.BesideProgram(), "; mine\r\n[Section]\r\n" + Sjis(u"速さ= 99\r\n") + "extra=1\r\n");
  ASSERT_TRUE(SaveSettings(settings, DialogValues{}, store));
  const std::string bytes = fs.Content(store.BesideProgram());
  EXPECT_EQ(bytes.rfind("; mine\r\n[Section]\r\n" + Sjis(u"速さ= 0\r\nextra=1\r\n"), 0), 0u);
  EXPECT_EQ(bytes.find(Sjis(u"速さ")), bytes.rfind(Sjis(u"速さ")));
  fs.unreadable.insert(store.BesideProgram());
  EXPECT_FALSE(SaveSettings(settings, DialogValues{}, store));
  EXPECT_EQ(fs.Content(store.BesideProgram()), bytes);
}

// The move to the user's copy is made on the real file system in the Win32 layer's tests;
// here, what follows it.
TEST_F(SettingsTest, TheUsersCopyOnceMadeIsKeptAndAWriteThatFailsSaysSo) {
  fs.AddFile(store.BesideProgram(), "[Section]\r\nx=beside\r\n");
  fs.AddFile(store.PerUser(), "[Section]\r\nx=mine\r\n");
  EXPECT_EQ(ReadIni(store.Read(), u"Section", u"x"), u"mine");
  ASSERT_TRUE(store.Write(IniDocument::Parse("y=1")));
  EXPECT_EQ(fs.Content(store.PerUser()) + fs.Content(store.BesideProgram()),
            "y=1\r\n[Section]\r\nx=beside\r\n");
  fs.unwritableFolders.insert(u"C:\\Users\\me\\AppData\\Orvane");
  EXPECT_FALSE(store.Write(IniDocument::Parse("y=2")));
  fs.unreadable.insert(store.PerUser());
  EXPECT_EQ(ReadIni(store.Read(), u"Section", u"x"), u"beside");
}

}  // namespace
}  // namespace orv
