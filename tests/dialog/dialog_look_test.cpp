// The dialog's look: its layout, its generated pictures, how they are painted and which
// control the mouse reaches, and the focus ring.
#include "dialog/dialog_canvas.h"
#include "dialog_fixture.h"

namespace orv::test {
namespace {

TEST(DialogLayoutTest, EveryControlLiesInsideItsPanelAndMatchesTheRecordedDesign) {
  Digest d;
  for (const ControlLayout& r : DialogLayout()) {
    SCOPED_TRACE(testing::Message() << int(r.id.name) << " " << r.id.index);
    EXPECT_EQ(FindLayout(r.id), &r);  // ids are unique
    const ControlLayout* parent = r.parent ? FindLayout(*r.parent) : nullptr;
    EXPECT_EQ(!parent, &r == DialogLayout().data());  // only the client panel has none
    if (parent) {
      EXPECT_TRUE(parent->kind == ControlKind::kPanel && parent < &r);  // created before
      EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.width <= parent->width &&
                  r.y + r.height <= parent->height);
    }
    d << int(r.id.name) << r.id.index << int(r.kind) << r.x << r.y << r.width << r.height
      << (r.parent ? int(r.parent->name) * 100 + r.parent->index : -1) << int(r.align) << r.box
      << r.underline << r.handCursor << int64_t(r.background.value_or(1u << 31));
    for (const char16_t* c = r.caption; *c; ++c) d << *c;
  }
  // The layout reproduces a fixed design: moving, resizing, relabelling or restyling any
  // control changes the digest. When a change is meant, look at the dialog under Wine and
  // record the new value.
  EXPECT_EQ(d.value, 0xb202e944fb07f6c3ull) << std::hex << d.value;
  EXPECT_FALSE(DialogModel::ShowsHand({Ctl::Img_Button, 0}) || DialogModel::ShowsHand({Ctl::HS, 6}));
  EXPECT_TRUE(DialogModel::ShowsHand({Ctl::lbl_Button, 0}));
}

using Look = DialogTest;

TEST_F(Look, PaintsTheRecordedPicturesInTheirPlacesAndTheMouseReachesTheUppermostControl) {
  // Random order, no jpg, a picture selected and "初期値" held, on a canvas larger than
  // the dialog.
  fs.AddFile(u"C:\\pics\\a.bmp");
  pictures.pictures[u"C:\\pics\\a.bmp"] = Surface(640, 480, 0x3366CC);
  Load({{u"画像のﾌｫﾙﾀﾞ", u"C:\\pics"}, {u"画像ﾁｪﾝｼﾞ", u"1"}, {u"画像種類_2", u"0"}});
  const DialogArt art = MakeDialogArt();
  texture = &art.texture;
  Open();
  dialog->ListSelect(0);
  Press(Ctl::lbl_Button, 5);
  Surface canvas{kClientWidth + 6, kClientHeight + 4, 0x00FF00};
  PaintDialogPictures(canvas, *dialog, art);
  // A deliberate change of the artwork or the layout records the new value after a look
  // at the dialog.
  EXPECT_EQ((Digest() << canvas).value, 0x2876f9d63397fe6dull);
  // "ﾌｫﾙﾀﾞで指定..." at 24, 52 (28, 56 its caption) in the left panel at 12, 12.
  EXPECT_EQ(ControlAt(*dialog, 28, 56), FindLayout({Ctl::lbl_Button, 0}));  // above its face
  EXPECT_EQ(ControlAt(*dialog, 24, 52), FindLayout({Ctl::Img_Button, 0}));  // the face's rim
  EXPECT_EQ(ControlAt(*dialog, 3, 3), FindLayout({Ctl::Pic_C, 0}));
  EXPECT_EQ(ControlAt(*dialog, kClientWidth, 3), nullptr);
  // The painting tiles and draws marks within the canvas; here the edges.
  Surface target(20, 20, 0x123456);
  DrawMark(target, -6, 15, art.optionOn);  // clipped on two sides
  EXPECT_EQ(target.Pixel(0, 19), art.optionOn.Pixel(6, 4));
  EXPECT_EQ(target.Pixel(7, 19), 0x123456u);  // beside it
  TileBackground(target, Surface());
  EXPECT_EQ(target.Pixel(19, 0), 0x123456u);
}

TEST(FocusRingTest, DotsEveryOtherPixelOfItsOutlineWithinTheCanvas) {
  Surface target(6, 4, kWhite);
  DrawFocusRing(target, ClientRect{-1, 0, 5, 5});  // its left and bottom edges lie outside
  std::string rows;
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) rows += target.Pixel(x, y) == kBlack ? '#' : '.';
    rows += ' ';
  }
  EXPECT_EQ(rows, "#.#... ...#.. ...... ...#.. ");
}

}  // namespace
}  // namespace orv::test
