#include "images/paths.h"

#include <gtest/gtest.h>

#include "support/fake_file_system.h"

namespace orv {
namespace {

TEST(AddBackslash, DropsTrailingSpacesAndAddsOneSeparator) {
  EXPECT_EQ(AddBackslash(u"C:\\pics"), u"C:\\pics\\");
  EXPECT_EQ(AddBackslash(u"C:\\pics\\"), u"C:\\pics\\");
  EXPECT_EQ(AddBackslash(u"C:\\my pics  "), u"C:\\my pics\\");
  EXPECT_EQ(AddBackslash(u"C:\\pics\t"), u"C:\\pics\t\\");  // only spaces are trimmed
  EXPECT_EQ(AddBackslash(u""), u"\\");
}

TEST(FolderPart, TakesEverythingBeforeTheLastSeparator) {
  EXPECT_EQ(FolderPart(u"D:\\Pictures\\*.jpg"), u"D:\\Pictures");
  EXPECT_EQ(FolderPart(u"D:\\\\*.bmp"), u"D:\\");
  EXPECT_EQ(FolderPart(u"C:*.bmp"), u"C:");
  EXPECT_EQ(FolderPart(u"*.bmp"), u"");
  EXPECT_EQ(FolderPart(u"\\\\server\\share\\*.gif"), u"\\\\server\\share");
}

TEST(ExistenceTests, AnswerWithTheSystemsBooleans) {
  test::FakeFileSystem fs;
  fs.AddFile(u"C:\\pics\\a.bmp");
  fs.AddFolder(u"C:\\empty");
  fs.AddFolder(u"E:\\");
  EXPECT_EQ(FolderExists(fs, u"C:\\pics"), kTrue);
  EXPECT_EQ(FolderExists(fs, u"C:\\pics\\"), kTrue);
  EXPECT_EQ(FolderExists(fs, u"C:\\empty"), kTrue);    // its own "." entry
  EXPECT_EQ(FolderExists(fs, u"E:\\"), kFalse);        // an empty drive root lists nothing
  EXPECT_EQ(FolderExists(fs, u"C:\\pics\\a.bmp"), kFalse);
  EXPECT_EQ(FolderExists(fs, u"C:\\gone"), kFalse);
  EXPECT_EQ(FolderExists(fs, u""), kFalse);
  EXPECT_EQ(FileExists(fs, u"C:\\pics\\a.bmp"), kTrue);
  EXPECT_EQ(FileExists(fs, u"C:\\pics\\a.bmp\\"), kTrue);
  EXPECT_EQ(FileExists(fs, u"C:\\pics"), kFalse);
  EXPECT_EQ(FileExists(fs, u"C:\\pics\\b.bmp"), kFalse);
  EXPECT_EQ(FileExists(fs, u""), kFalse);
  fs.unreadable.insert(u"C:\\pics\\a.bmp");
  EXPECT_EQ(FileExists(fs, u"C:\\pics\\a.bmp"), kFalse);
}

}  // namespace
}  // namespace orv
