#include "settings/save_settings.h"

#include <gtest/gtest.h>

#include "core/cp932.h"
#include "support/fake_file_system.h"

namespace orv {
namespace {

std::string Sjis(const char16_t* text) { return *cp932::Encode(text); }

class SaveSettingsTest : public ::testing::Test {
 protected:
  SaveSettingsTest() {
    fs.AddFolder(u"C:\\Program");
    dialog.crashPositions = {200, 35, 10, 50, 35, 20};
    settings.SizeMode = 1;
    settings.KindOn = {1, 1, 0, 1};
  }
  test::FakeFileSystem fs;
  SettingsStore store{fs, u"C:\\Program", u"C:\\Users\\me\\AppData"};
  Settings settings;
  DialogValues dialog;
};

TEST_F(SaveSettingsTest, WritesEveryKeyInOrderWithTheNumberForm) {
  settings.ChangeMode = -1;
  settings.BgmMode = 2;
  settings.BgmFile = u"C:\\m.mp3";
  dialog.intervalPosition = 10;
  dialog.folderCaption = u"C:\\pics";
  dialog.repeatText = u"3";
  ASSERT_TRUE(SaveSettings(settings, dialog, store));
  const std::string expected =
      "[Section]\r\n" + Sjis(u"画像ﾁｪﾝｼﾞ=-1\r\n") + Sjis(u"画像のｻｲｽﾞ= 1\r\n") +
      Sjis(u"ｲﾝﾀｰﾊﾞﾙ= 10\r\n") + Sjis(u"画像のﾌｫﾙﾀﾞ=C:\\pics\r\n") + Sjis(u"画像種類_0= 1\r\n") +
      Sjis(u"画像種類_1= 1\r\n") + Sjis(u"画像種類_2= 0\r\n") + Sjis(u"画像種類_3= 1\r\n") +
      Sjis(u"BGM区分= 2\r\n") + Sjis(u"BGMﾘﾋﾟｰﾄ= 3\r\n") + Sjis(u"BGMﾌｧｲﾙ=C:\\m.mp3\r\n") +
      Sjis(u"小片の数= 200\r\n") + Sjis(u"小片の弾性= 35\r\n") + Sjis(u"重力= 10\r\n") +
      Sjis(u"拡散度= 50\r\n") + Sjis(u"激しさ= 35\r\n") + Sjis(u"速さ= 20\r\n");
  EXPECT_EQ(fs.Content(u"C:\\Program\\Orvane.ini"), expected);
  EXPECT_EQ(settings.ImageFolder, u"C:\\pics");
  EXPECT_EQ(settings.BgmRepeat, 3);
}

TEST_F(SaveSettingsTest, TrackTextThatIsNoNumberStoresZero) {
  settings.BgmRepeat = 7;
  for (const char16_t* text : {u"", u"abc"}) {
    dialog.repeatText = text;
    ASSERT_TRUE(SaveSettings(settings, dialog, store));
    EXPECT_NE(fs.Content(store.BesideProgram()).find(Sjis(u"BGMﾘﾋﾟｰﾄ= 0\r\n")), std::string::npos);
  }
  dialog.repeatText = u"99999";  // numeric but too large: the old value stays
  settings.BgmRepeat = 4;
  ASSERT_TRUE(SaveSettings(settings, dialog, store));
  EXPECT_EQ(settings.BgmRepeat, 4);
  dialog.repeatText = u"2.5";
  ASSERT_TRUE(SaveSettings(settings, dialog, store));
  EXPECT_EQ(settings.BgmRepeat, 2);
}

TEST_F(SaveSettingsTest, KeepsForeignLinesAndRewritesKnownKeysInPlace) {
  fs.AddFile(store.BesideProgram(), "; mine\r\n[Section]\r\n" + Sjis(u"速さ= 99\r\n") + "extra=1\r\n");
  ASSERT_TRUE(SaveSettings(settings, dialog, store));
  const std::string bytes = fs.Content(store.BesideProgram());
  EXPECT_EQ(bytes.rfind("; mine\r\n[Section]\r\n" + Sjis(u"速さ= 20\r\nextra=1\r\n"), 0), 0u);
  EXPECT_EQ(bytes.find(Sjis(u"速さ")), bytes.rfind(Sjis(u"速さ")));
}

TEST_F(SaveSettingsTest, AFileThatIsThereButCannotBeReadIsNeverOverwritten) {
  fs.AddFile(store.BesideProgram(), "[Section]\r\nmine=keep\r\n");
  fs.unreadable.insert(store.BesideProgram());
  EXPECT_FALSE(SaveSettings(settings, dialog, store));
  EXPECT_EQ(fs.Content(store.BesideProgram()), "[Section]\r\nmine=keep\r\n");
}

TEST_F(SaveSettingsTest, UnwritableProgramFolderSavesForTheUserAndNothingReportsFailure) {
  fs.unwritableFolders.insert(u"C:\\Program");
  ASSERT_TRUE(SaveSettings(settings, dialog, store));
  EXPECT_FALSE(fs.Exists(store.BesideProgram()));
  EXPECT_TRUE(fs.Exists(u"C:\\Users\\me\\AppData\\Orvane\\Orvane.ini"));

  fs.unwritableFolders.insert(u"C:\\Users\\me\\AppData\\Orvane");
  EXPECT_FALSE(SaveSettings(settings, dialog, store));
}

}  // namespace
}  // namespace orv
