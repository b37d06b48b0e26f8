// Option pairs and sliders.
#include "dialog_fixture.h"

namespace orv::test {
namespace {

class Sliders : public DialogTest {
 protected:
  Sliders() {
    LoadWithoutFile();
    Open();
  }
};

TEST_F(Sliders, RangesStepsAndDesignPositions) {
  struct Expect {
    ControlId id;
    int16_t min, max, small, large;
  };
  const Expect table[] = {{{Ctl::HS_Interval, 0}, 10, 60, 1, 10}, {{Ctl::HS, 0}, 10, 200, 1, 1},
                          {{Ctl::HS, 1}, 0, 50, 1, 1},           {{Ctl::HS, 2}, 5, 40, 1, 1},
                          {{Ctl::HS, 3}, 10, 100, 1, 1},         {{Ctl::HS, 4}, 20, 50, 1, 1},
                          {{Ctl::HS, 5}, 1, 100, 1, 1}};
  for (const Expect& e : table) {
    const SliderState& s = dialog->Slider(e.id);
    EXPECT_EQ(s.min, e.min);
    EXPECT_EQ(s.max, e.max);
    EXPECT_EQ(s.smallChange, e.small);
    EXPECT_EQ(s.largeChange, e.large);
  }
}

TEST_F(Sliders, TheIntervalMovesByTenInTheTrackAndByOneWithTheArrows) {
  dialog->SliderAction({Ctl::HS_Interval, 0}, ScrollAction::kPageRight);
  EXPECT_EQ(SliderValue(Ctl::HS_Interval), 20);
  EXPECT_EQ(Caption(Ctl::lbl_Sec), u"20");
  dialog->SliderAction({Ctl::HS_Interval, 0}, ScrollAction::kPageLeft);
  dialog->SliderAction({Ctl::HS_Interval, 0}, ScrollAction::kLineRight);
  EXPECT_EQ(SliderValue(Ctl::HS_Interval), 11);
  EXPECT_EQ(Caption(Ctl::lbl_Sec), u"11");
  for (int i = 0; i < 10; ++i) {
    dialog->SliderAction({Ctl::HS_Interval, 0}, ScrollAction::kPageRight);
  }
  EXPECT_EQ(SliderValue(Ctl::HS_Interval), 60);  // held at the end
  dialog->SliderAction({Ctl::HS, 3}, ScrollAction::kPageLeft);
  EXPECT_EQ(SliderValue(Ctl::HS, 3), 49);
  dialog->SliderAction({Ctl::HS, 3}, ScrollAction::kLineRight);
  dialog->SliderAction({Ctl::HS, 3}, ScrollAction::kLineRight);
  EXPECT_EQ(Caption(Ctl::lbl_Value, 3), u"51");
  Click(2);
  EXPECT_TRUE(SavedLine(u"ｲﾝﾀｰﾊﾞﾙ= 60\r\n"));
  EXPECT_TRUE(SavedLine(u"拡散度= 51\r\n"));
}

TEST_F(Sliders, TheValueFollowsTheThumbWhileItIsDragged) {
  std::vector<Text> seen;
  for (const int32_t thumb : {150, 120, 90, 5000}) {
    dialog->SliderAction({Ctl::HS, 0}, ScrollAction::kThumbTrack, thumb);
    seen.push_back(Caption(Ctl::lbl_Value, 0));
  }
  EXPECT_EQ(seen, (std::vector<Text>{u"150", u"120", u"90", u"200"}));
  dialog->SliderAction({Ctl::HS, 0}, ScrollAction::kThumbPosition, 44);
  dialog->SliderAction({Ctl::HS, 0}, ScrollAction::kEndScroll);
  EXPECT_EQ(SliderValue(Ctl::HS, 0), 44);
  EXPECT_EQ(Caption(Ctl::lbl_Value, 0), u"44");
}

TEST_F(Sliders, AProgramSetValueOutsideTheRangeIsRefused) {
  EXPECT_FALSE(dialog->SetSliderValue({Ctl::HS, 4}, 19));
  EXPECT_FALSE(dialog->SetSliderValue({Ctl::HS, 4}, 51));
  EXPECT_EQ(SliderValue(Ctl::HS, 4), 35);
  EXPECT_TRUE(dialog->SetSliderValue({Ctl::HS, 4}, 50));
  EXPECT_EQ(Caption(Ctl::lbl_Value, 4), u"50");
  EXPECT_FALSE(dialog->SetSliderValue({Ctl::HS, 6}, 20));
}

TEST_F(Sliders, OptionMarksSwapOnAnyButtonAndWriteTheVariableAtOnce) {
  Press(Ctl::lbl_Rdm_Seq, 1, 2);  // right button on "ﾗﾝﾀﾞﾑ"
  EXPECT_EQ(Picture(Ctl::Img_SR, 1), Artwork::kOptionOn);
  EXPECT_EQ(Picture(Ctl::Img_SR, 0), Artwork::kOptionOff);
  EXPECT_EQ(app.settings.ChangeMode, 1);
  Press(Ctl::Img_Size, 0);
  EXPECT_EQ(Picture(Ctl::Img_Size, 0), Artwork::kOptionOn);
  EXPECT_EQ(Picture(Ctl::Img_Size, 1), Artwork::kOptionOff);
  EXPECT_EQ(app.settings.SizeMode, 0);
  Press(Ctl::lbl_Size, 0);  // the chosen one again: nothing changes
  EXPECT_EQ(app.settings.SizeMode, 0);
  EXPECT_EQ(Picture(Ctl::Img_Size, 0), Artwork::kOptionOn);
  Click(2);
  EXPECT_TRUE(SavedLine(u"画像ﾁｪﾝｼﾞ= 1\r\n画像のｻｲｽﾞ= 0\r\n"));
}

}  // namespace
}  // namespace orv::test
