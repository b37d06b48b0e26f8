// Push buttons: faces, where a release acts, "初期値", "ｸﾘｱ", "設定" and "ｷｬﾝｾﾙ", closing.
#include <algorithm>
#include <utility>

#include "dialog_fixture.h"

namespace orv::test {
namespace {

class Buttons : public DialogTest {
 protected:
  Buttons() {
    LoadWithoutFile();
    Open();
  }
};

TEST_F(Buttons, PressShowsThePressedFaceAndReleaseTheReleasedOneBeforeTheAction) {
  dialog->MouseDown({Ctl::lbl_Button, 3}, 1, 0, 5, 5);
  EXPECT_EQ(Picture(Ctl::Img_Button, 3), Artwork::kButtonPressed);
  Artwork facePainted = Artwork::kNone;
  int endsWhenPainted = -1;
  host.onPaintNow = [&] {
    facePainted = Picture(Ctl::Img_Button, 3);
    endsWhenPainted = host.endDialogs;
  };
  dialog->MouseUp({Ctl::lbl_Button, 3}, 1, 0, 5, 5);
  EXPECT_EQ(facePainted, Artwork::kButtonReleased);
  EXPECT_EQ(endsWhenPainted, 0);
  EXPECT_EQ(host.endDialogs, 1);
  EXPECT_TRUE(dialog->Closed());
}

TEST_F(Buttons, QueuedPressesActInTheOrderTheyCameAndTheFirstCloseWins) {
  // The second button's press and release wait while the first release is handled: they
  // come with the first event pass, or once the first release has been handled.
  const auto clickWithAnotherQueued = [&](int16_t first, int16_t second) {
    bool delivered = false;
    const auto deliver = [&] {
      if (!std::exchange(delivered, true)) Click(second);
    };
    host.onDoEvents = deliver;
    Click(first);
    deliver();
  };
  clickWithAnotherQueued(3, 2);  // ｷｬﾝｾﾙ, then 設定
  EXPECT_FALSE(fs.Exists(store.BesideProgram()));
  EXPECT_EQ(host.endDialogs, 1);

  fs.Remove(store.BesideProgram());
  Open();
  clickWithAnotherQueued(2, 3);  // 設定, then ｷｬﾝｾﾙ
  EXPECT_TRUE(SavedLine(u"ｲﾝﾀｰﾊﾞﾙ= 10\r\n"));
  EXPECT_EQ(host.endDialogs, 2);
  EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "ZoomClose 500 400"), 2);
}

TEST_F(Buttons, TheReleaseActsWhereverTheMouseIsThen) {
  const std::string before = SavedFile();
  dialog->MouseDown({Ctl::lbl_Button, 3}, 1, 0, 5, 5);
  EXPECT_EQ(Picture(Ctl::Img_Button, 3), Artwork::kButtonPressed);
  dialog->MouseUp({Ctl::lbl_Button, 3}, 1, 0, 5, 200);  // far below "ｷｬﾝｾﾙ"
  EXPECT_EQ(Picture(Ctl::Img_Button, 3), Artwork::kButtonReleased);
  EXPECT_EQ(host.endDialogs, 1);
  EXPECT_EQ(SavedFile(), before);  // cancelling writes nothing
}

TEST_F(Buttons, SaveReleasedOffTheButtonStillSaves) {
  dialog->MouseDown({Ctl::lbl_Button, 2}, 1, 0, 5, 5);
  dialog->MouseUp({Ctl::lbl_Button, 2}, 1, 0, -300, -40);
  EXPECT_TRUE(SavedLine(u"ｲﾝﾀｰﾊﾞﾙ= 10\r\n"));
  EXPECT_EQ(host.endDialogs, 1);
}

TEST_F(Buttons, EveryMouseButtonActsButOnlyOncePerPress) {
  dialog->MouseDown({Ctl::lbl_Button, 2}, 2, 0, 5, 5);  // right button
  dialog->MouseDown({Ctl::lbl_Button, 2}, 1, 0, 5, 5);  // and the left one as well
  dialog->MouseUp({Ctl::lbl_Button, 2}, 2, 0, 5, 5);
  dialog->MouseUp({Ctl::lbl_Button, 2}, 1, 0, 5, 5);
  EXPECT_TRUE(SavedLine(u"ｲﾝﾀｰﾊﾞﾙ= 10\r\n"));
  EXPECT_EQ(host.endDialogs, 1);
  EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "ZoomClose 500 400"), 1);
}

TEST_F(Buttons, AReleaseWithoutAPressDoesNothing) {
  dialog->MouseUp({Ctl::lbl_Button, 3}, 1, 0, 5, 5);
  EXPECT_EQ(host.endDialogs, 0);
}

TEST_F(Buttons, DefaultsResetOnlyTheCrashSliders) {
  dialog->SliderAction({Ctl::HS_Interval, 0}, ScrollAction::kPageRight);
  const ScrollAction moves[] = {ScrollAction::kLeft, ScrollAction::kLineLeft,
                                ScrollAction::kRight, ScrollAction::kLineRight};
  for (int16_t k = 0; k < 6; ++k) dialog->SliderAction({Ctl::HS, k}, moves[k % 4]);
  Press(Ctl::Img_SR, 1);
  Click(5);
  const int16_t expected[] = {200, 35, 10, 50, 35, 20};
  const char16_t* labels[] = {u"200", u"35", u"10", u"50", u"35", u"20"};
  for (int16_t k = 0; k < 6; ++k) {
    EXPECT_EQ(SliderValue(Ctl::HS, k), expected[k]);
    EXPECT_EQ(Caption(Ctl::lbl_Value, k), labels[k]);
  }
  EXPECT_EQ(SliderValue(Ctl::HS_Interval), 20);
  EXPECT_EQ(app.settings.ChangeMode, 1);
  EXPECT_EQ(app.settings.PieceCount, 200);  // the variables are not the dialog's to change
}

TEST_F(Buttons, DefaultsAlsoFixASpeedThatOpenedAtItsDesignPosition) {
  app.settings.Speed = 150;
  Open();
  EXPECT_EQ(SliderValue(Ctl::HS, 5), 25);
  Click(5);
  EXPECT_EQ(SliderValue(Ctl::HS, 5), 20);
  EXPECT_EQ(Caption(Ctl::lbl_Value, 5), u"20");
}

TEST_F(Buttons, ClearThenSaveStoresAnEmptyFolder) {
  fs.AddFile(u"C:\\pics\\a.bmp");
  fs.AddFile(u"C:\\pics\\b.bmp");
  host.folderAnswers.push_back(u"C:\\pics");
  Click(0);
  ASSERT_EQ(Caption(Ctl::lbl_Kei), u"2");
  Click(1);
  EXPECT_TRUE(dialog->ListItems().empty());
  EXPECT_EQ(Caption(Ctl::Folder_Path), u"");
  EXPECT_EQ(Caption(Ctl::lbl_Kei), u"");  // empty, not "0"
  Click(2);
  EXPECT_TRUE(SavedLine(u"[Section]\r\n画像ﾁｪﾝｼﾞ= 0\r\n画像のｻｲｽﾞ= 1\r\nｲﾝﾀｰﾊﾞﾙ= 10\r\n画像のﾌｫﾙﾀﾞ=\r\n"));
  EXPECT_EQ(app.settings.ImageFolder, u"");
}

TEST_F(Buttons, CancelAndTheSystemCloseLeaveTheFileAlone) {
  fs.StoreFile(store.BesideProgram(), "[Section]\r\nx=1\r\n", false);
  Press(Ctl::lbl_Rdm_Seq, 1, 2);
  EXPECT_EQ(app.settings.ChangeMode, 1);
  Click(3);
  EXPECT_EQ(SavedFile(), "[Section]\r\nx=1\r\n");
  EXPECT_EQ(host.calls.end()[-2], "ZoomClose 500 400");
  EXPECT_EQ(host.calls.back(), "EndDialog");

  Open();
  dialog->CloseRequested();
  dialog->CloseRequested();
  EXPECT_EQ(SavedFile(), "[Section]\r\nx=1\r\n");
  EXPECT_EQ(host.endDialogs, 2);  // once for each dialog
  // A closed dialog takes no more clicks.
  Click(2);
  EXPECT_EQ(SavedFile(), "[Section]\r\nx=1\r\n");
}

TEST_F(Buttons, ASaveThatFailsSaysSoAndKeepsTheDialogOpen) {
  fs.unwritableFolders.insert(u"C:\\Program");
  Press(Ctl::Img_SR, 1);
  Click(2);
  ASSERT_EQ(system.messages.size(), 1u);
  EXPECT_EQ(system.messages[0], kSaveFailedMessage);
  EXPECT_FALSE(dialog->Closed());
  EXPECT_EQ(host.endDialogs, 0);
  EXPECT_FALSE(fs.Exists(store.BesideProgram()));
  // The user makes the folder writable and tries again.
  fs.unwritableFolders.clear();
  Click(2);
  EXPECT_EQ(system.messages.size(), 1u);
  EXPECT_TRUE(dialog->Closed());
  EXPECT_TRUE(SavedLine(u"画像ﾁｪﾝｼﾞ= 1\r\n"));
}

TEST_F(Buttons, TheDisabledFileButtonTakesNoPress) {
  ASSERT_FALSE(dialog->State({Ctl::lbl_Button, 4}).enabled);
  dialog->MouseDown({Ctl::lbl_Button, 4}, 1, 0, 5, 5);
  EXPECT_EQ(Picture(Ctl::Img_Button, 4), Artwork::kButtonReleased);
  dialog->MouseUp({Ctl::lbl_Button, 4}, 1, 0, 5, 5);
  EXPECT_TRUE(host.fileRequests.empty());
}

TEST_F(Buttons, TheLinkOpensTheHomePageOnTheReleaseOfAPress) {
  dialog->MouseDown({Ctl::lbl_URL, 0}, 1, 0, 3, 3);
  dialog->MouseUp({Ctl::lbl_URL, 0}, 1, 0, 3, 40);
  ASSERT_EQ(host.opened.size(), 1u);
  EXPECT_EQ(host.opened[0], kHomePage);
  dialog->MouseUp({Ctl::lbl_URL, 0}, 1, 0, 3, 3);  // no press before it
  EXPECT_EQ(host.opened.size(), 1u);
}

}  // namespace
}  // namespace orv::test
