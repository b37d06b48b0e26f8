// The dialog's layout and the state it opens with, from various settings files.
#include <algorithm>

#include "dialog_fixture.h"

namespace orv::test {
namespace {

using Opening = DialogTest;

TEST(DialogLayoutTest, EveryControlLiesInsideItsPanel) {
  for (const ControlLayout& row : DialogLayout()) {
    if (!row.parent) {
      EXPECT_EQ(row.id, (ControlId{Ctl::Pic_C, 0}));
      continue;
    }
    const ControlLayout* parent = FindLayout(*row.parent);
    ASSERT_NE(parent, nullptr);
    EXPECT_EQ(parent->kind, ControlKind::kPanel);
    // Parents come before their children, so a window layer can create them in order.
    EXPECT_LT(parent, &row);
    EXPECT_GE(row.x, 0);
    EXPECT_GE(row.y, 0);
    EXPECT_LE(row.x + row.width, parent->width) << static_cast<int>(row.id.name) << " "
                                                << row.id.index;
    EXPECT_LE(row.y + row.height, parent->height);
  }
  const auto rows = DialogLayout();
  for (size_t i = 0; i < rows.size(); ++i) {
    for (size_t j = i + 1; j < rows.size(); ++j) EXPECT_FALSE(rows[i].id == rows[j].id);
  }
}

TEST(DialogLayoutTest, CaptionsSitAboveTheirFacesAndPlates) {
  const auto rows = DialogLayout();
  for (int16_t i = 0; i <= 5; ++i) {
    const ControlLayout* face = FindLayout({Ctl::Img_Button, i});
    const ControlLayout* caption = FindLayout({Ctl::lbl_Button, i});
    ASSERT_TRUE(face && caption);
    EXPECT_LT(face, caption);
    EXPECT_EQ(caption->align, Align::kCenter);
    EXPECT_TRUE(caption->handCursor);
    EXPECT_FALSE(face->handCursor);
  }
  EXPECT_EQ(std::count_if(rows.begin(), rows.end(),
                          [](const ControlLayout& r) { return r.id.name == Ctl::Img_H; }),
            8);
}

TEST(DialogLayoutTest, TheHandShowsOnlyOverWhatReactsToTheMouse) {
  for (const ControlId id : {ControlId{Ctl::lbl_Button, 3}, {Ctl::Img_SR, 1}, {Ctl::lbl_Rdm_Seq, 0},
                             {Ctl::Img_Size, 0}, {Ctl::lbl_Size, 1}, {Ctl::Img_Kind, 3},
                             {Ctl::lbl_Kind, 2}, {Ctl::Img_BGM, 2}, {Ctl::lbl_BGM, 1},
                             {Ctl::HS, 5}, {Ctl::HS_Interval, 0}, {Ctl::List_1, 0},
                             {Ctl::BGM_Repeat, 0}, {Ctl::lbl_URL, 0}}) {
    EXPECT_TRUE(DialogModel::ShowsHand(id)) << static_cast<int>(id.name);
  }
  for (const ControlId id : {ControlId{Ctl::Img_Button, 0}, {Ctl::lbl, 9}, {Ctl::Folder_Path, 0},
                             {Ctl::Pic_K, 0}, {Ctl::lbl_Kei, 0}, {Ctl::Pic_1, 1}}) {
    EXPECT_FALSE(DialogModel::ShowsHand(id)) << static_cast<int>(id.name);
  }
}

TEST_F(Opening, WithoutASettingsFileShowsTheDefaults) {
  LoadWithoutFile();
  Open();
  EXPECT_EQ(Picture(Ctl::Img_SR, 0), Artwork::kOptionOn);     // ｼｰｹﾝｼｬﾙ
  EXPECT_EQ(Picture(Ctl::Img_SR, 1), Artwork::kOptionOff);
  EXPECT_EQ(Picture(Ctl::Img_Size, 0), Artwork::kOptionOff);
  EXPECT_EQ(Picture(Ctl::Img_Size, 1), Artwork::kOptionOn);   // ﾌﾙｽｸﾘｰﾝ
  EXPECT_EQ(SliderValue(Ctl::HS_Interval), 10);
  EXPECT_EQ(Caption(Ctl::lbl_Sec), u"10");
  const char16_t* values[] = {u"200", u"35", u"10", u"50", u"35", u"20"};
  for (int16_t k = 0; k < 6; ++k) EXPECT_EQ(Caption(Ctl::lbl_Value, k), values[k]);
  for (int16_t k = 0; k < 4; ++k) EXPECT_EQ(Picture(Ctl::Img_Kind, k), Artwork::kKindOn);
  EXPECT_EQ(Caption(Ctl::Folder_Path), u"");
  EXPECT_EQ(Caption(Ctl::lbl_Kei), u"");
  EXPECT_EQ(Caption(Ctl::lbl_PreSize), u"");  // not the design text "9999 * 9999"
  EXPECT_TRUE(dialog->ListItems().empty());
  EXPECT_EQ(Picture(Ctl::Img_BGM, 0), Artwork::kOptionOn);
  EXPECT_EQ(Picture(Ctl::Img_BGM, 1), Artwork::kOptionOff);
  EXPECT_FALSE(dialog->State({Ctl::lbl_Button, 4}).enabled);
  EXPECT_FALSE(dialog->State({Ctl::BGM_Repeat, 0}).enabled);
  EXPECT_EQ(dialog->ComboText(), u"");
  for (int16_t i = 1; i <= 8; ++i) EXPECT_EQ(Picture(Ctl::Img_H, i), Artwork::kPlate);
  for (int16_t i = 0; i <= 5; ++i) EXPECT_EQ(Picture(Ctl::Img_Button, i), Artwork::kButtonReleased);
  EXPECT_EQ(Caption(Ctl::lbl_URL), kHomePage);
  EXPECT_EQ(dialog->UrlColour(), 0x000000u);
}

TEST_F(Opening, WindowIsCentredAndZoomsOutOfTheMousePosition) {
  LoadWithoutFile();
  host.screen = {1280, 1024};
  host.cursor = PixelPoint{500, 400};
  Open();
  // (1280 - 609) / 2 and (1024 - 560) / 2; the preview's edge is drawn before the zoom.
  ASSERT_EQ(host.calls.size(), 3u);
  EXPECT_EQ(host.calls[0], "Place 335 232 609 560");
  EXPECT_EQ(host.calls[1], "DrawEdge 100x100 5 15");
  EXPECT_EQ(host.calls[2], "ZoomOpen 500 400");
  EXPECT_EQ(host.pointers.back(), Pointer::kDefault);
  // Closing goes back to the same point, wherever the mouse is by then.
  host.cursor = PixelPoint{10, 10};
  Click(3);
  EXPECT_EQ(host.calls.end()[-2], "ZoomClose 500 400");
  EXPECT_EQ(host.calls.back(), "EndDialog");
}

TEST_F(Opening, ZoomPointFallsBackWhenTheMouseCannotBeRead) {
  LoadWithoutFile();
  host.cursor = std::nullopt;
  Open();
  EXPECT_EQ(host.calls.back(), "ZoomOpen 0 0");

  host.cursor = PixelPoint{40000, -30};  // x does not fit 16 bits and stays as it was
  Open();
  EXPECT_EQ(host.calls.back(), "ZoomOpen 0 -30");
}

TEST_F(Opening, StoredValuesOutsideTheSlidersOpenAtTheDesignPositions) {
  LoadFrom({{u"ｲﾝﾀｰﾊﾞﾙ", u"5"}, {u"速さ", u"150"}, {u"小片の数", u"70000"}, {u"重力", u"40"}});
  Open();
  EXPECT_EQ(SliderValue(Ctl::HS_Interval), 10);
  EXPECT_EQ(Caption(Ctl::lbl_Sec), u"10");
  EXPECT_EQ(SliderValue(Ctl::HS, 5), 25);  // the design position, not the default 20
  EXPECT_EQ(Caption(Ctl::lbl_Value, 5), u"25");
  EXPECT_EQ(SliderValue(Ctl::HS, 0), 200);
  EXPECT_EQ(SliderValue(Ctl::HS, 2), 40);  // the maximum itself is accepted
  Click(2);
  EXPECT_TRUE(SavedLine(u"ｲﾝﾀｰﾊﾞﾙ= 10\r\n"));
  EXPECT_TRUE(SavedLine(u"速さ= 25\r\n"));
  EXPECT_TRUE(SavedLine(u"重力= 40\r\n"));
  EXPECT_EQ(app.settings.IntervalSec, 5);  // the dialog never writes the variable
}

TEST_F(Opening, AnOrderOutsideThePairShowsNoMarkAndIsSavedBack) {
  LoadFrom({{u"画像ﾁｪﾝｼﾞ", u"2"}, {u"画像のｻｲｽﾞ", u"0"}});
  Open();
  EXPECT_EQ(Picture(Ctl::Img_SR, 0), Artwork::kNone);
  EXPECT_EQ(Picture(Ctl::Img_SR, 1), Artwork::kNone);
  EXPECT_EQ(Picture(Ctl::Img_Size, 0), Artwork::kOptionOn);
  Click(2);
  EXPECT_TRUE(SavedLine(u"画像ﾁｪﾝｼﾞ= 2\r\n"));
  EXPECT_TRUE(SavedLine(u"画像のｻｲｽﾞ= 0\r\n"));
}

TEST_F(Opening, AKindFlagOfFiveShowsNoMarkAndListsNothingOfThatKind) {
  fs.AddFile(u"C:\\pics\\a.bmp");
  fs.AddFile(u"C:\\pics\\b.gif");
  LoadFrom({{u"画像のﾌｫﾙﾀﾞ", u"C:\\pics"}, {u"画像種類_0", u"5"}});
  Open();
  EXPECT_EQ(Picture(Ctl::Img_Kind, 0), Artwork::kNone);
  EXPECT_EQ(Picture(Ctl::Img_Kind, 1), Artwork::kKindOn);
  EXPECT_EQ(dialog->ListItems(), std::vector<Text>{u"b.gif"});
  EXPECT_EQ(Caption(Ctl::lbl_Kei), u"1");
  EXPECT_EQ(Caption(Ctl::Folder_Path), u"C:\\pics");
  // One switch gives 4: still off, still no mark.
  Press(Ctl::lbl_Kind, 0);
  EXPECT_EQ(app.settings.KindOn[0], 4);
  EXPECT_EQ(Picture(Ctl::Img_Kind, 0), Artwork::kNone);
  EXPECT_EQ(dialog->ListItems(), std::vector<Text>{u"b.gif"});
  Click(2);
  EXPECT_TRUE(SavedLine(u"画像種類_0= 4\r\n"));
}

TEST_F(Opening, ListShowsTheNamesAsTheFileSystemStoresThem) {
  fs.AddFile(u"C:\\pics\\Sunset.JPG");
  fs.AddFile(u"C:\\pics\\a.bmp");
  LoadFrom({{u"画像のﾌｫﾙﾀﾞ", u"C:\\pics"}});
  ASSERT_EQ(app.imageList[2], u"C:\\pics\\a.bmp");
  app.imageList[2] = u"C:\\PICS\\A.BMP";  // however the path is spelt, the stored name shows
  Open();
  EXPECT_EQ(dialog->ListItems(), (std::vector<Text>{u"Sunset.JPG", u"a.bmp"}));
  EXPECT_EQ(Caption(Ctl::lbl_Kei), u"2");
}

TEST_F(Opening, PanelsAreTiledWithTheTexture) {
  Surface tile(kTextureWidth, kTextureHeight);
  for (int y = 0; y < tile.Height(); ++y) {
    for (int x = 0; x < tile.Width(); ++x) tile.SetPixel(x, y, static_cast<uint32_t>(x * 64 + y));
  }
  texture = &tile;
  LoadWithoutFile();
  Open();
  for (const ControlId panel : {ControlId{Ctl::Pic_C, 0}, {Ctl::Pic_1, 0}, {Ctl::Pic_1, 1},
                                {Ctl::Pic_1, 2}}) {
    const Surface& s = dialog->PanelSurface(panel);
    ASSERT_EQ(s.Width(), FindLayout(panel)->width);
    ASSERT_EQ(s.Height(), FindLayout(panel)->height);
    for (int y = 0; y < s.Height(); y += 7) {
      for (int x = 0; x < s.Width(); x += 13) {
        ASSERT_EQ(s.Pixel(x, y), tile.Pixel(x % kTextureWidth, y % kTextureHeight));
      }
    }
    EXPECT_EQ(s.Pixel(s.Width() - 1, s.Height() - 1),
              tile.Pixel((s.Width() - 1) % kTextureWidth, (s.Height() - 1) % kTextureHeight));
  }
}

TEST(TileBackgroundTest, CoversTheWholeSurfaceColumnByColumn) {
  Surface tile(7, 5);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) tile.SetPixel(x, y, static_cast<uint32_t>(10 * x + y + 1));
  }
  Surface target(20, 12, kRed);
  TileBackground(target, tile);
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 20; ++x) ASSERT_EQ(target.Pixel(x, y), tile.Pixel(x % 7, y % 5));
  }
  Surface untouched(4, 4, kRed);
  TileBackground(untouched, Surface());
  EXPECT_EQ(untouched.Pixel(3, 3), kRed);
}

}  // namespace
}  // namespace orv::test
