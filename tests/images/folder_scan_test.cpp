#include "images/folder_scan.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/fake_file_system.h"

namespace orv {
namespace {

class FolderScanTest : public ::testing::Test {
 protected:
  FolderScanTest() { app.settings.KindOn = {1, 1, 1, 1}; }
  std::vector<Text> List() {
    return std::vector<Text>(app.imageList.begin() + 1, app.imageList.begin() + 1 + app.imageCount);
  }
  test::FakeFileSystem fs;
  PictureList app;
};

TEST_F(FolderScanTest, ListsInBinaryOrderWithUpperCaseFirst) {
  fs.AddFile(u"C:\\p\\b.jpg");
  fs.AddFile(u"C:\\p\\A.bmp");
  fs.AddFile(u"C:\\p\\a.gif");
  fs.AddFile(u"C:\\p\\c.JPG");
  fs.AddFile(u"C:\\p\\notes.txt");
  fs.AddFolder(u"C:\\p\\sub.jpg");
  ScanImageFolder(app, fs, u"C:\\p");
  EXPECT_EQ(List(), (std::vector<Text>{u"C:\\p\\A.bmp", u"C:\\p\\a.gif", u"C:\\p\\b.jpg",
                                       u"C:\\p\\c.JPG"}));
}

TEST_F(FolderScanTest, OnlyAttributeWordsZeroArchiveOrReadOnlyAreListed) {
  fs.AddFile(u"C:\\p\\normal.bmp", "", 0);
  fs.AddFile(u"C:\\p\\archive.bmp", "", kAttrArchive);
  fs.AddFile(u"C:\\p\\readonly.bmp", "", kAttrReadOnly);
  fs.AddFile(u"C:\\p\\both.bmp", "", kAttrReadOnly | kAttrArchive);
  fs.AddFile(u"C:\\p\\hidden.bmp", "", kAttrHidden);
  fs.AddFile(u"C:\\p\\system.bmp", "", kAttrSystem | kAttrArchive);
  fs.AddFile(u"C:\\p\\temporary.bmp", "", kAttrArchive | 0x100);
  ScanImageFolder(app, fs, u"C:\\p");
  EXPECT_EQ(List(), (std::vector<Text>{u"C:\\p\\archive.bmp", u"C:\\p\\normal.bmp",
                                       u"C:\\p\\readonly.bmp"}));
}

TEST_F(FolderScanTest, BitsThatOnlyDescribeStorageDoNotKeepAPictureOut) {
  struct Case {
    const char16_t* name;
    uint32_t attributes;
  };
  const Case listed[] = {
      {u"not-indexed.bmp", 0x2000},                   // a drive with indexing off
      {u"cloud-online.bmp", kAttrArchive | 0x400 | 0x100000 | 0x400000},
      {u"cloud-pinned.bmp", kAttrArchive | 0x80000},
      {u"cloud-offline.bmp", kAttrArchive | 0x400 | 0x1000 | 0x400000},
      {u"recall-on-open.bmp", 0x40000},
      {u"packed.bmp", kAttrReadOnly | 0x200 | 0x800 | 0x4000 | 0x8000 | 0x20000},
  };
  const Case excluded[] = {
      {u"hidden-cloud.bmp", kAttrHidden | kAttrArchive | 0x80000},
      {u"system-not-indexed.bmp", kAttrSystem | 0x2000},
      {u"both-not-indexed.bmp", kAttrReadOnly | kAttrArchive | 0x2000},
  };
  for (const Case& c : listed) fs.AddFile(Text(u"C:\\p\\") + c.name, "", c.attributes);
  for (const Case& c : excluded) fs.AddFile(Text(u"C:\\p\\") + c.name, "", c.attributes);
  ScanImageFolder(app, fs, u"C:\\p");
  std::vector<Text> expected;
  for (const Case& c : listed) expected.push_back(Text(u"C:\\p\\") + c.name);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(List(), expected);
}

TEST_F(FolderScanTest, BeforeSortingGroupsFollowAttributeThenKind) {
  fs.AddFile(u"C:\\p\\z.gif", "", 0);
  fs.AddFile(u"C:\\p\\y.bmp", "", kAttrArchive);
  fs.AddFile(u"C:\\p\\x.bmp", "", 0);
  fs.AddFile(u"C:\\p\\w.wmf", "", kAttrReadOnly);
  app.settings.KindOn = {1, 1, 0, 1};
  PictureList unsorted;
  unsorted.settings = app.settings;
  for (int16_t attribute : {0, 32, 1}) {
    for (const char16_t* pattern : {u"C:\\p\\*.bmp", u"C:\\p\\*.gif", u"C:\\p\\*.wmf"}) {
      ListMatchingFiles(unsorted, fs, pattern, attribute);
    }
  }
  EXPECT_EQ(std::vector<Text>(unsorted.imageList.begin() + 1, unsorted.imageList.end()),
            (std::vector<Text>{u"C:\\p\\x.bmp", u"C:\\p\\z.gif", u"C:\\p\\y.bmp", u"C:\\p\\w.wmf"}));
}

TEST_F(FolderScanTest, KindsThatAreNotExactlyOneAreSkipped) {
  fs.AddFile(u"C:\\p\\a.bmp");
  fs.AddFile(u"C:\\p\\b.gif");
  fs.AddFile(u"C:\\p\\c.jpg");
  fs.AddFile(u"C:\\p\\d.wmf");
  app.settings.KindOn = {-1, 2, 1, 0};
  ScanImageFolder(app, fs, u"C:\\p");
  EXPECT_EQ(List(), (std::vector<Text>{u"C:\\p\\c.jpg"}));
}

TEST_F(FolderScanTest, RootFolderAndDoubledSeparatorsKeepTheirText) {
  fs.AddFile(u"D:\\a.bmp");
  ScanImageFolder(app, fs, u"D:\\");
  EXPECT_EQ(List(), (std::vector<Text>{u"D:\\\\a.bmp"}));
  EXPECT_TRUE(fs.CanOpenForReading(List()[0]));
}

TEST_F(FolderScanTest, EmptyFolderSettingTouchesNothingAndStaleEntriesStayUnread) {
  fs.AddFile(u"C:\\p\\a.bmp");
  fs.AddFile(u"C:\\p\\b.bmp");
  ScanImageFolder(app, fs, u"C:\\p");
  ASSERT_EQ(app.imageCount, 2);
  const int calls = fs.listCalls;
  ScanImageFolder(app, fs, u"");
  EXPECT_EQ(app.imageCount, 0);
  EXPECT_EQ(fs.listCalls, calls);
  fs.listingFails = true;
  ScanImageFolder(app, fs, u"C:\\p");
  EXPECT_EQ(app.imageCount, 0);
}

TEST_F(FolderScanTest, FailedAttributeQueryEndsThatListingButKeepsWhatWasFound) {
  fs.AddFile(u"C:\\p\\a.bmp");
  fs.AddFile(u"C:\\p\\b.bmp");
  fs.AddFile(u"C:\\p\\c.bmp");
  fs.AddFile(u"C:\\p\\d.gif");
  fs.failingAttributes.insert(u"C:\\p\\b.bmp");
  ScanImageFolder(app, fs, u"C:\\p");
  EXPECT_EQ(List(), (std::vector<Text>{u"C:\\p\\a.bmp", u"C:\\p\\d.gif"}));
}

TEST_F(FolderScanTest, UnicodeNamesAreListedAsTheyAre) {
  fs.AddFile(u"C:\\Фото\\кот.jpg");
  fs.AddFile(u"C:\\Фото\\😀.gif");
  ScanImageFolder(app, fs, u"C:\\Фото");
  EXPECT_EQ(List(), (std::vector<Text>{u"C:\\Фото\\кот.jpg", u"C:\\Фото\\😀.gif"}));
}

TEST_F(FolderScanTest, ListStopsAt32767EntriesWithoutError) {
  for (int i = 0; i < 40000; ++i) fs.AddFile(u"C:\\big\\" + Text(u"f") + static_cast<char16_t>(0x4E00 + i % 20000) + (i < 20000 ? u"a.bmp" : u"b.bmp"));
  ScanImageFolder(app, fs, u"C:\\big");
  EXPECT_EQ(app.imageCount, 32767);
  EXPECT_TRUE(std::is_sorted(app.imageList.begin() + 1, app.imageList.begin() + 32768));
}

}  // namespace
}  // namespace orv
