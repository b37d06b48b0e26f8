// Music source, track box and music file.
#include "dialog_fixture.h"

namespace orv::test {
namespace {

using Music = DialogTest;

TEST(FormatTrackTest, ZeroIsEmptyOthersAreTheirDigits) {
  EXPECT_EQ(FormatTrack(0), u"");
  EXPECT_EQ(FormatTrack(7), u"7");
  EXPECT_EQ(FormatTrack(30), u"30");
  EXPECT_EQ(FormatTrack(-3), u"-3");
}

TEST_F(Music, TheTrackBoxHoldsThirtyOneItemsAndTheStoredTrack) {
  LoadFrom({{u"BGM区分", u"1"}, {u"BGMﾘﾋﾟｰﾄ", u"7"}});
  Open();
  const auto& items = dialog->ComboItems();
  ASSERT_EQ(items.size(), 31u);
  EXPECT_EQ(items[0], u"");
  EXPECT_EQ(items[1], u"1");
  EXPECT_EQ(items[30], u"30");
  EXPECT_EQ(dialog->ComboText(), u"7");
  EXPECT_TRUE(dialog->State({Ctl::BGM_Repeat, 0}).enabled);
  EXPECT_FALSE(dialog->State({Ctl::lbl_Button, 4}).enabled);
  EXPECT_EQ(Picture(Ctl::Img_BGM, 1), Artwork::kOptionOn);
  dialog->BGM_Repeat_Click(12);
  EXPECT_EQ(dialog->ComboText(), u"12");
  Click(2);
  EXPECT_TRUE(SavedLine(u"BGM区分= 1\r\nBGMﾘﾋﾟｰﾄ= 12\r\n"));
}

TEST_F(Music, SavingTheTrackTextStoresItsNumberOrZero) {
  const std::pair<const char16_t*, const char16_t*> cases[] = {
      {u"", u"BGMﾘﾋﾟｰﾄ= 0\r\n"}, {u"abc", u"BGMﾘﾋﾟｰﾄ= 0\r\n"}, {u"3", u"BGMﾘﾋﾟｰﾄ= 3\r\n"}};
  for (const auto& [text, line] : cases) {
    LoadFrom({{u"BGMﾘﾋﾟｰﾄ", u"5"}});
    Open();
    dialog->BGM_Repeat_Change(text);
    Click(2);
    const std::string file = SavedFile();
    EXPECT_NE(file.find(Sjis(line)), std::string::npos) << ToUtf8(text);
    // The bytes themselves: the key in code page 932 (half-width katakana are one byte).
    EXPECT_NE(file.find(std::string("BGM\xD8\xCB\xDF\xB0\xC4=")), std::string::npos);
  }
}

TEST_F(Music, ChoosingTheCdByItsCaptionWorksLikeItsMark) {
  LoadWithoutFile();
  Open();
  Press(Ctl::lbl_BGM, 1);
  EXPECT_EQ(app.settings.BgmMode, 1);
  EXPECT_TRUE(dialog->State({Ctl::BGM_Repeat, 0}).enabled);
  EXPECT_FALSE(dialog->State({Ctl::lbl_Button, 4}).enabled);
  EXPECT_EQ(Picture(Ctl::Img_BGM, 0), Artwork::kOptionOff);
  EXPECT_EQ(Picture(Ctl::Img_BGM, 1), Artwork::kOptionOn);
  Press(Ctl::Img_BGM, 2, 4);  // the middle button acts too
  EXPECT_EQ(app.settings.BgmMode, 2);
  EXPECT_FALSE(dialog->State({Ctl::BGM_Repeat, 0}).enabled);
  EXPECT_TRUE(dialog->State({Ctl::lbl_Button, 4}).enabled);
  Press(Ctl::lbl_BGM, 0);
  EXPECT_EQ(app.settings.BgmMode, 0);
  EXPECT_FALSE(dialog->State({Ctl::BGM_Repeat, 0}).enabled);
  EXPECT_FALSE(dialog->State({Ctl::lbl_Button, 4}).enabled);
  EXPECT_EQ(Picture(Ctl::Img_BGM, 0), Artwork::kOptionOn);
  EXPECT_EQ(Picture(Ctl::Img_BGM, 2), Artwork::kOptionOff);
}

TEST_F(Music, TheFileButtonAsksForAMusicFileAndShowsItsPath) {
  fs.AddFile(u"C:\\music\\old.mp3");
  LoadFrom({{u"BGM区分", u"2"}, {u"BGMﾌｧｲﾙ", u"C:\\music\\old.mp3"}});
  Open();
  EXPECT_EQ(Caption(Ctl::lbl_Fname), u"C:\\music\\old.mp3");
  ASSERT_TRUE(dialog->State({Ctl::lbl_Button, 4}).enabled);
  host.fileAnswers.push_back(std::nullopt);
  Click(4);
  ASSERT_EQ(host.fileRequests.size(), 1u);
  EXPECT_EQ(host.fileRequests[0].filterDescription, u"BGMﾌｧｲﾙ (MP3 WAV)");
  EXPECT_EQ(host.fileRequests[0].filterPattern, u"*.MP3;*.WAV");
  EXPECT_EQ(host.fileRequests[0].title, u"ﾌｧｲﾙを開く");
  EXPECT_EQ(app.settings.BgmFile, u"C:\\music\\old.mp3");  // cancelled: unchanged
  host.fileAnswers.push_back(u"D:\\Songs\\とても長い名前の曲.wav");
  Click(4);
  EXPECT_EQ(app.settings.BgmFile, u"D:\\Songs\\とても長い名前の曲.wav");
  EXPECT_EQ(Caption(Ctl::lbl_Fname), u"D:\\Songs\\とても長い名前の曲.wav");
  EXPECT_EQ(app.settings.BgmMode, 2);
}

TEST_F(Music, AStoredSourceOutsideTheThreeMarksNone) {
  LoadFrom({{u"BGM区分", u"3"}});
  Open();
  for (int16_t i = 0; i < 3; ++i) EXPECT_EQ(Picture(Ctl::Img_BGM, i), Artwork::kOptionOff);
  EXPECT_FALSE(dialog->State({Ctl::BGM_Repeat, 0}).enabled);
  EXPECT_FALSE(dialog->State({Ctl::lbl_Button, 4}).enabled);
}

}  // namespace
}  // namespace orv::test
