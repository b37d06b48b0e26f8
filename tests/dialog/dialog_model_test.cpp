// The dialog as the user drives it: opening and closing, push buttons, options, sliders,
// music and the preview.
#include "dialog_fixture.h"

namespace orv::test {
namespace {

using Dialog = DialogTest;

TEST_F(Dialog, OpensCentredOutOfTheMouseSwapsMarksAndClosesBackIntoIt) {
  Start();
  // (1280 - 609) / 2, (1024 - 560) / 2; the preview's edge is drawn before the zoom.
  EXPECT_EQ(host.calls, (std::vector<std::string>{"Place 335 232 609 560", "Edge 0 0 100 100 5 15",
                                                  "ZoomOpen 500 400", "Pointer 0"}));
  // Marks swap on any button, and the music source enables its control.
  Press(Ctl::lbl_Rdm_Seq, 1, 2);  // right button on "ﾗﾝﾀﾞﾑ"
  Press(Ctl::lbl_Size, 0);
  Press(Ctl::Img_Size, 0);  // the chosen one again: nothing changes
  EXPECT_EQ(Marks(), "01 10 100 1111");
  EXPECT_EQ(app.settings.ChangeMode * 10 + app.settings.SizeMode, 10);
  for (const int16_t source : {1, 2, 0}) {
    Press(source == 2 ? Ctl::Img_BGM : Ctl::lbl_BGM, source, 4);
    EXPECT_EQ(Marks().substr(6, 3), std::string("000").replace(source, 1, "1"));
    EXPECT_EQ(app.settings.BgmMode, source);
    EXPECT_EQ(dialog->State({Ctl::BGM_Repeat, 0}).enabled, source == 1);
    EXPECT_EQ(dialog->State({Ctl::lbl_Button, 4}).enabled, source == 2);
  }
  host.cursor = PixelPoint{10, 10};  // closing goes back to the point it opened from
  Click(3);
  EXPECT_EQ(host.calls.end()[-2], "ZoomClose 500 400");
  host.cursor = std::nullopt;  // unreadable: the zoom point falls back to the corner
  Open();
  EXPECT_EQ(host.calls.end()[-2], "ZoomOpen 0 0");
  host.cursor = PixelPoint{40000, -30};  // x does not fit 16 bits and stays as it was
  Open();
  EXPECT_EQ(host.calls.end()[-2], "ZoomOpen 0 -30");
}

// The settings' own tests pin the saved file; here what a press, a release and a failed save
// do to the dialog.
TEST_F(Dialog, AButtonActsOnceOnTheReleaseOfAPressAndAFailedSaveKeepsTheDialogOpen) {
  Start();
  fs.unwritableFolders.insert(u"C:\\Program");
  dialog->MouseUp({Ctl::lbl_Button, 2}, 1, 0, 5, 5);  // a release without a press
  dialog->MouseDown({Ctl::lbl_Button, 2}, 2, 0, 5, 5);  // right button
  dialog->MouseDown({Ctl::lbl_Button, 2}, 1, 0, 5, 5);  // and the left one as well
  EXPECT_EQ(Picture(Ctl::Img_Button, 2), Artwork::kButtonPressed);
  // The released face shows before the action runs.
  host.onPaintNow = [&] {
    EXPECT_EQ(Picture(Ctl::Img_Button, 2), Artwork::kButtonReleased);
    EXPECT_TRUE(system.messages.empty());
  };
  dialog->MouseUp({Ctl::lbl_Button, 2}, 2, 0, -300, -40);  // wherever the mouse is then
  dialog->MouseUp({Ctl::lbl_Button, 2}, 1, 0, 5, 5);
  EXPECT_EQ(system.messages, Texts{kSaveFailedMessage});
  EXPECT_FALSE(dialog->Closed());
  host.onPaintNow = nullptr;
  fs.unwritableFolders.clear();
  Press(Ctl::Img_SR, 1);
  Click(2);
  EXPECT_EQ(system.messages.size(), 1u);
  EXPECT_TRUE(SavedLine(u"画像ﾁｪﾝｼﾞ= 1\r\n"));
  EXPECT_EQ(host.Count("EndDialog"), 1);
}

TEST_F(Dialog, QueuedClicksActInTheOrderTheyCameAndTheFirstCloseWins) {
  Load();
  // The second click waits while the first release is handled: it comes with the first
  // event pass, or once the first release has been handled.
  for (const auto& [first, second] : {std::pair(3, 2), std::pair(2, 3)}) {
    Open();
    bool delivered = false;
    host.onDoEvents = [&] {
      if (!std::exchange(delivered, true)) Click(int16_t(second));
    };
    Click(int16_t(first));
    host.onDoEvents();
    EXPECT_EQ(fs.Exists(store.BesideProgram()), first == 2);  // ｷｬﾝｾﾙ then 設定 saves nothing
  }
  host.onDoEvents = nullptr;
  const std::string saved = fs.Content(store.BesideProgram());
  Open();  // the system's close leaves the file alone, and a closed dialog does nothing more
  Press(Ctl::lbl_Rdm_Seq, 1);
  dialog->CloseRequested();
  dialog->CloseRequested();
  Click(2);
  dialog->Form_Unload();
  EXPECT_EQ(fs.Content(store.BesideProgram()), saved);
  EXPECT_EQ(host.Count("ZoomClose 500 400"), 3);  // once for each dialog
  EXPECT_EQ(host.Count("EndDialog"), 3);
}

// Stored values the dialog cannot show open it as designed and are saved back as they were.
TEST_F(Dialog, SlidersStepByTheirOwnAmountsWithinTheirEndsAndStoredValuesOpenAsDesigned) {
  Start({{u"ｲﾝﾀｰﾊﾞﾙ", u"5"}, {u"速さ", u"150"}, {u"小片の数", u"70000"}, {u"重力", u"40"},
        {u"画像ﾁｪﾝｼﾞ", u"2"}, {u"BGM区分", u"3"}, {u"画像種類_0", u"5"}});
  // Speed at its design position 25, not its default 20; the maximum 40 is accepted.
  EXPECT_EQ(Values(), "10 | 200 35 40 50 35 25");
  EXPECT_EQ(Marks(), "-- 01 000 -111");
  Press(Ctl::lbl_Kind, 0);  // 5 switches to 4: still no mark
  EXPECT_EQ(Marks(), "-- 01 000 -111");
  const auto all = [&](ScrollAction action, int32_t thumb = 0) {
    dialog->SliderAction({Ctl::HS_Interval, 0}, action, thumb);
    for (int16_t k = 0; k < 6; ++k) dialog->SliderAction({Ctl::HS, k}, action, thumb);
    return Values();
  };
  // The interval pages by ten, the crash values by one.
  EXPECT_EQ(all(ScrollAction::kPageRight), "20 | 200 36 40 51 36 26");
  EXPECT_EQ(all(ScrollAction::kLineLeft), "19 | 199 35 39 50 35 25");
  all(ScrollAction::kLeft);
  EXPECT_EQ(all(ScrollAction::kLineLeft), "10 | 10 0 5 10 20 1");
  all(ScrollAction::kRight);
  EXPECT_EQ(all(ScrollAction::kPageRight), "60 | 200 50 40 100 50 100");
  EXPECT_EQ(all(ScrollAction::kThumbTrack, 44), "44 | 44 44 40 44 44 44");
  all(ScrollAction::kThumbPosition, 5000);
  EXPECT_EQ(all(ScrollAction::kEndScroll), "60 | 200 50 40 100 50 100");
  // A program's setting outside the range is refused.
  EXPECT_FALSE(dialog->SetSliderValue({Ctl::HS, 4}, 19) ||
               dialog->SetSliderValue({Ctl::HS, 4}, 51) ||
               dialog->SetSliderValue({Ctl::HS, 6}, 20));
  EXPECT_TRUE(dialog->SetSliderValue({Ctl::HS, 4}, 21));
  EXPECT_EQ(Values(), "60 | 200 50 40 100 21 100");
  Click(5);  // "初期値" resets the crash values only, and in the dialog only
  EXPECT_EQ(Values(), "60 | 200 35 10 50 35 20");
  EXPECT_EQ(app.settings.ChangeMode * 1000 + app.settings.Speed, 2150);
  dialog->SliderAction({Ctl::HS, 1}, ScrollAction::kLineRight);
  Click(2);
  for (const char16_t* line : {u"ｲﾝﾀｰﾊﾞﾙ= 60\r\n", u"小片の弾性= 36\r\n", u"画像ﾁｪﾝｼﾞ= 2\r\n",
                               u"画像種類_0= 4\r\n", u"BGM区分= 3\r\n"}) {
    EXPECT_TRUE(SavedLine(line)) << ToUtf8(line);
  }
  EXPECT_EQ(app.settings.IntervalSec, 5);  // the dialog never writes the variable itself
}

TEST_F(Dialog, TheTrackBoxOffersThirtyTracksAndTheFileButtonAsksForAMusicFile) {
  fs.AddFile(u"C:\\old.mp3");
  Start({{u"BGM区分", u"1"}, {u"BGMﾘﾋﾟｰﾄ", u"7"}, {u"BGMﾌｧｲﾙ", u"C:\\old.mp3"}});
  const Texts& items = dialog->ComboItems();
  ASSERT_EQ(items.size(), 31u);
  EXPECT_EQ(items[0] + u"," + items[30] + u"," + dialog->ComboText(), u",30,7");
  dialog->BGM_Repeat_Click(12);
  dialog->BGM_Repeat_Click(31);  // beyond the list
  EXPECT_EQ(dialog->ComboText(), u"12");
  dialog->BGM_Repeat_Change(u"abc");
  Click(4);  // disabled: no browser
  EXPECT_EQ(host.Count("ChooseFile"), 0);
  Press(Ctl::Img_BGM, 2);
  Click(4);  // cancelled
  EXPECT_EQ(host.fileRequest.initialFolder, u"C:\\");  // a drive's root
  EXPECT_EQ(Caption(Ctl::lbl_Fname), u"C:\\old.mp3");
  host.answers.push_back(u"D:\\曲.wav");
  Click(4);
  Click(2);
  EXPECT_TRUE(SavedLine(u"BGM区分= 2\r\nBGMﾘﾋﾟｰﾄ= 0\r\nBGMﾌｧｲﾙ=D:\\曲.wav\r\n"));
}

TEST_F(Dialog, TheLinkToTheReadmeWalksItsColourAndOpensOnTheReleaseOfAPressOrBySpace) {
  Start();  // no README beside the program: no link
  EXPECT_FALSE(dialog->State({Ctl::lbl_URL, 0}).visible);
  fs.AddFile(u"C:\\Program\\README.txt");
  Open();
  EXPECT_EQ(Caption(Ctl::lbl_URL), kReadmeLink);
  for (int i = 0; i < 3; ++i) dialog->KeyDown(DialogKey::kBackTab);
  ASSERT_EQ(dialog->Focus(), (ControlId{Ctl::lbl_URL, 0}));
  dialog->KeyDown(DialogKey::kSpace);
  EXPECT_EQ(host.Count("Open C:\\Program\\README.txt"), 1);
  EXPECT_EQ(dialog->UrlColour(), 0u);
  random.script = {0.99, 0.0, 0.0};  // red up
  host.invalidated.clear();
  dialog->Timer1_Timer();
  EXPECT_EQ(dialog->UrlColour(), 0x0A0000u);
  EXPECT_EQ(host.invalidated, (std::vector<ControlId>{{Ctl::lbl_URL, 0}}));
  dialog->Timer1_Timer();  // new directions only once every channel rests at an end
  EXPECT_EQ(dialog->UrlColour(), 0x140000u);
  dialog->MouseDown({Ctl::lbl_URL, 0}, 1, 0, 3, 3);
  dialog->MouseUp({Ctl::lbl_URL, 0}, 1, 0, 3, 40);
  dialog->MouseUp({Ctl::lbl_URL, 0}, 1, 0, 3, 3);  // no press before it
  EXPECT_EQ(host.Count("Open C:\\Program\\README.txt"), 2);
}

TEST_F(Dialog, TheSelectedPictureShowsFittedWithItsSizeAndAnEdgeOrANoteWhyNot) {
  fs.AddFile(u"C:\\pics\\a.bmp");
  fs.AddFile(u"C:\\pics\\broken.bmp");
  fs.AddFolder(u"C:\\Empty");
  Surface halves(640, 480, 0x0000FF);  // left half red, right half blue
  halves.FillBox(0, 0, 319, 479, kRed);
  pictures.pictures[u"C:\\pics\\a.bmp"] = halves;
  Start({{u"画像のﾌｫﾙﾀﾞ", u"C:\\pics"}});
  dialog->ListSelect(-1);
  dialog->ListSelect(2);  // beyond the list
  EXPECT_TRUE(pictures.loads.empty());
  dialog->ListSelect(1);  // cannot be loaded: an empty preview that says so
  EXPECT_EQ(Caption(Ctl::lbl_PreSize) + u"|" + Caption(Ctl::lbl_PreNote),
            u"|" + Text(kCannotShowNote));
  EXPECT_EQ(dialog->PreviewSurface().Pixel(50, 50), kPreviewBackground);
  host.calls.clear();
  dialog->ListSelect(0);
  EXPECT_EQ(Caption(Ctl::lbl_PreSize) + u"|" + Caption(Ctl::lbl_PreNote), u"640 * 480|");
  const ControlState& state = dialog->State({Ctl::Pic_K, 0});
  EXPECT_EQ(state.width * 1000 + state.height, 100075);
  // Halves round to even; a sliver keeps a pixel; an empty picture has no size.
  EXPECT_EQ(FitPreview(200, 125).height * 1000 + FitPreview(200, 75).height, 62038);
  EXPECT_EQ(FitPreview(1, 5000).width + FitPreview(0, 9).width + FitPreview(9, 0).height, 1);
  EXPECT_EQ(dialog->PreviewSurface().Pixel(49, 30), kRed);
  EXPECT_EQ(dialog->PreviewSurface().Pixel(50, 30), 0x0000FFu);
  EXPECT_EQ(host.calls,
            (std::vector<std::string>{"Pointer 11", "Edge 0 0 100 75 5 15", "Pointer 0"}));
  Choose(u"C:\\Empty");  // a folder without pictures says so, and the preview clears
  EXPECT_EQ(host.browsedFrom, u"C:\\pics");  // the chooser opens where the settings point
  EXPECT_EQ(Caption(Ctl::lbl_PreNote), kNoPicturesNote);
  EXPECT_NE(dialog->PreviewSurface().Pixel(50, 10), kRed);
}

}  // namespace
}  // namespace orv::test
