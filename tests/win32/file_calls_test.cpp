// The file system against the real calls: Unicode names, the system's wildcard matching,
// attribute words, and the replace-by-rename store that keeps a second name of the file.
#include "win32/file_calls.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <thread>

#include "win32/wide.h"

namespace orv::win {
namespace {

// Files made the way a user or another program would, in a fresh folder per test.
class Win32FileSystemTest : public ::testing::Test {
 protected:
  Win32FileSystemTest() {
    static int counter = 0;
    const auto name = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
    dir = FromWide((std::filesystem::temp_directory_path() / ("orvane-" + name)).wstring());
    Folder(dir);
  }
  ~Win32FileSystemTest() override {
    std::error_code ignored;
    for (const auto& e : std::filesystem::recursive_directory_iterator(Wide(dir), ignored)) {
      SetFileAttributesW(e.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    std::filesystem::remove_all(Wide(dir), ignored);
  }
  Text In(TextView name) const { return dir + u"\\" + Text(name); }
  static void File(const Text& path, std::string_view bytes = {}, DWORD attributes = 0) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              attributes, 0);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << ToUtf8(path);
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size()) << ToUtf8(path);
  }
  static void Folder(const Text& path, DWORD attributes = 0) {
    ASSERT_TRUE(CreateDirectoryW(Wide(path).c_str(), nullptr)) << ToUtf8(path);
    ASSERT_TRUE(!attributes || SetFileAttributesW(Wide(path).c_str(), attributes));
  }
  std::vector<Text> Listing(const Text& pattern, bool admitDirectories = false) {
    auto names = fs.ListNames(In(pattern), admitDirectories).value_or(std::vector<Text>{u"<failed>"});
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string Bytes(const Text& path) { return fs.ReadAll(path).value_or("<missing>"); }

  Text dir;
  Win32FileSystem fs;
};

TEST_F(Win32FileSystemTest, ListsUnicodeNamesCaseBlindWithoutHiddenOrSystemEntries) {
  for (const char16_t* name : {u"😀 smile.jpg", u"写真ﾌｫﾙﾀﾞ.JPG"}) File(In(name));
  File(In(u"hidden.jpg"), "", FILE_ATTRIBUTE_HIDDEN);
  File(In(u"system.jpg"), "", FILE_ATTRIBUTE_SYSTEM);
  Folder(In(u"folder.jpg"));
  Folder(In(u"hidden folder.jpg"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
  const struct { Text pattern; bool folders; std::vector<Text> names; } cases[] = {
      {u"*.jpg", false, {u"写真ﾌｫﾙﾀﾞ.JPG", u"😀 smile.jpg"}},
      {u"*.jpg", true, {u"folder.jpg", u"写真ﾌｫﾙﾀﾞ.JPG", u"😀 smile.jpg"}},
      {u"*.wmf", false, {}},
      {u"folder.jpg\\*.*", true, {u".", u".."}},  // the picture folder's test needs "."
      {u"gone\\*.bmp", false, {u"<failed>"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Listing(c.pattern, c.folders), c.names) << ToUtf8(c.pattern);
}

TEST_F(Win32FileSystemTest, ReadsAttributesAndWholeFilesAndRefusesFoldersAndMissingFiles) {
  // A zero byte, Shift-JIS, and more than the 64 MiB a read once stopped at without a word.
  std::string bytes((64u << 20) + 3, 'x');
  bytes.replace(0, 16, std::string("[S]\r\n\x89\xE6=\0 1\r\n\xFF", 16));
  File(In(u"写真.ini"), bytes, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(fs.Attributes(In(u"写真.ini")), kAttrReadOnly | kAttrArchive);
  const auto entries = fs.ListEntries(In(u"*.ini"), false);  // a scan needs no query per file
  ASSERT_TRUE(entries && entries->size() == 1);
  EXPECT_EQ(entries->front().attributes, kAttrReadOnly | kAttrArchive);
  EXPECT_TRUE(*fs.Attributes(dir) & kAttrDirectory);
  EXPECT_EQ(fs.Attributes(In(u"gone\\missing.jpg")), std::nullopt);

  EXPECT_TRUE(fs.CanOpenForReading(In(u"写真.ini")));
  EXPECT_TRUE(Bytes(In(u"写真.ini")) == bytes);
  File(In(u"empty.ini"));
  EXPECT_EQ(fs.ReadAll(In(u"empty.ini")), std::optional<std::string>(""));
  for (const Text& refused : {dir, In(u"missing.mp3"), In(u"gone\\missing.mp3")}) {
    EXPECT_FALSE(fs.CanOpenForReading(refused)) << ToUtf8(refused);
    EXPECT_EQ(fs.ReadAll(refused), std::nullopt) << ToUtf8(refused);
  }
}

TEST_F(Win32FileSystemTest, StoreReplacesTheFileWholeKeepingItsAttributesAndOtherNames) {
  const Text target = In(u"Orvane.ini"), other = In(u"other name.ini");
  // Readers see the old file or the new one, never a half-written one or a temporary file.
  const std::string a(1000, 'a'), b(200000, 'b');
  File(target, a);
  std::atomic<bool> done{false};
  std::atomic<int> reads{0}, torn{0};
  std::thread reader([&] {
    for (Win32FileSystem own; !done;) {
      if (const auto bytes = own.ReadAll(target)) ++reads, torn += *bytes != a && *bytes != b;
    }
  });
  int stored = 0;  // a store may find the file held open by the reader: try until 20 land
  for (int i = 0; stored < 20 && i < 5000; ++i) {
    stored += fs.StoreFile(target, stored % 2 ? a : b, false);  // the last one lands a
  }
  done = true;
  reader.join();
  EXPECT_EQ(stored, 20);
  EXPECT_GT(reads.load(), 0);
  EXPECT_EQ(torn.load(), 0) << "of " << reads.load() << " reads";
  // A file held unshared by another program fails the store, and no temporary file is left.
  HANDLE held = CreateFileW(Wide(target).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0);
  EXPECT_FALSE(fs.StoreFile(target, "lost", true));
  CloseHandle(held);
  EXPECT_EQ(Bytes(target), a);
  EXPECT_EQ(Listing(u"*"), std::vector<Text>{u"Orvane.ini"});
  // With a second name, both names see the new bytes, longer or shorter than before.
  ASSERT_TRUE(CreateHardLinkW(Wide(other).c_str(), Wide(target).c_str(), nullptr));
  for (const std::string bytes : {"the new settings, longer", "short"}) {
    ASSERT_TRUE(fs.StoreFile(target, bytes, false));
    EXPECT_EQ(Bytes(other), bytes);
  }
  // A hidden system file is replaced and stays hidden and system.
  const Text hidden = In(u"hidden.ini");
  const DWORD marks = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  File(hidden, "old", marks);
  EXPECT_TRUE(fs.StoreFile(hidden, "new", false));
  EXPECT_EQ(Bytes(hidden), "new");
  EXPECT_EQ(GetFileAttributesW(Wide(hidden).c_str()) & marks, marks);
  // A read-only file and a missing folder refuse the store unless it may make the folder.
  File(In(u"read-only.ini"), "kept", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_FALSE(fs.StoreFile(In(u"read-only.ini"), "lost", false));
  EXPECT_EQ(Bytes(In(u"read-only.ini")), "kept");
  const Text nested = In(u"ユーザー\\Orvane\\Orvane.ini");
  EXPECT_FALSE(fs.StoreFile(nested, "lost", false));
  ASSERT_TRUE(fs.StoreFile(nested, "made", true));
  EXPECT_EQ(Bytes(nested), "made");
}

}  // namespace
}  // namespace orv::win
