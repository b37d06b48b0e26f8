// The file system, the settings store and the window-title look-up against the real calls:
// Unicode names, the system's wildcard matching, attribute words, the replace-by-rename
// store that keeps the user's file what it was, and the fall-back to the user's own copy.
#include "win32/file_calls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "settings/settings_store.h"
#include "startup/main_logic.h"
#include "test_support.h"
#include "win32/wide.h"
#include "win32/system_calls.h"

namespace orv::win::test {
namespace {

class Win32FileSystemTest : public ::testing::Test {
 protected:
  std::vector<Text> Listing(const Text& pattern, bool admitDirectories = false) {
    auto names = fs.ListNames(dir / pattern, admitDirectories);
    EXPECT_TRUE(names) << ToUtf8(pattern);
    if (!names) return {};
    std::sort(names->begin(), names->end());
    return *names;
  }
  TempFolder dir;
  Win32FileSystem fs;
};

TEST_F(Win32FileSystemTest, ListsUnicodeNamesCaseBlindWithoutHiddenOrSystemEntries) {
  for (const char16_t* name : {u"Привет.bmp", u"😀 smile.jpg", u"写真ﾌｫﾙﾀﾞ.JPG", u"c.Jpg",
                               u"hidden.jpg", u"system.jpg"}) {
    MakeFile(dir / name);
  }
  SetAttributes(dir / u"hidden.jpg", FILE_ATTRIBUTE_HIDDEN);
  SetAttributes(dir / u"system.jpg", FILE_ATTRIBUTE_SYSTEM);
  MakeFolder(dir / u"folder.jpg");
  MakeFolder(dir / u"hidden folder.jpg");
  SetAttributes(dir / u"hidden folder.jpg", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
  const std::vector<Text> jpegs = {u"c.Jpg", u"写真ﾌｫﾙﾀﾞ.JPG", u"😀 smile.jpg"};
  const struct { Text pattern; bool folders; std::vector<Text> names; } cases[] = {
      {u"*.jpg", false, jpegs},
      {u"*.JPG", false, jpegs},
      {u"*.jpg", true, {u"c.Jpg", u"folder.jpg", u"写真ﾌｫﾙﾀﾞ.JPG", u"😀 smile.jpg"}},
      {u"привет.BMP", false, {u"Привет.bmp"}},
      {u"😀 smile.jpg", false, {u"😀 smile.jpg"}},  // a surrogate pair in a pattern
      {u"*.wmf", false, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(Listing(c.pattern, c.folders), c.names) << ToUtf8(c.pattern);
  // A folder answers "*.*" with its own "." entry: the picture folder's test depends on it.
  TempFolder empty;
  const auto own = fs.ListNames(empty / u"*.*", true);
  ASSERT_TRUE(own);
  EXPECT_NE(std::find(own->begin(), own->end(), u"."), own->end());
  EXPECT_FALSE(fs.ListNames(dir / u"gone\\*.bmp", false));
  EXPECT_FALSE(fs.ListNames(u"Q:\\no drive here\\*.bmp", false));
}

TEST_F(Win32FileSystemTest, ReadsAttributesAndWholeFilesAndRefusesFoldersAndMissingFiles) {
  // A zero byte, Shift-JIS, and more than the 64 MiB a read once stopped at without a word.
  std::string bytes((64u << 20) + 3, 'x');
  bytes.replace(0, 16, std::string("[S]\r\n\x89\xE6=\0 1\r\n\xFF", 16));
  MakeFile(dir / u"写真.ini", bytes);
  SetAttributes(dir / u"写真.ini", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(fs.Attributes(dir / u"写真.ini"), kAttrReadOnly | kAttrArchive);
  const auto entries = fs.ListEntries(dir / u"*.ini", false);  // a scan needs no query per file
  ASSERT_TRUE(entries && entries->size() == 1);
  EXPECT_EQ(entries->front().attributes, kAttrReadOnly | kAttrArchive);
  EXPECT_TRUE(*fs.Attributes(dir.Path()) & kAttrDirectory);
  EXPECT_EQ(fs.Attributes(dir / u"gone\\missing.jpg"), std::nullopt);

  EXPECT_TRUE(fs.CanOpenForReading(dir / u"写真.ini"));
  const auto read = fs.ReadAll(dir / u"写真.ini");
  EXPECT_TRUE(read && *read == bytes);
  MakeFile(dir / u"empty.ini");
  EXPECT_EQ(fs.ReadAll(dir / u"empty.ini"), std::optional<std::string>(""));
  for (const Text& refused : {dir.Path(), dir / u"missing.mp3", dir / u"gone\\missing.mp3"}) {
    EXPECT_FALSE(fs.CanOpenForReading(refused)) << ToUtf8(refused);
    EXPECT_EQ(fs.ReadAll(refused), std::nullopt) << ToUtf8(refused);
  }
}

TEST_F(Win32FileSystemTest, StoreReplacesTheFileWholeKeepingItsAttributesAndOtherNames) {
  const Text target = dir / u"Orvane.ini", other = dir / u"other name.ini";
  // Readers see the old file or the new one, never a half-written one or a temporary file.
  const std::string a(1000, 'a'), b(200000, 'b');
  MakeFile(target, a);
  std::atomic<bool> done{false};
  std::atomic<int> reads{0}, torn{0};
  std::thread reader([&] {
    for (Win32FileSystem own; !done;) {
      if (const auto bytes = own.ReadAll(target)) ++reads, torn += *bytes != a && *bytes != b;
    }
  });
  int stored = 0;  // a store may find the file held open by the reader
  for (int i = 0; i < 60; ++i) stored += fs.StoreFile(target, i % 2 ? a : b, false);
  done = true;
  reader.join();
  EXPECT_GT(stored, 0);
  EXPECT_GT(reads.load(), 0);
  EXPECT_EQ(torn.load(), 0) << "of " << reads.load() << " reads";
  EXPECT_EQ(Listing(u"*"), std::vector<Text>{u"Orvane.ini"});
  // The user's hidden file stays hidden; with a second name, both names see the new bytes,
  // longer or shorter than before.
  SetAttributes(target, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  ASSERT_TRUE(fs.StoreFile(target, "hidden", false));
  EXPECT_EQ(fs.Attributes(target), kAttrHidden | kAttrArchive);
  ASSERT_TRUE(CreateHardLinkW(Wide(other).c_str(), Wide(target).c_str(), nullptr));
  for (const std::string bytes : {"the new settings, longer", "short"}) {
    ASSERT_TRUE(fs.StoreFile(target, bytes, false));
    EXPECT_EQ(FileBytes(other), bytes);
  }
  EXPECT_EQ(Listing(u"*.tmp"), std::vector<Text>{});
}

TEST_F(Win32FileSystemTest, StoreRefusesReadOnlyFilesFoldersAndMissingFoldersUnlessAsked) {
  MakeFile(dir / u"read-only.ini", "kept");
  SetAttributes(dir / u"read-only.ini", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
  MakeFolder(dir / u"folder.ini");
  const Text nested = dir / u"ユーザー\\Orvane\\Orvane.ini";
  for (const Text& refused : {dir / u"read-only.ini", dir / u"folder.ini", nested}) {
    EXPECT_FALSE(fs.StoreFile(refused, "lost", false)) << ToUtf8(refused);
  }
  EXPECT_FALSE(fs.StoreFile(dir / u"read-only.ini", "lost", true));
  EXPECT_EQ(FileBytes(dir / u"read-only.ini"), "kept");
  EXPECT_EQ(fs.Attributes(dir / u"ユーザー"), std::nullopt);
  EXPECT_EQ(Listing(u"*"), (std::vector<Text>{u"read-only.ini"}));
  ASSERT_TRUE(fs.StoreFile(nested, "made", true));
  EXPECT_EQ(FileBytes(nested), "made");
}

TEST_F(Win32FileSystemTest, SettingsGoToTheUsersCopyWhenTheProgramsCannotBeWritten) {
  const auto doc = [](const char16_t* interval) {
    IniDocument d;
    d.Set(u"Section", u"ｲﾝﾀｰﾊﾞﾙ", interval);
    return d;
  };
  const auto interval = [](const std::string& bytes) {
    return IniDocument::Parse(bytes).Get(u"Section", u"ｲﾝﾀｰﾊﾞﾙ").value_or(u"<none>");
  };
  const Text program = dir / u"Program Files (x86)", appData = dir / u"AppData ユーザー";
  const Text beside = program + u"\\Orvane.ini", perUser = appData + u"\\Orvane\\Orvane.ini";
  MakeFolder(program);
  MakeFolder(appData);
  MakeFile(beside, doc(u"15").Serialize());
  SetAttributes(beside, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_FALSE(SettingsStore(fs, program, u"").Write(doc(u"45")));

  SettingsStore store(fs, program, appData);
  EXPECT_EQ(store.Read().Get(u"Section", u"ｲﾝﾀｰﾊﾞﾙ"), Text(u"15"));
  ASSERT_TRUE(store.Write(doc(u"45")));
  EXPECT_EQ(interval(FileBytes(beside)), u"15");
  EXPECT_EQ(interval(FileBytes(perUser)), u"45");
  // From then on the user's copy is the one read and written.
  SettingsStore next(fs, program, appData);
  EXPECT_EQ(next.Read().Get(u"Section", u"ｲﾝﾀｰﾊﾞﾙ"), Text(u"45"));
  ASSERT_TRUE(next.Write(doc(u"50")));
  EXPECT_EQ(interval(FileBytes(perUser)), u"50");
  // A program folder that went away is not made again for the settings' sake.
  ASSERT_TRUE(SettingsStore(fs, dir / u"removed", appData).Write(doc(u"20")));
  EXPECT_EQ(fs.Attributes(dir / u"removed"), std::nullopt);
}

TEST(Win32SystemTest, FindsOnlyTopLevelWindowsWithTheExactTitle) {
  Win32System system;
  ASSERT_FALSE(system.TopLevelWindowExists(kDialogTitle)) << "another copy is running";
  HWND dialog = CreateWindowExW(0, L"STATIC", Wide(Text(kDialogTitle)).c_str(), WS_OVERLAPPED, 0, 0, 9, 9,
                                nullptr, nullptr, nullptr, nullptr);
  HWND child = CreateWindowExW(0, L"STATIC", Wide(Text(kDisplayTitle)).c_str(), WS_CHILD | WS_VISIBLE,
                               0, 0, 9, 9, dialog, nullptr, nullptr, nullptr);
  ASSERT_TRUE(dialog && child);
  EXPECT_TRUE(system.TopLevelWindowExists(kDialogTitle));
  for (const Text& other : {Text(u"Orvaneの設"), Text(u"Orvaneの設定 "), Text(kDisplayTitle)}) {
    EXPECT_FALSE(system.TopLevelWindowExists(other)) << ToUtf8(other);
  }
  DestroyWindow(dialog);
  EXPECT_FALSE(system.TopLevelWindowExists(kDialogTitle));
}

}  // namespace
}  // namespace orv::win::test
