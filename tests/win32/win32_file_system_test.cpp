// The file system as the program sees it through the wide-character APIs: Unicode names,
// the system's wildcard matching, attribute words and the replace-by-rename file store.
#include "win32/file_calls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "temp_folder.h"
#include "win32/wide.h"

namespace orv::win::test {
namespace {

std::vector<Text> Sorted(std::vector<Text> names) {
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<Text> Listing(Win32FileSystem& fs, const Text& pattern, bool admitDirectories) {
  const auto names = fs.ListNames(pattern, admitDirectories);
  EXPECT_TRUE(names.has_value()) << ToUtf8(pattern);
  return names ? Sorted(*names) : std::vector<Text>{};
}

void SetAttributes(const Text& path, DWORD attributes) {
  ASSERT_TRUE(SetFileAttributesW(Wide(path).c_str(), attributes)) << ToUtf8(path);
}

class Win32FileSystemTest : public ::testing::Test {
 protected:
  TempFolder dir;
  Win32FileSystem fs;
};

TEST_F(Win32FileSystemTest, ListsUnicodeNamesAsTheyAreStored) {
  const std::vector<Text> names = {u"Привет.bmp", u"😀 smile.jpg", u"写真ﾌｫﾙﾀﾞ.gif",
                                   u"plain.wmf"};
  for (const Text& name : names) MakeFile(dir / name, "x");

  EXPECT_EQ(Listing(fs, dir / u"*", false), Sorted(names));
  // Each name also finds itself as a pattern, surrogate pairs included.
  for (const Text& name : names) {
    EXPECT_EQ(Listing(fs, dir / name, false), std::vector<Text>{name}) << ToUtf8(name);
  }
  EXPECT_EQ(Listing(fs, dir / u"*.gif", false), std::vector<Text>{u"写真ﾌｫﾙﾀﾞ.gif"});
}

TEST_F(Win32FileSystemTest, PatternsMatchWhateverTheLetterCase) {
  for (const char16_t* name : {u"a.jpg", u"b.JPG", u"c.Jpg", u"d.bmp"}) MakeFile(dir / name);
  const std::vector<Text> jpegs = {u"a.jpg", u"b.JPG", u"c.Jpg"};
  EXPECT_EQ(Listing(fs, dir / u"*.jpg", false), jpegs);
  EXPECT_EQ(Listing(fs, dir / u"*.JPG", false), jpegs);
  EXPECT_EQ(Listing(fs, dir / u"D.BMP", false), std::vector<Text>{u"d.bmp"});
}

TEST_F(Win32FileSystemTest, HiddenAndSystemEntriesAreNeverListed) {
  for (const char16_t* name : {u"hidden.jpg", u"system.jpg", u"both.jpg", u"shown.jpg"}) {
    MakeFile(dir / name);
  }
  SetAttributes(dir / u"hidden.jpg", FILE_ATTRIBUTE_HIDDEN);
  SetAttributes(dir / u"system.jpg", FILE_ATTRIBUTE_SYSTEM);
  SetAttributes(dir / u"both.jpg", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  MakeFolder(dir / u"hidden folder");
  SetAttributes(dir / u"hidden folder", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);

  EXPECT_EQ(Listing(fs, dir / u"*.jpg", false), std::vector<Text>{u"shown.jpg"});
  const auto all = Listing(fs, dir / u"*", true);
  EXPECT_EQ(std::count(all.begin(), all.end(), u"shown.jpg"), 1);
  EXPECT_EQ(std::count(all.begin(), all.end(), u"hidden folder"), 0);
  EXPECT_EQ(std::count(all.begin(), all.end(), u"hidden.jpg"), 0);
}

TEST_F(Win32FileSystemTest, FoldersAreListedOnlyWhenAdmitted) {
  MakeFile(dir / u"file.jpg");
  MakeFolder(dir / u"folder.jpg");

  EXPECT_EQ(Listing(fs, dir / u"*.jpg", false), std::vector<Text>{u"file.jpg"});
  EXPECT_EQ(Listing(fs, dir / u"*.jpg", true), (std::vector<Text>{u"file.jpg", u"folder.jpg"}));
  // A folder answers "*.*" with its own "." entry even when it holds nothing else: the
  // folder test of the picture settings depends on it.
  TempFolder empty;
  const auto own = Listing(fs, empty / u"*.*", true);
  EXPECT_NE(std::find(own.begin(), own.end(), u"."), own.end());
  EXPECT_TRUE(Listing(fs, empty / u"*.*", false).empty());
}

TEST_F(Win32FileSystemTest, NoMatchIsAnEmptyListButAMissingFolderFails) {
  MakeFile(dir / u"a.bmp");
  const auto none = fs.ListNames(dir / u"*.wmf", false);
  ASSERT_TRUE(none.has_value());
  EXPECT_TRUE(none->empty());

  EXPECT_FALSE(fs.ListNames(dir / u"gone\\*.bmp", false).has_value());
  EXPECT_FALSE(fs.ListNames(u"Q:\\no drive here\\*.bmp", false).has_value());
}

TEST_F(Win32FileSystemTest, AttributeWordsOfFilesAndFolders) {
  MakeFile(dir / u"写真.jpg");
  EXPECT_EQ(fs.Attributes(dir / u"写真.jpg"), std::optional<uint32_t>(kAttrArchive));

  SetAttributes(dir / u"写真.jpg", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(fs.Attributes(dir / u"写真.jpg"),
            std::optional<uint32_t>(kAttrReadOnly | kAttrArchive));

  const auto folder = fs.Attributes(dir.Path());
  ASSERT_TRUE(folder.has_value());
  EXPECT_TRUE(*folder & kAttrDirectory);

  // A listing carries the same words, so a scan needs no query per file.
  const auto entries = fs.ListEntries(dir / u"*.jpg", false);
  ASSERT_TRUE(entries && entries->size() == 1);
  EXPECT_EQ(entries->front().name, u"写真.jpg");
  EXPECT_EQ(entries->front().attributes, std::optional<uint32_t>(kAttrReadOnly | kAttrArchive));

  EXPECT_EQ(fs.Attributes(dir / u"missing.jpg"), std::nullopt);
  EXPECT_EQ(fs.Attributes(dir / u"gone\\missing.jpg"), std::nullopt);
}

TEST_F(Win32FileSystemTest, ReadsFilesWholeAndRefusesFoldersAndMissingFiles) {
  static constexpr char kRaw[] = "[Section]\r\n\x89\xE6\x91\x9C=\0 1\r\n\xFF";
  const std::string bytes(kRaw, sizeof kRaw - 1);  // a zero byte and Shift-JIS in it
  MakeFile(dir / u"Orvane.ini", bytes);

  EXPECT_TRUE(fs.CanOpenForReading(dir / u"Orvane.ini"));
  EXPECT_EQ(fs.ReadAll(dir / u"Orvane.ini"), std::optional<std::string>(bytes));
  EXPECT_EQ(fs.ReadAll(dir / u"empty.ini"), std::nullopt);

  MakeFile(dir / u"empty.ini");
  EXPECT_EQ(fs.ReadAll(dir / u"empty.ini"), std::optional<std::string>(""));

  EXPECT_FALSE(fs.CanOpenForReading(dir.Path()));
  EXPECT_FALSE(fs.CanOpenForReading(dir / u"missing.mp3"));
  EXPECT_FALSE(fs.CanOpenForReading(dir / u"gone\\missing.mp3"));
}

TEST_F(Win32FileSystemTest, ReadsFilesBeyondAnyFixedSizeWhole) {
  // Larger than the 64 MiB a read once stopped at, cut without a word.
  std::string bytes((64u << 20) + 3, 'x');
  bytes.replace(bytes.size() - 12, 12, "[Last]\r\nk=v\r\n");
  MakeFile(dir / u"big.ini", bytes);
  const auto read = fs.ReadAll(dir / u"big.ini");
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->size(), bytes.size());
  EXPECT_TRUE(*read == bytes);
}

TEST_F(Win32FileSystemTest, StoreWritesAndReplacesWithoutLeavingTemporaryFiles) {
  const Text target = dir / u"Orvane.ini";
  ASSERT_TRUE(fs.StoreFile(target, "first version, the longer one", false));
  EXPECT_EQ(FileBytes(target), "first version, the longer one");

  ASSERT_TRUE(fs.StoreFile(target, "second", false));
  EXPECT_EQ(FileBytes(target), "second");  // replaced, not overwritten in place
  EXPECT_EQ(Listing(fs, dir / u"*", false), std::vector<Text>{u"Orvane.ini"});
}

TEST_F(Win32FileSystemTest, ReadersSeeTheOldFileOrTheNewOneNeverAHalfWrittenOne) {
  const Text target = dir / u"Orvane.ini";
  const std::string a(1000, 'a'), b(200000, 'b');
  ASSERT_TRUE(fs.StoreFile(target, a, false));

  std::atomic<bool> done{false};
  std::atomic<int> reads{0}, torn{0};
  std::thread reader([&] {
    Win32FileSystem own;
    while (!done) {
      const auto bytes = own.ReadAll(target);
      if (!bytes) continue;  // between the two names on a system that locks while renaming
      ++reads;
      if (*bytes != a && *bytes != b) ++torn;
    }
  });
  int stored = 0;
  for (int i = 0; i < 100; ++i) stored += fs.StoreFile(target, i % 2 ? a : b, false);
  done = true;
  reader.join();

  EXPECT_GT(stored, 0);
  EXPECT_GT(reads.load(), 0);
  EXPECT_EQ(torn.load(), 0) << "of " << reads.load() << " reads";
  EXPECT_EQ(Listing(fs, dir / u"*", false), std::vector<Text>{u"Orvane.ini"});
}

TEST_F(Win32FileSystemTest, StoreRefusesAReadOnlyTargetAndKeepsIt) {
  const Text target = dir / u"Orvane.ini";
  MakeFile(target, "kept");
  SetAttributes(target, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);

  EXPECT_FALSE(fs.StoreFile(target, "lost", false));
  EXPECT_FALSE(fs.StoreFile(target, "lost", true));
  EXPECT_EQ(FileBytes(target), "kept");
  EXPECT_EQ(fs.Attributes(target), std::optional<uint32_t>(kAttrReadOnly | kAttrArchive));
  EXPECT_EQ(Listing(fs, dir / u"*", false), std::vector<Text>{u"Orvane.ini"});
}

TEST_F(Win32FileSystemTest, StoreUpdatesTheUsersFileWithItsAttributesAndOtherNames) {
  const Text hidden = dir / u"hidden.ini";
  MakeFile(hidden, "old");
  SetAttributes(hidden, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  ASSERT_TRUE(fs.StoreFile(hidden, "new", false));
  EXPECT_EQ(FileBytes(hidden), "new");
  EXPECT_EQ(fs.Attributes(hidden), std::optional<uint32_t>(kAttrHidden | kAttrArchive));

  // A hard link: both names keep naming one file, longer or shorter than before.
  const Text linked = dir / u"Orvane.ini", other = dir / u"other name.ini";
  MakeFile(linked, "old settings");
  ASSERT_TRUE(CreateHardLinkW(Wide(other).c_str(), Wide(linked).c_str(), nullptr));
  for (const std::string bytes : {"the new settings, longer", "short"}) {
    ASSERT_TRUE(fs.StoreFile(linked, bytes, false));
    EXPECT_EQ(FileBytes(linked), bytes);
    EXPECT_EQ(FileBytes(other), bytes);
  }
  EXPECT_EQ(Listing(fs, dir / u"*.tmp", false), std::vector<Text>{});
}

TEST_F(Win32FileSystemTest, StoreRefusesAFolderInTheTargetsPlace) {
  MakeFolder(dir / u"Orvane.ini");
  EXPECT_FALSE(fs.StoreFile(dir / u"Orvane.ini", "x", false));
  EXPECT_EQ(Listing(fs, dir / u"*", true),
            (std::vector<Text>{u".", u"..", u"Orvane.ini"}));
}

TEST_F(Win32FileSystemTest, MissingFoldersAreMadeOnlyWhenAsked) {
  const Text nested = dir / u"ユーザー\\Orvane\\Orvane.ini";
  EXPECT_FALSE(fs.StoreFile(nested, "x", false));
  EXPECT_EQ(fs.Attributes(dir / u"ユーザー"), std::nullopt);

  ASSERT_TRUE(fs.StoreFile(nested, "made", true));
  EXPECT_EQ(FileBytes(nested), "made");
  // Folders that already exist are fine too.
  ASSERT_TRUE(fs.StoreFile(dir / u"ユーザー\\second.ini", "again", true));
  EXPECT_EQ(FileBytes(dir / u"ユーザー\\second.ini"), "again");
}

}  // namespace
}  // namespace orv::win::test
