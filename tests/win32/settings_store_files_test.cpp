// Where the settings file goes on a real disk: beside the program while that can be
// written, else the user's own copy, which from then on is the one read and written.
#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include "temp_folder.h"
#include "win32/wide.h"
#include "win32/file_calls.h"

namespace orv::win::test {
namespace {

IniDocument Doc(int interval) {
  IniDocument doc;
  WriteIni(doc, u"Section", u"ｲﾝﾀｰﾊﾞﾙ", u" " + FromUtf8(std::to_string(interval)));
  return doc;
}

Text Interval(const IniDocument& doc) { return ReadIni(doc, u"Section", u"ｲﾝﾀｰﾊﾞﾙ"); }

class SettingsStoreFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeFolder(program);
    MakeFolder(appData);
  }
  void MakeReadOnly(const Text& path) {
    ASSERT_TRUE(SetFileAttributesW(Wide(path).c_str(),
                                   FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
  }

  TempFolder root;
  Text program = root / u"Program Files (x86)";
  Text appData = root / u"AppData ユーザー";
  Text beside = program + u"\\Orvane.ini";
  Text perUser = appData + u"\\Orvane\\Orvane.ini";
  Win32FileSystem fs;
};

TEST_F(SettingsStoreFilesTest, WritesBesideTheProgramWhenItCan) {
  SettingsStore store(fs, program, appData);
  ASSERT_TRUE(store.Write(Doc(30)));

  EXPECT_EQ(IniDocument::Parse(FileBytes(beside)).Get(u"Section", u"ｲﾝﾀｰﾊﾞﾙ"), Text(u"30"));
  EXPECT_EQ(fs.Attributes(appData + u"\\Orvane"), std::nullopt);
  EXPECT_EQ(Interval(store.Read()), u"30");
}

TEST_F(SettingsStoreFilesTest, AReadOnlyFileBesideTheProgramSendsWritesToTheUsersCopy) {
  MakeFile(beside, Doc(15).Serialize());
  MakeReadOnly(beside);
  SettingsStore store(fs, program, appData);
  EXPECT_EQ(Interval(store.Read()), u"15");

  ASSERT_TRUE(store.Write(Doc(45)));
  EXPECT_EQ(Interval(IniDocument::Parse(FileBytes(beside))), u"15");
  EXPECT_EQ(Interval(IniDocument::Parse(FileBytes(perUser))), u"45");
  // The next run reads the user's copy, and writes it again.
  SettingsStore next(fs, program, appData);
  EXPECT_EQ(Interval(next.Read()), u"45");
  ASSERT_TRUE(next.Write(Doc(50)));
  EXPECT_EQ(Interval(IniDocument::Parse(FileBytes(perUser))), u"50");
  EXPECT_EQ(Interval(IniDocument::Parse(FileBytes(beside))), u"15");
}

TEST_F(SettingsStoreFilesTest, AProgramFolderThatCannotBeWrittenSendsWritesToTheUsersCopy) {
  const Text gone = root / u"removed program folder";
  SettingsStore store(fs, gone, appData);
  ASSERT_TRUE(store.Write(Doc(20)));
  EXPECT_EQ(Interval(IniDocument::Parse(FileBytes(perUser))), u"20");
  EXPECT_EQ(fs.Attributes(gone), std::nullopt);  // not made for the settings' sake
}

TEST_F(SettingsStoreFilesTest, TheUsersCopyIsPreferredOnceItExists) {
  MakeFile(beside, Doc(10).Serialize());
  MakeFolder(appData + u"\\Orvane");
  MakeFile(perUser, Doc(60).Serialize());

  SettingsStore store(fs, program, appData);
  EXPECT_EQ(Interval(store.Read()), u"60");
  ASSERT_TRUE(store.Write(Doc(25)));
  EXPECT_EQ(Interval(IniDocument::Parse(FileBytes(perUser))), u"25");
  EXPECT_EQ(Interval(IniDocument::Parse(FileBytes(beside))), u"10");
}

TEST_F(SettingsStoreFilesTest, NothingWritableIsReportedAsAFailure) {
  MakeFile(beside, Doc(15).Serialize());
  MakeReadOnly(beside);
  SettingsStore withoutUserFolder(fs, program, u"");
  EXPECT_FALSE(withoutUserFolder.Write(Doc(45)));
  EXPECT_EQ(Interval(IniDocument::Parse(FileBytes(beside))), u"15");
}

TEST_F(SettingsStoreFilesTest, NoFileAnywhereReadsAsAnEmptyDocument) {
  SettingsStore store(fs, program, appData);
  EXPECT_EQ(store.Read().Get(u"Section", u"ｲﾝﾀｰﾊﾞﾙ"), std::nullopt);
}

}  // namespace
}  // namespace orv::win::test
