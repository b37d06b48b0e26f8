// The dialog by keyboard, what its preview area says without a picture, where its choosers
// open, and the link to the README beside the program.
#include "dialog_fixture.h"
#include "dialog/dialog_canvas.h"

namespace orv::test {
namespace {

// Records where the folder browser was asked to open.
class StartingHost : public FakeDialogHost {
 public:
  std::vector<Text> starts;
  std::optional<Text> BrowseForFolderFrom(const Text& prompt, const Text& start) override {
    starts.push_back(start);
    return BrowseForFolder(prompt);
  }
};

class Keys : public DialogTest {
 protected:
  DialogModel& OpenWith(StartingHost& h) {
    dialog = std::make_unique<DialogModel>(
        app, DialogServices{h, system, fs, pictures, random, clock, store, texture});
    dialog->Form_Load();
    return *dialog;
  }
  void Key(DialogKey key, int times = 1) {
    for (int i = 0; i < times; ++i) dialog->KeyDown(key);
  }
  ControlId Focus() const { return dialog->Focus(); }
};

TEST_F(Keys, TabAndShiftTabVisitEveryControlInReadingOrderAndShowTheFocus) {
  LoadWithoutFile();
  Open();
  EXPECT_FALSE(dialog->FocusShown());
  EXPECT_FALSE(FocusRingRect(*dialog));
  const std::vector<ControlId> order = {
      {Ctl::List_1, 0},      {Ctl::lbl_Kind, 0},  {Ctl::lbl_Kind, 1},    {Ctl::lbl_Kind, 2},
      {Ctl::lbl_Kind, 3},    {Ctl::lbl_Button, 1}, {Ctl::lbl_Rdm_Seq, 0}, {Ctl::HS_Interval, 0},
      {Ctl::lbl_Size, 1},    {Ctl::lbl_Button, 5}, {Ctl::HS, 0},          {Ctl::HS, 1},
      {Ctl::HS, 2},          {Ctl::HS, 3},         {Ctl::HS, 4},          {Ctl::HS, 5},
      {Ctl::lbl_BGM, 0},     {Ctl::lbl_Button, 2}, {Ctl::lbl_Button, 3},  {Ctl::lbl_Button, 0}};
  for (const ControlId& expected : order) {
    Key(DialogKey::kTab);
    EXPECT_EQ(Focus(), expected) << int(expected.name) << " " << expected.index;
  }
  Key(DialogKey::kBackTab);
  EXPECT_EQ(Focus(), (ControlId{Ctl::lbl_Button, 3}));
  const auto ring = FocusRingRect(*dialog);  // inside the face of ｷｬﾝｾﾙ (492, 492)
  ASSERT_TRUE(ring);
  EXPECT_EQ(std::tuple(ring->x, ring->y, ring->width, ring->height), std::tuple(495, 495, 89, 16));
  // Music from a file: the file button joins the order after the options.
  Key(DialogKey::kBackTab, 2);
  ASSERT_EQ(Focus(), (ControlId{Ctl::lbl_BGM, 0}));
  Key(DialogKey::kDown);
  EXPECT_EQ(app.settings.BgmMode, 2);
  Key(DialogKey::kTab);
  EXPECT_EQ(Focus(), (ControlId{Ctl::lbl_Button, 4}));
}

TEST_F(Keys, ArrowsMoveOptionsAndSlidersAndSpacePresses) {
  LoadWithoutFile();
  Open();
  Key(DialogKey::kTab, 7);
  ASSERT_EQ(Focus(), (ControlId{Ctl::lbl_Rdm_Seq, 0}));
  Key(DialogKey::kRight);
  EXPECT_EQ(app.settings.ChangeMode, 1);
  EXPECT_EQ(Picture(Ctl::Img_SR, 1), Artwork::kOptionOn);
  Key(DialogKey::kDown);  // round to the first
  EXPECT_EQ(app.settings.ChangeMode, 0);
  EXPECT_EQ(Focus(), (ControlId{Ctl::lbl_Rdm_Seq, 0}));

  Key(DialogKey::kTab);  // the interval, at 10
  const SliderState& interval = dialog->Slider({Ctl::HS_Interval, 0});
  const std::pair<DialogKey, int> moves[] = {{DialogKey::kRight, 11}, {DialogKey::kPageDown, 21},
                                             {DialogKey::kLeft, 20},  {DialogKey::kPageUp, 10},
                                             {DialogKey::kEnd, interval.max},
                                             {DialogKey::kHome, interval.min}};
  for (const auto& [key, value] : moves) {
    Key(key);
    EXPECT_EQ(SliderValue(Ctl::HS_Interval), value) << int(key);
  }
  const std::string shown = std::to_string(interval.min);
  EXPECT_EQ(Caption(Ctl::lbl_Sec), Text(shown.begin(), shown.end()));

  Key(DialogKey::kBackTab, 4);  // the *.jpg switch
  ASSERT_EQ(Focus(), (ControlId{Ctl::lbl_Kind, 2}));
  Key(DialogKey::kSpace);
  EXPECT_EQ(app.settings.KindOn[2], 0);
  EXPECT_FALSE(dialog->KeyDown(DialogKey::kLeft));  // a switch has no arrows

  // A click moves the focus to what it chose.
  Press(Ctl::Img_Size, 0);
  EXPECT_EQ(Focus(), (ControlId{Ctl::lbl_Size, 0}));
  EXPECT_EQ(app.settings.SizeMode, 0);
}

TEST_F(Keys, EnterSavesAndClosesAndEscapeClosesWithoutSaving) {
  LoadWithoutFile();
  Open();
  Key(DialogKey::kTab, 7);
  Key(DialogKey::kRight);
  Key(DialogKey::kEscape);
  EXPECT_TRUE(dialog->Closed());
  EXPECT_EQ(SavedFile(), "");
  EXPECT_FALSE(dialog->KeyDown(DialogKey::kEnter));

  LoadWithoutFile();  // the order chosen before ｷｬﾝｾﾙ died with that dialog's program
  Open();
  Key(DialogKey::kTab, 7);
  Key(DialogKey::kRight);
  Key(DialogKey::kEnter);
  EXPECT_TRUE(dialog->Closed());
  EXPECT_TRUE(SavedLine(u"画像ﾁｪﾝｼﾞ= 1\r\n"));
}

TEST_F(Keys, ThePreviewSaysWhatItCannotShowAndClearsWithAnEmptyList) {
  fs.AddFolder(u"C:\\Pics");
  fs.AddFile(u"C:\\Pics\\a.bmp");
  fs.AddFile(u"C:\\Pics\\b.bmp");
  pictures.pictures[u"C:\\Pics\\b.bmp"] = Surface(40, 20, kRed);
  LoadFrom({{u"画像のﾌｫﾙﾀﾞ", u"C:\\Pics"}});
  Open();
  EXPECT_EQ(Caption(Ctl::lbl_PreNote), u"");
  dialog->ListSelect(0);
  EXPECT_EQ(Caption(Ctl::lbl_PreNote), kCannotShowNote);
  EXPECT_EQ(Caption(Ctl::lbl_PreSize), u"");
  dialog->ListSelect(1);
  EXPECT_EQ(Caption(Ctl::lbl_PreNote), u"");
  EXPECT_EQ(Caption(Ctl::lbl_PreSize), u"40 * 20");
  EXPECT_EQ(dialog->PreviewSurface().Pixel(50, 10), kRed);
  Click(1);  // ｸﾘｱ
  EXPECT_EQ(Caption(Ctl::lbl_PreNote), kNoPicturesNote);
  EXPECT_EQ(Caption(Ctl::lbl_PreSize), u"");
  EXPECT_EQ(dialog->PreviewSurface().Width(), 100);
  EXPECT_NE(dialog->PreviewSurface().Pixel(50, 50), kRed);

  // A folder without pictures says so at once.
  fs.AddFolder(u"C:\\Empty");
  host.folderAnswers.push_back(u"C:\\Empty");
  Click(0);
  EXPECT_EQ(Caption(Ctl::lbl_Kei), u"0");
  EXPECT_EQ(Caption(Ctl::lbl_PreNote), kNoPicturesNote);
}

TEST_F(Keys, ChoosersOpenAtTheCurrentFolderAndTheMusicFilesFolder) {
  fs.AddFolder(u"C:\\Pics");
  fs.AddFolder(u"C:\\Music");
  fs.AddFile(u"C:\\Music\\song.mp3");
  LoadFrom({{u"画像のﾌｫﾙﾀﾞ", u"C:\\Pics"}, {u"BGM区分", u"2"}, {u"BGMﾌｧｲﾙ", u"C:\\Music\\song.mp3"}});
  StartingHost h;
  OpenWith(h);
  Click(0);
  Click(4);
  ASSERT_EQ(h.starts.size(), 1u);
  EXPECT_EQ(h.starts[0], u"C:\\Pics");
  ASSERT_EQ(h.fileRequests.size(), 1u);
  EXPECT_EQ(h.fileRequests[0].initialFolder, u"C:\\Music");
}

TEST_F(Keys, TheLinkOpensTheReadmeBesideTheProgramAndIsGoneWithoutIt) {
  LoadWithoutFile();
  Open();
  EXPECT_FALSE(dialog->State({Ctl::lbl_URL, 0}).visible);
  dialog->MouseDown({Ctl::lbl_URL, 0}, 1, 0, 3, 3);
  dialog->MouseUp({Ctl::lbl_URL, 0}, 1, 0, 3, 3);
  EXPECT_TRUE(host.opened.empty());
  EXPECT_EQ(Caption(Ctl::lbl, 9), u"Designed by k-sorel Ver." ORVANE_VERSION_TEXT);

  fs.AddFile(u"C:\\Program\\README.txt");
  Open();
  EXPECT_TRUE(dialog->State({Ctl::lbl_URL, 0}).visible);
  EXPECT_EQ(Caption(Ctl::lbl_URL), kReadmeLink);
  Key(DialogKey::kBackTab, 3);
  ASSERT_EQ(Focus(), (ControlId{Ctl::lbl_URL, 0}));
  Key(DialogKey::kSpace);
  ASSERT_EQ(host.opened.size(), 1u);
  EXPECT_EQ(host.opened[0], u"C:\\Program\\README.txt");
}

}  // namespace
}  // namespace orv::test
