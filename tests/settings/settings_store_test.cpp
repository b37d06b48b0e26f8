#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include "support/fake_file_system.h"

namespace orv {
namespace {

TEST(SettingsStore, FileSitsBesideTheProgramWithTheSeparatorAlwaysAdded) {
  test::FakeFileSystem fs;
  EXPECT_EQ(SettingsStore(fs, u"C:\\Saver", u"").BesideProgram(), u"C:\\Saver\\Orvane.ini");
  EXPECT_EQ(SettingsStore(fs, u"D:\\", u"").BesideProgram(), u"D:\\\\Orvane.ini");
  EXPECT_EQ(SettingsStore(fs, u"D:\\", u"").PerUser(), u"");
  EXPECT_EQ(SettingsStore(fs, u"C:\\S", u"C:\\AppData").PerUser(), u"C:\\AppData\\Orvane\\Orvane.ini");
}

TEST(SettingsStore, PrefersThePerUserFileOnceItExists) {
  test::FakeFileSystem fs;
  SettingsStore store(fs, u"C:\\Windows\\System32", u"C:\\AppData");
  fs.AddFile(store.BesideProgram(), "[Section]\r\nx=beside\r\n");
  EXPECT_EQ(ReadIni(store.Read(), u"Section", u"x"), u"beside");
  fs.AddFile(store.PerUser(), "[Section]\r\nx=mine\r\n");
  EXPECT_EQ(ReadIni(store.Read(), u"Section", u"x"), u"mine");

  IniDocument doc = store.Read();
  WriteIni(doc, u"Section", u"x", u"new");
  ASSERT_TRUE(store.Write(doc));
  EXPECT_EQ(fs.Content(store.PerUser()), "[Section]\r\nx=new\r\n");
  EXPECT_EQ(fs.Content(store.BesideProgram()), "[Section]\r\nx=beside\r\n");
}

TEST(SettingsStore, UnreadableFileReadsAsEmpty) {
  test::FakeFileSystem fs;
  SettingsStore store(fs, u"C:\\S", u"");
  fs.AddFile(store.BesideProgram(), "[Section]\r\nx=1\r\n");
  fs.unreadable.insert(store.BesideProgram());
  EXPECT_EQ(ReadIni(store.Read(), u"Section", u"x"), u"");
}

}  // namespace
}  // namespace orv
