// The picture folder: the dialog's own listing, kind switches, the count box and the list.
#include <set>

#include "dialog_fixture.h"

namespace orv::test {
namespace {

using Folder = DialogTest;

TEST_F(Folder, AChoiceListsByAttributeGroupThenKindWithoutSortingAndReportsErrorsOnce) {
  // cloud.jpg is a placeholder: archive and bits that only describe its storage.
  const std::pair<const char16_t*, uint32_t> files[] = {
      {u"b.jpg", kAttrArchive}, {u"A.bmp", kAttrArchive}, {u"z.bmp", kAttrArchive},
      {u"c.gif", kAttrReadOnly}, {u"x.wmf", 0}, {u"both.bmp", kAttrReadOnly | kAttrArchive},
      {u"hidden.bmp", kAttrHidden | kAttrArchive},
      {u"cloud.jpg", kAttrArchive | 0x400 | 0x1000 | 0x400000}};
  for (const auto& [name, attr] : files) fs.AddFile(u"D:\\pics\\" + Text(name), "", attr);
  Start();
  Choose(u"D:\\pics");
  // Attribute 0 first, then archive (bmp in listing order, then jpg), then read-only.
  EXPECT_EQ(Listing(), "x.wmf A.bmp z.bmp b.jpg cloud.jpg c.gif | 6");
  // The main module's folder and list are not the dialog's listing.
  EXPECT_TRUE(app.settings.ImageFolder.empty() && app.imageCount == 0);
  host.answers.push_back(u"");  // an empty or cancelled choice keeps it all
  Click(0);
  Click(0);
  EXPECT_EQ(host.Count("Browse"), 3);
  EXPECT_EQ(Caption(Ctl::Folder_Path), u"D:\\pics");
  EXPECT_EQ(Listing(), "x.wmf A.bmp z.bmp b.jpg cloud.jpg c.gif | 6");
  // A file that cannot be asked about: one message, and the rest still listed.
  fs.failingAttributes = {u"D:\\pics\\x.wmf", u"D:\\pics\\c.gif"};
  Choose(u"D:\\pics");
  EXPECT_EQ(Listing(), "A.bmp z.bmp b.jpg cloud.jpg | 4");
  fs.listingFails = true;  // a later choice reports its own error
  Choose(u"D:\\pics");
  EXPECT_EQ(system.messages, (Texts{kFileVanishedMessage, kFolderUnreadableMessage}));
  EXPECT_EQ(Listing(), "| 0");
}

TEST_F(Folder, AKindSwitchTakesTheFolderAndRescansSorted) {
  fs.AddFile(u"D:\\pics\\x.bmp", "", 0);
  fs.AddFile(u"D:\\pics\\a.bmp");
  fs.AddFile(u"D:\\pics\\m.gif");
  fs.AddFolder(u"D:\\empty");
  Start();
  const int listings = fs.listCalls;
  Press(Ctl::Img_Kind, 0);  // no folder yet: only the flag changes
  EXPECT_EQ(app.settings.KindOn[0], 0);
  EXPECT_EQ(fs.listCalls, listings);
  Press(Ctl::lbl_Kind, 0);
  Choose(u"D:\\pics");
  Press(Ctl::Img_Kind, 1);  // gif off
  EXPECT_EQ(Listing(), "a.bmp x.bmp | 2");
  EXPECT_EQ(app.settings.ImageFolder + u" " + FromUtf8(std::to_string(app.imageCount)), u"D:\\pics 2");
  Press(Ctl::lbl_Kind, 1);  // and on again, through the caption
  EXPECT_EQ(Marks(), "10 01 100 1111");
  EXPECT_EQ(Listing(), "a.bmp m.gif x.bmp | 3");
  fs.Remove(u"D:\\pics");  // gone: the list and count stay as they were
  Press(Ctl::Img_Kind, 2);
  EXPECT_EQ(Listing(), "a.bmp m.gif x.bmp | 3");
  // Nothing found: a choice counts 0, a switch leaves the box empty.
  Choose(u"D:\\empty");
  EXPECT_EQ(Listing(), "| 0");
  Press(Ctl::Img_Kind, 2);
  EXPECT_EQ(Listing(), "| ");
}

TEST_F(Folder, TheListShowsNamesAsStoredAndADriveRootDoublesItsBackslash) {
  fs.AddFile(u"C:\\pics\\Sunset.JPG");
  fs.AddFile(u"C:\\pics\\a.bmp");
  fs.AddFile(u"D:\\r.bmp");
  Load({{u"画像のﾌｫﾙﾀﾞ", u"C:\\pics"}});
  app.imageList[2] = u"C:\\PICS\\A.BMP";  // however the path is spelt, the stored name shows
  Open();
  EXPECT_EQ(Listing(), "Sunset.JPG a.bmp | 2");
  Choose(u"D:\\");
  EXPECT_EQ(Listing(), "r.bmp | 1");
  dialog->ListSelect(0);
  EXPECT_EQ(pictures.loads, Texts{u"D:\\\\r.bmp"});
}

TEST_F(Folder, NothingElseListsWhileAFolderChoiceRunsAndClosingEndsAListingOrARescan) {
  for (int i = 0; i < 200; ++i) fs.AddFile(u"D:\\p\\" + FromUtf8(std::to_string(i)) + u".bmp");
  Start({{u"画像のﾌｫﾙﾀﾞ", u"D:\\p"}});
  host.answers = {u"D:\\p", u"D:\\q"};
  host.onDoEvents = [&] {
    host.onDoEvents = [&] { Click(3); };
    Click(0);                 // another folder choice
    Press(Ctl::Img_Kind, 0);  // a kind switch
    Click(1);                 // "ｸﾘｱ"
  };
  Click(0);
  EXPECT_EQ(host.Count("Browse"), 1);
  EXPECT_EQ(app.settings.KindOn[0], 1);
  EXPECT_EQ(host.doEvents, 2);  // the close ended it
  EXPECT_EQ(Caption(Ctl::Folder_Path), u"D:\\p");
  EXPECT_EQ(dialog->ListItems().size(), 200u);  // the list as it opened
  Open();
  const int listings = fs.listCalls;
  host.onDoEvents = [&] { dialog->CloseRequested(); };
  Press(Ctl::Img_Kind, 2);
  EXPECT_EQ(fs.listCalls, listings + 4);  // the folder and the three kinds on, once each
  EXPECT_EQ(host.Count("EndDialog"), 2);
  Open();  // and "ｸﾘｱ" empties it afterwards
  Click(1);
  Click(2);
  EXPECT_TRUE(SavedLine(u"画像のﾌｫﾙﾀﾞ=\r\n"));
}

TEST_F(Folder, ALargeFolderIsListedWithoutWorkPerPictureAndStopsAtTheLargestCount) {
  for (int i = 0; i < 32768; ++i) fs.AddFile(u"D:\\p\\" + FromUtf8(std::to_string(i)) + u".bmp");
  Start();
  clock.now = 86400 - 0.25;  // the listing runs past midnight
  clock.step = 0.001;  // a millisecond for every file looked at
  std::set<Text> shown;
  host.onDoEvents = [&] { shown.insert(Caption(Ctl::lbl_Kei)); };
  const int listings = fs.listCalls;
  Choose(u"D:\\p");
  EXPECT_EQ(fs.listCalls - listings, 5);  // 4 kinds, the names
  EXPECT_EQ(dialog->ListItems().back() + u" " + Caption(Ctl::lbl_Kei), u"32766.bmp 32767");
  EXPECT_EQ(system.messages, Texts{kTooManyFilesMessage});  // not one per file or pattern
  EXPECT_EQ(std::count(host.invalidated.begin(), host.invalidated.end(),
                       ControlId{Ctl::List_1, 0}), 2);  // at opening, and the listing's result
  // 3 x 32768 files looked at, 98 s: events run every 50 ms, and the count runs up then.
  EXPECT_NEAR(host.doEvents, 1966, 20);
  EXPECT_GT(shown.size(), 600u);
}

}  // namespace
}  // namespace orv::test
