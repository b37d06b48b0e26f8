// The dialog by keyboard: the focus order, arrows, space, enter and escape.
#include "dialog/dialog_canvas.h"
#include "dialog_fixture.h"

namespace orv::test {
namespace {

class Keys : public DialogTest {
 protected:
  void Key(DialogKey key, int times = 1) {
    for (int i = 0; i < times; ++i) dialog->KeyDown(key);
  }
};

TEST_F(Keys, TabVisitsEveryControlInReadingOrderArrowsMoveSpacePressesEnterSaves) {
  Start();
  EXPECT_FALSE(FocusRingRect(*dialog));
  const ControlId order[] = {
      {Ctl::List_1, 0},   {Ctl::lbl_Kind, 0},   {Ctl::lbl_Kind, 1},    {Ctl::lbl_Kind, 2},
      {Ctl::lbl_Kind, 3}, {Ctl::lbl_Button, 1}, {Ctl::lbl_Rdm_Seq, 0}, {Ctl::HS_Interval, 0},
      {Ctl::lbl_Size, 1}, {Ctl::lbl_Button, 5}, {Ctl::HS, 0},          {Ctl::HS, 1},
      {Ctl::HS, 2},       {Ctl::HS, 3},         {Ctl::HS, 4},          {Ctl::HS, 5},
      {Ctl::lbl_BGM, 0},  {Ctl::lbl_Button, 2}, {Ctl::lbl_Button, 3},  {Ctl::lbl_Button, 0}};
  for (const ControlId& expected : order) {
    Key(DialogKey::kTab);
    EXPECT_EQ(dialog->Focus(), expected) << int(expected.name) << " " << expected.index;
  }
  Key(DialogKey::kBackTab);
  const auto ring = FocusRingRect(*dialog);  // inside the face of ｷｬﾝｾﾙ (492, 492)
  ASSERT_TRUE(ring);
  EXPECT_EQ(std::tuple(ring->x, ring->y, ring->width, ring->height), std::tuple(495, 495, 89, 16));
  // Music from a file: the file button joins the order after the options.
  Key(DialogKey::kBackTab, 2);
  Key(DialogKey::kDown);
  EXPECT_EQ(app.settings.BgmMode, 2);
  Key(DialogKey::kTab);
  EXPECT_EQ(dialog->Focus(), (ControlId{Ctl::lbl_Button, 4}));

  Key(DialogKey::kTab, 10);  // the order options: arrows go round
  ASSERT_EQ(dialog->Focus(), (ControlId{Ctl::lbl_Rdm_Seq, 0}));
  Key(DialogKey::kRight);
  EXPECT_EQ(Marks().substr(0, 2), "01");
  Key(DialogKey::kDown);
  EXPECT_EQ(app.settings.ChangeMode, 0);
  Key(DialogKey::kTab);  // the interval, at 10
  const SliderState& interval = dialog->Slider({Ctl::HS_Interval, 0});
  const std::pair<DialogKey, int> moves[] = {
      {DialogKey::kRight, 11}, {DialogKey::kPageDown, 21}, {DialogKey::kLeft, 20},
      {DialogKey::kPageUp, 10}, {DialogKey::kEnd, interval.max}, {DialogKey::kHome, interval.min}};
  for (const auto& [key, value] : moves) {
    Key(key);
    EXPECT_EQ(interval.value, value) << int(key);
  }
  Key(DialogKey::kBackTab, 4);  // the *.jpg switch
  Key(DialogKey::kSpace);
  EXPECT_EQ(app.settings.KindOn[2], 0);
  Press(Ctl::Img_Size, 0);  // a click moves the focus to what it chose
  EXPECT_EQ(dialog->Focus(), (ControlId{Ctl::lbl_Size, 0}));
  // Escape closes without saving, Enter saves and closes.
  for (const DialogKey close : {DialogKey::kEscape, DialogKey::kEnter}) {
    Open();
    Key(close);
    EXPECT_EQ(fs.Exists(store.BesideProgram()), close == DialogKey::kEnter);
    EXPECT_FALSE(dialog->KeyDown(DialogKey::kEnter));  // closed
  }
}

}  // namespace
}  // namespace orv::test
