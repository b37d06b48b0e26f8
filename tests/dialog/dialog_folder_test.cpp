// Folder choice, the dialog's own listing, kind switches and the count box.
#include <algorithm>

#include "dialog_fixture.h"

namespace orv::test {
namespace {

class Folder : public DialogTest {
 protected:
  Folder() { LoadWithoutFile(); }
  void Choose(const Text& folder) {
    host.folderAnswers.push_back(folder);
    Click(0);
  }
  std::vector<Text> Items() const { return dialog->ListItems(); }
  // `count` pictures 0.bmp, 1.bmp, ... in `folder`.
  void AddPictures(const Text& folder, int count) {
    for (int i = 0; i < count; ++i) {
      fs.AddFile(folder + u"\\" + FromUtf8(std::to_string(i)) + u".bmp");
    }
  }
  long Invalidations(Ctl control) const {
    return std::count_if(host.invalidated.begin(), host.invalidated.end(),
                         [&](ControlId id) { return id.name == control; });
  }
};

TEST_F(Folder, ChoosingAFolderListsByAttributeGroupThenKindWithoutSorting) {
  fs.AddFile(u"D:\\pics\\b.jpg");
  fs.AddFile(u"D:\\pics\\A.bmp");
  fs.AddFile(u"D:\\pics\\z.bmp");
  fs.AddFile(u"D:\\pics\\c.gif", "", kAttrReadOnly);
  fs.AddFile(u"D:\\pics\\x.wmf", "", 0);
  fs.AddFile(u"D:\\pics\\both.bmp", "", kAttrReadOnly | kAttrArchive);
  fs.AddFile(u"D:\\pics\\hidden.bmp", "", kAttrHidden | kAttrArchive);
  // A cloud placeholder: archive and bits that only describe its storage.
  fs.AddFile(u"D:\\pics\\cloud.jpg", "", kAttrArchive | 0x400 | 0x1000 | 0x400000);
  Open();
  Choose(u"D:\\pics");
  EXPECT_EQ(host.prompts.at(0), kFolderPrompt);
  EXPECT_EQ(Caption(Ctl::Folder_Path), u"D:\\pics");
  // Attribute 0 first, then archive (bmp in listing order, then jpg), then read-only.
  EXPECT_EQ(Items(), (std::vector<Text>{u"x.wmf", u"A.bmp", u"z.bmp", u"b.jpg", u"cloud.jpg",
                                        u"c.gif"}));
  EXPECT_EQ(Caption(Ctl::lbl_Kei), u"6");
  EXPECT_EQ(dialog->FoundFiles().at(0), u"D:\\pics\\x.wmf");
  EXPECT_EQ(dialog->FoundCount(), 6);
  EXPECT_EQ(app.scanAttribute, kAttrReadOnly);
  // The main module's folder and list are not touched by the dialog's own listing.
  EXPECT_EQ(app.settings.ImageFolder, u"");
  EXPECT_EQ(app.imageCount, 0);
}

TEST_F(Folder, AKindSwitchRescansAndSortsWhileAFolderChoiceDoesNot) {
  fs.AddFile(u"D:\\pics\\x.bmp", "", 0);
  fs.AddFile(u"D:\\pics\\a.bmp");
  fs.AddFile(u"D:\\pics\\m.gif");
  Open();
  Choose(u"D:\\pics");
  EXPECT_EQ(Items(), (std::vector<Text>{u"x.bmp", u"a.bmp", u"m.gif"}));
  Press(Ctl::Img_Kind, 1);  // gif off
  EXPECT_EQ(app.settings.KindOn[1], 0);
  EXPECT_EQ(Picture(Ctl::Img_Kind, 1), Artwork::kKindOff);
  EXPECT_EQ(Items(), (std::vector<Text>{u"a.bmp", u"x.bmp"}));
  EXPECT_EQ(Caption(Ctl::lbl_Kei), u"2");
  EXPECT_EQ(app.settings.ImageFolder, u"D:\\pics");  // a switch takes the folder at once
  EXPECT_EQ(app.imageCount, 2);
  Press(Ctl::lbl_Kind, 1);  // and on again, through the caption
  EXPECT_EQ(Picture(Ctl::Img_Kind, 1), Artwork::kKindOn);
  EXPECT_EQ(Items(), (std::vector<Text>{u"a.bmp", u"m.gif", u"x.bmp"}));
}

TEST_F(Folder, EmptyResultsShowZeroAfterAChoiceButNothingAfterASwitch) {
  fs.AddFolder(u"D:\\empty");
  fs.AddFile(u"D:\\empty\\notes.txt");
  Open();
  Choose(u"D:\\empty");
  EXPECT_TRUE(Items().empty());
  EXPECT_EQ(Caption(Ctl::lbl_Kei), u"0");
  Press(Ctl::Img_Kind, 2);
  EXPECT_TRUE(Items().empty());
  EXPECT_EQ(Caption(Ctl::lbl_Kei), u"");
}

TEST_F(Folder, TheCountRunsUpWhileTheListingProgresses) {
  for (const char16_t* name : {u"D:\\p\\1.bmp", u"D:\\p\\2.gif", u"D:\\p\\3.jpg"}) fs.AddFile(name);
  Open();
  std::vector<Text> counts;
  host.onDoEvents = [&] { counts.push_back(Caption(Ctl::lbl_Kei)); };
  Choose(u"D:\\p");
  counts.erase(std::unique(counts.begin(), counts.end()), counts.end());
  EXPECT_EQ(counts, (std::vector<Text>{u"", u"1", u"2", u"3"}));
}

TEST_F(Folder, ALargeFolderCostsNoListingOrRedrawPerPicture) {
  AddPictures(u"D:\\p", 3000);
  fs.AddFile(u"D:\\p\\x.gif");
  LoadFrom({{u"画像のﾌｫﾙﾀﾞ", u"D:\\p"}});
  Open();
  ASSERT_EQ(Items().size(), 3001u);
  clock.step = 0.001;  // a millisecond for every file looked at
  long listings = fs.listCalls, redraws = Invalidations(Ctl::List_1);
  Press(Ctl::Img_Kind, 1);  // gif off: 3000 pictures scanned again
  EXPECT_EQ(Items().size(), 3000u);
  EXPECT_EQ(Items()[1], u"1.bmp");
  EXPECT_EQ(Caption(Ctl::lbl_Kei), u"3000");
  EXPECT_LE(fs.listCalls - listings, 11);  // the folder, 9 patterns, the names
  EXPECT_EQ(Invalidations(Ctl::List_1) - redraws, 1);
  EXPECT_GT(host.doEvents, 0);  // events still run, but not for every file
  EXPECT_LT(host.doEvents, 300);

  listings = fs.listCalls, redraws = Invalidations(Ctl::List_1);
  const long counts = Invalidations(Ctl::lbl_Kei), pumps = host.doEvents;
  Choose(u"D:\\p");
  EXPECT_EQ(Items().size(), 3000u);
  EXPECT_EQ(Caption(Ctl::lbl_Kei), u"3000");
  EXPECT_LE(fs.listCalls - listings, 10);  // 9 patterns, the names
  EXPECT_EQ(Invalidations(Ctl::List_1) - redraws, 1);
  EXPECT_LT(Invalidations(Ctl::lbl_Kei) - counts, 300);
  EXPECT_GT(host.doEvents - pumps, 1);
  EXPECT_LT(host.doEvents - pumps, 300);
}

TEST_F(Folder, ACloseRequestDuringARescanEndsIt) {
  AddPictures(u"D:\\p", 200);
  LoadFrom({{u"画像のﾌｫﾙﾀﾞ", u"D:\\p"}});
  Open();
  const int listings = fs.listCalls;
  int pumpsAtClose = -1;
  host.onDoEvents = [&] {
    // Once the rescan has started (the folder test is the first listing).
    if (fs.listCalls > listings + 1 && !dialog->Closed()) {
      pumpsAtClose = host.doEvents;
      dialog->CloseRequested();
    }
  };
  Press(Ctl::Img_Kind, 2);
  EXPECT_TRUE(dialog->Closed());
  EXPECT_EQ(host.doEvents, pumpsAtClose);  // nothing more ran
  EXPECT_EQ(fs.listCalls, listings + 4);   // the folder and the three kinds on, once each
  EXPECT_EQ(Items().size(), 200u);
}

TEST_F(Folder, EventsKeepRunningPastMidnight) {
  AddPictures(u"D:\\p", 4);
  Open();
  clock.now = 86400 - 0.35;
  std::vector<double> times;
  host.onDoEvents = [&] { times.push_back(clock.now); };
  Choose(u"D:\\p");  // 12 files looked at, 100 ms apart
  EXPECT_GE(std::count_if(times.begin(), times.end(), [](double t) { return t < 1; }), 8);
}

TEST_F(Folder, AKindSwitchWithoutAUsableFolderOnlyTogglesTheFlag) {
  fs.AddFile(u"C:\\pics\\a.bmp");
  Open();
  const int listings = fs.listCalls;
  Press(Ctl::Img_Kind, 0);
  EXPECT_EQ(app.settings.KindOn[0], 0);
  EXPECT_EQ(Picture(Ctl::Img_Kind, 0), Artwork::kKindOff);
  EXPECT_EQ(fs.listCalls, listings);

  Choose(u"C:\\pics");
  Press(Ctl::Img_Kind, 0);
  ASSERT_EQ(Items(), std::vector<Text>{u"a.bmp"});
  fs.Remove(u"C:\\pics");  // the folder goes away: the list and count stay as they were
  Press(Ctl::Img_Kind, 0);
  EXPECT_EQ(app.settings.KindOn[0], 0);
  EXPECT_EQ(Items(), std::vector<Text>{u"a.bmp"});
  EXPECT_EQ(Caption(Ctl::lbl_Kei), u"1");
}

TEST_F(Folder, CancellingTheBrowserKeepsTheFolderItsListAndCount) {
  fs.AddFile(u"C:\\pics\\a.bmp");
  Open();
  Choose(u"C:\\pics");
  host.folderAnswers.push_back(std::nullopt);
  Click(0);
  EXPECT_EQ(host.prompts.size(), 2u);
  EXPECT_EQ(Caption(Ctl::Folder_Path), u"C:\\pics");
  EXPECT_EQ(Items(), std::vector<Text>{u"a.bmp"});
  EXPECT_EQ(Caption(Ctl::lbl_Kei), u"1");
}

TEST_F(Folder, ADriveRootKeepsItsBackslashAndThePathsDoubleIt) {
  fs.AddFile(u"D:\\a.bmp");
  Open();
  Choose(u"D:\\");
  EXPECT_EQ(Caption(Ctl::Folder_Path), u"D:\\");
  EXPECT_EQ(dialog->FoundFiles(), std::vector<Text>{u"D:\\\\a.bmp"});
  EXPECT_EQ(Items(), std::vector<Text>{u"a.bmp"});
  Click(2);
  EXPECT_TRUE(SavedLine(u"画像のﾌｫﾙﾀﾞ=D:\\\r\n"));
}

TEST_F(Folder, AListingErrorIsShownOnceAndTheRestIsStillListed) {
  fs.AddFile(u"D:\\p\\a.bmp");
  fs.AddFile(u"D:\\p\\b.bmp");
  fs.AddFile(u"D:\\p\\c.gif");
  fs.failingAttributes.insert(u"D:\\p\\a.bmp");
  fs.failingAttributes.insert(u"D:\\p\\c.gif");
  Open();
  Choose(u"D:\\p");
  ASSERT_EQ(system.messages.size(), 1u);
  EXPECT_EQ(system.messages[0], kFileVanishedMessage);
  EXPECT_EQ(Items(), std::vector<Text>{u"b.bmp"});
  EXPECT_EQ(Caption(Ctl::lbl_Kei), u"1");
  // A later choice may report its own error again.
  fs.failingAttributes.clear();
  fs.listingFails = true;
  Choose(u"D:\\p");
  ASSERT_EQ(system.messages.size(), 2u);
  EXPECT_EQ(system.messages[1], kFolderUnreadableMessage);
  EXPECT_TRUE(Items().empty());
  EXPECT_EQ(Caption(Ctl::lbl_Kei), u"0");
}

TEST_F(Folder, AFolderChoiceCannotStartWhileOneIsRunning) {
  fs.AddFile(u"D:\\p\\a.bmp");
  fs.AddFile(u"D:\\p\\b.bmp");
  fs.AddFile(u"D:\\q\\z.bmp");
  Open();
  host.folderAnswers.push_back(u"D:\\p");
  host.folderAnswers.push_back(u"D:\\q");
  bool clicked = false;
  host.onDoEvents = [&] {
    if (dialog->FoundCount() == 1 && !clicked) {
      clicked = true;
      Click(0);                  // another folder choice
      Press(Ctl::Img_Kind, 0);   // a kind switch
      Click(1);                  // "ｸﾘｱ"
    }
  };
  Choose(u"D:\\p");  // answered by the first queued folder
  EXPECT_TRUE(clicked);
  EXPECT_EQ(host.prompts.size(), 1u);
  EXPECT_EQ(app.settings.KindOn[0], 1);
  EXPECT_EQ(Caption(Ctl::Folder_Path), u"D:\\p");
  EXPECT_EQ(Items(), (std::vector<Text>{u"a.bmp", u"b.bmp"}));
}

TEST_F(Folder, CancelDuringTheListingStopsIt) {
  fs.AddFile(u"D:\\p\\a.bmp");
  fs.AddFile(u"D:\\p\\b.bmp");
  Open();
  bool cancelled = false;
  host.onDoEvents = [&] {
    if (dialog->FoundCount() == 1 && !cancelled) {
      cancelled = true;
      Click(3);
    }
  };
  Choose(u"D:\\p");
  EXPECT_TRUE(dialog->Closed());
  EXPECT_EQ(dialog->FoundCount(), 1);
  EXPECT_TRUE(Items().empty());
  EXPECT_EQ(host.endDialogs, 1);
}

TEST_F(Folder, AFolderAtTheLargestCountOpensAndSwitchesKinds) {
  // 32767 pictures of one kind, one more of another. Short names and only the kinds needed
  // keep the listings quick.
  AddPictures(u"C:\\p", 32767);
  fs.AddFile(u"C:\\p\\x.gif");
  LoadFrom({{u"画像のﾌｫﾙﾀﾞ", u"C:\\p"},
            {u"画像種類_1", u"0"},
            {u"画像種類_2", u"0"},
            {u"画像種類_3", u"0"}});
  ASSERT_EQ(app.imageCount, 32767);
  Open();
  ASSERT_EQ(Items().size(), 32767u);
  EXPECT_EQ(Items().front(), u"0.bmp");
  EXPECT_EQ(Items().back(), u"9999.bmp");
  EXPECT_EQ(Caption(Ctl::lbl_Kei), u"32767");

  Press(Ctl::Img_Kind, 1);  // gif on: 32768 pictures, and the list stops where it must
  EXPECT_EQ(app.imageCount, 32767);
  ASSERT_EQ(Items().size(), 32767u);
  EXPECT_EQ(std::count(dialog->ListItems().begin(), dialog->ListItems().end(), u"x.gif"), 0);
  EXPECT_EQ(Caption(Ctl::lbl_Kei), u"32767");
}

// A folder of 32768 pictures, answered without building them one by one.
class ManyFiles : public FileSystem {
 public:
  static constexpr int kCount = 32768;
  std::optional<std::vector<Text>> ListNames(const Text& pattern, bool) override {
    std::vector<Text> names;
    if (!pattern.starts_with(u"D:\\many\\*")) return names;
    // Every kind is there in plenty; "*" lists them all.
    const Text extension = pattern.substr(9);
    for (const Text kind : {u".bmp", u".gif", u".jpg", u".wmf"}) {
      if (!extension.empty() && extension != kind) continue;
      for (int i = 0; i < kCount; ++i) names.push_back(FromUtf8(std::to_string(i)) + kind);
    }
    return names;
  }
  std::optional<uint32_t> Attributes(const Text&) override { return kAttrArchive; }
  bool CanOpenForReading(const Text&) override { return false; }
  std::optional<std::string> ReadAll(const Text&) override { return std::nullopt; }
  bool StoreFile(const Text&, std::string_view, bool) override { return false; }
};

TEST_F(Folder, TheListStopsAtTheLargestCountItCanShow) {
  ManyFiles many;
  DialogModel model(app, DialogServices{host, system, many, pictures, random, clock, store});
  model.Form_Load();
  host.folderAnswers.push_back(u"D:\\many");
  model.MouseDown({Ctl::lbl_Button, 0}, 1, 0, 5, 5);
  model.MouseUp({Ctl::lbl_Button, 0}, 1, 0, 5, 5);
  EXPECT_EQ(model.FoundCount(), 32767);
  ASSERT_EQ(model.ListItems().size(), 32767u);
  EXPECT_EQ(model.ListItems().back(), u"32766.bmp");
  EXPECT_EQ(model.State({Ctl::lbl_Kei, 0}).caption, u"32767");
  ASSERT_EQ(system.messages.size(), 1u);  // not one for every further file or pattern
  EXPECT_EQ(system.messages[0], kTooManyFilesMessage);
}

}  // namespace
}  // namespace orv::test
