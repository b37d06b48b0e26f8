// The picture list: which files of the folder a scan takes, in which order, and the order
// in which one cycle of the show presents them.
#include <gtest/gtest.h>

#include <algorithm>

#include "images/folder_scan.h"
#include "images/image_order.h"
#include "support/fake_file_system.h"
#include "support/show_fakes.h"

namespace orv {
namespace {

struct FolderScanTest : ::testing::Test {
  FolderScanTest() { app.settings.KindOn = {1, 1, 1, 1}; }
  std::vector<Text> Scan(const char16_t* folder) {
    ScanImageFolder(app, fs, folder);
    return std::vector<Text>(app.imageList.begin() + 1, app.imageList.begin() + 1 + app.imageCount);
  }
  test::FakeFileSystem fs;
  PictureList app;
};

TEST_F(FolderScanTest, TakesPlainArchiveAndReadOnlyPicturesOfTheKindsOnInBinaryOrder) {
  const std::pair<const char16_t*, uint32_t> files[] = {
      {u"b.jpg", 0}, {u"A.bmp", kAttrArchive}, {u"a.gif", kAttrReadOnly}, {u"c.JPG", 0},
      {u"d.wmf", 0}, {u"notes.txt", 0}, {u"both.bmp", kAttrReadOnly | kAttrArchive},
      {u"temporary.bmp", 0x100},
      // Bits that only say how a file is stored: indexing off, cloud placeholders, packing.
      {u"not-indexed.gif", 0x2000}, {u"cloud.gif", kAttrArchive | 0x400 | 0x100000 | 0x400000},
      {u"packed.gif", kAttrReadOnly | 0x200 | 0x800 | 0x4000 | 0x8000 | 0x20000 | 0x80000},
      {u"both-not-indexed.gif", 0x21 | 0x2000}};
  for (const auto& [name, attributes] : files) fs.AddFile(Text(u"C:\\p\\") + name, "", attributes);
  fs.AddFolder(u"C:\\p\\sub.jpg");
  app.settings.KindOn[3] = 2;  // a kind is on only at exactly 1
  EXPECT_EQ(Scan(u"C:\\p"), (std::vector<Text>{u"C:\\p\\A.bmp", u"C:\\p\\a.gif", u"C:\\p\\b.jpg",
                                               u"C:\\p\\c.JPG", u"C:\\p\\cloud.gif",
                                               u"C:\\p\\not-indexed.gif", u"C:\\p\\packed.gif"}));
}

TEST_F(FolderScanTest, FailuresKeepWhatWasFound) {
  for (const char16_t* name : {u"a.bmp", u"b.bmp", u"c.bmp", u"d.gif"}) fs.AddFile(Text(u"D:\\") + name);
  fs.failingAttributes.insert(u"D:\\\\b.bmp");  // ends that listing only
  EXPECT_EQ(Scan(u"D:\\"), (std::vector<Text>{u"D:\\\\a.bmp", u"D:\\\\d.gif"}));
  const int calls = fs.listCalls;
  EXPECT_TRUE(Scan(u"").empty());
  EXPECT_EQ(fs.listCalls, calls);
  fs.listingFails = true;
  EXPECT_TRUE(Scan(u"D:\\").empty());
}

TEST_F(FolderScanTest, TheListStopsAt32767EntriesWithoutError) {
  for (int i = 0; i < 32770; ++i) {
    fs.AddFile(u"C:\\big\\" + Text(1, static_cast<char16_t>(0x4E00 + i)) + u".bmp");
  }
  EXPECT_EQ(Scan(u"C:\\big").size(), 32767u);
}

TEST(BuildImageOrder, ListOrderOrARandomRankAmongThePicturesNotYetTaken) {
  PictureList app;
  app.imageCount = 4;
  app.imageOrder.assign(5, 99);
  test::ScriptedRandom random;
  BuildImageOrder(app, random);
  EXPECT_EQ(app.imageOrder, (std::vector<int16_t>{99, 1, 2, 3, 4}));
  EXPECT_TRUE(random.log.empty());
  app.settings.ChangeMode = 2;  // any mode but 0 is random
  // ranks floor(u * left) + 1: 3 of 4 -> 3; 1 of 3 -> 1; 2 of 2 -> 4; 1 of 1 -> 2
  random.script = {0.5, 0.0, 0.99, 0.3};
  BuildImageOrder(app, random);
  EXPECT_EQ(app.imageOrder, (std::vector<int16_t>{99, 3, 1, 4, 2}));
  EXPECT_EQ(std::count(random.log.begin(), random.log.end(), "reseed"), 4);  // one a draw
  app.imageCount = 5;  // an order not sized for the list: nothing is drawn
  BuildImageOrder(app, random);
  EXPECT_EQ(random.log.size(), 8u);  // four re-seeds and four draws, no more
}

TEST(BuildImageOrder, AtEveryCountUpToTheLargestRanksFindTheirPictures) {
  // Alternately the first and the last picture not yet taken: 1, n, 2, n - 1, ...
  for (int n : {1, 2, 3, 5, 8, 13, 32767}) {
    PictureList app;
    app.settings.ChangeMode = 1;
    app.imageCount = static_cast<int16_t>(n);
    app.imageOrder.assign(static_cast<size_t>(n) + 1, 0);
    test::ScriptedRandom random;
    for (int i = 0; i < n; ++i) random.script.push_back(i % 2 ? 0.99999 : 0.0);
    BuildImageOrder(app, random);
    for (int p = 1; p <= n; ++p) {
      ASSERT_EQ(app.imageOrder[static_cast<size_t>(p)], p % 2 ? (p + 1) / 2 : n + 1 - p / 2) << n << " " << p;
    }
  }
}

}  // namespace
}  // namespace orv
