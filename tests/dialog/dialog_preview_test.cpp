// The preview of the selected picture: size text, fit into 100 x 100, stretch and edge.
#include "dialog_fixture.h"

namespace orv::test {
namespace {

// Left half red, right half blue.
Surface TwoColours(int w, int h) {
  Surface s(w, h, 0x0000FF);
  s.FillBox(0, 0, w / 2 - 1, h - 1, kRed);
  return s;
}

class Preview : public DialogTest {
 protected:
  Preview() {
    LoadWithoutFile();
    Open();
  }
  // Shows `name` of `folder` with a picture of w x h.
  void Show(const Text& folder, const Text& name, int w, int h) {
    fs.AddFile(folder + (folder.ends_with(u'\\') ? u"" : u"\\") + name);
    pictures.pictures[folder + u"\\" + name] = TwoColours(w, h);
    host.folderAnswers.push_back(folder);
    Click(0);
    const auto& items = dialog->ListItems();
    const auto it = std::find(items.begin(), items.end(), name);
    ASSERT_NE(it, items.end());
    dialog->ListSelect(static_cast<int32_t>(it - items.begin()));
  }
  PixelSize Shown() const {
    const ControlState& k = dialog->State({Ctl::Pic_K, 0});
    return {k.width, k.height};
  }
};

TEST(FitPreviewTest, KeepsTheShapeAndRoundsHalvesToEven) {
  const auto fit = [](int w, int h) {
    const PixelSize s = FitPreview(w, h);
    return std::pair{s.width, s.height};
  };
  EXPECT_EQ(fit(640, 480), std::pair(100, 75));
  EXPECT_EQ(fit(480, 640), std::pair(75, 100));
  EXPECT_EQ(fit(300, 300), std::pair(100, 100));
  EXPECT_EQ(fit(50, 20), std::pair(100, 40));    // small pictures are enlarged
  EXPECT_EQ(fit(200, 125), std::pair(100, 62));  // 62.5
  EXPECT_EQ(fit(200, 75), std::pair(100, 38));   // 37.5
  EXPECT_EQ(fit(3, 2), std::pair(100, 67));
  EXPECT_EQ(fit(5000, 1), std::pair(100, 1));    // 0.02 still shows as a line
  EXPECT_EQ(fit(0, 10), std::pair(0, 0));
}

TEST_F(Preview, ALandscapePictureShowsItsSizeAndA100By75Preview) {
  Show(u"C:\\pics", u"a.bmp", 640, 480);
  EXPECT_EQ(pictures.asked.back(), u"C:\\pics\\a.bmp");
  EXPECT_EQ(Caption(Ctl::lbl_PreSize), u"640 * 480");
  EXPECT_EQ(Shown().width, 100);
  EXPECT_EQ(Shown().height, 75);
  const Surface& s = dialog->PreviewSurface();
  ASSERT_EQ(s.Width(), 100);
  ASSERT_EQ(s.Height(), 75);
  EXPECT_EQ(s.Pixel(20, 30), kRed);
  EXPECT_EQ(s.Pixel(80, 30), 0x0000FFu);
  EXPECT_EQ(host.edges.back(), (EdgeRect{0, 0, 100, 75}));
  EXPECT_EQ(host.calls.back(), "DrawEdge 100x75 5 15");
  EXPECT_EQ(s.Pixel(0, 0), kWhite);  // the edge lies in the surface itself
  EXPECT_TRUE(dialog->State({Ctl::Pic_K, 0}).visible);
  EXPECT_EQ(host.pointers.end()[-2], Pointer::kHourglass);
  EXPECT_EQ(host.pointers.back(), Pointer::kDefault);
}

TEST_F(Preview, UprightSquareAndSmallPicturesFitTheBox) {
  Show(u"C:\\pics", u"up.bmp", 480, 640);
  EXPECT_EQ(Shown().width, 75);
  EXPECT_EQ(Shown().height, 100);
  Show(u"C:\\pics", u"sq.bmp", 300, 300);
  EXPECT_EQ(Shown().width, 100);
  EXPECT_EQ(Shown().height, 100);
  Show(u"C:\\pics", u"small.bmp", 50, 20);
  EXPECT_EQ(Caption(Ctl::lbl_PreSize), u"50 * 20");
  EXPECT_EQ(Shown().width, 100);
  EXPECT_EQ(Shown().height, 40);
  // Enlarged column by column with no blending: the halves stay pure.
  const Surface& s = dialog->PreviewSurface();
  EXPECT_EQ(s.Pixel(49, 20), kRed);
  EXPECT_EQ(s.Pixel(50, 20), 0x0000FFu);
}

TEST_F(Preview, ADriveRootGivesAPathWithTwoBackslashes) {
  Show(u"D:\\", u"r.bmp", 10, 10);
  EXPECT_EQ(pictures.asked.back(), u"D:\\\\r.bmp");
}

TEST_F(Preview, APictureThatCannotBeLoadedShowsAnEmptyPreviewNotThePreviousOne) {
  Show(u"C:\\pics", u"a.bmp", 640, 480);
  fs.AddFile(u"C:\\pics\\broken.bmp");
  host.folderAnswers.push_back(u"C:\\pics");
  Click(0);
  ASSERT_EQ(dialog->ListItems().size(), 2u);
  dialog->ListSelect(1);  // broken.bmp comes after a.bmp in listing order
  EXPECT_EQ(pictures.asked.back(), u"C:\\pics\\broken.bmp");
  EXPECT_EQ(Caption(Ctl::lbl_PreSize), u"");
  EXPECT_EQ(Shown().width, 100);
  EXPECT_EQ(Shown().height, 100);
  const Surface& s = dialog->PreviewSurface();
  EXPECT_EQ(s.Pixel(50, 50), kPreviewBackground);
  EXPECT_TRUE(system.messages.empty());
  EXPECT_EQ(host.pointers.back(), Pointer::kDefault);
}

TEST_F(Preview, NothingSelectedDoesNothing) {
  dialog->ListSelect(-1);
  dialog->ListSelect(3);  // beyond the (empty) list
  dialog->List_1_Click();
  EXPECT_TRUE(pictures.asked.empty());
  EXPECT_EQ(dialog->ListIndex(), -1);
}

}  // namespace
}  // namespace orv::test
