#include "dialog/dialog_canvas.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "images/folder_scan.h"
#include "settings/ini_document.h"
#include "settings/load_settings.h"
#include "settings/settings.h"
#include "support/fake_file_system.h"
#include "support/fake_system.h"

namespace orv {
namespace {

// A window that does nothing: the canvas only reads the dialog's state.
class QuietHost : public DialogHost {
 public:
  PixelSize ScreenSize() override { return {1024, 768}; }
  void PlaceWindow(int32_t, int32_t, int32_t, int32_t) override {}
  std::optional<PixelPoint> CursorPos() override { return PixelPoint{}; }
  void ZoomOpen(int16_t, int16_t) override {}
  void ZoomClose(int16_t, int16_t) override {}
  void DrawFrameEdge(Surface&, EdgeRect, uint32_t, uint32_t) override {}
  void DoEvents() override {}
  void PaintNow() override {}
  void SetPointer(Pointer) override {}
  std::optional<Text> BrowseForFolder(const Text&) override { return std::nullopt; }
  std::optional<Text> ChooseOpenFile(const OpenFileRequest&) override { return std::nullopt; }
  void OpenDocument(const Text&) override {}
  void EndDialog() override {}
  void Invalidate(ControlId) override {}
};

class MapPictureLoader : public PictureLoader {
 public:
  std::map<Text, Surface> pictures;
  std::optional<Surface> Load(const Text& path) override {
    const auto it = pictures.find(path);
    return it == pictures.end() ? std::nullopt : std::optional<Surface>(it->second);
  }
};

class HalfRandom : public Random {
 public:
  void Reseed() override {}
  double Next() override { return 0.5; }
};

class StoppedClock : public Clock {
 public:
  double SecondsSinceMidnight() override { return 0; }
};

class DialogCanvasTest : public ::testing::Test {
 protected:
  DialogCanvasTest() { fs.AddFolder(u"C:\\Program"); }

  void LoadFrom(std::initializer_list<std::pair<Text, Text>> lines) {
    IniDocument doc;
    for (const auto& [key, value] : lines) doc.Set(u"Section", key, value);
    fs.StoreFile(store.BesideProgram(), doc.Serialize(), false);
    LoadSettings(app.settings, fs, store.Read());
    ScanImageFolder(app, fs, app.settings.ImageFolder);
  }
  void Open() {
    if (!loaded) {
      LoadSettings(app.settings, fs, store.Read());
      ScanImageFolder(app, fs, app.settings.ImageFolder);
    }
    dialog = std::make_unique<DialogModel>(
        app, DialogServices{host, system, fs, pictures, random, clock, store, &art.texture});
    dialog->Form_Load();
  }
  Surface Paint(int width = kClientWidth, int height = kClientHeight) {
    Surface canvas(width, height, 0x00FF00);
    PaintDialogPictures(canvas, *dialog, art);
    return canvas;
  }
  ClientRect RectOf(Ctl name, int16_t index) { return ControlRect(*FindLayout({name, index})); }

  const DialogArt art = MakeDialogArt();
  test::FakeFileSystem fs;
  test::FakeSystem system;
  QuietHost host;
  MapPictureLoader pictures;
  HalfRandom random;
  StoppedClock clock;
  SettingsStore store{fs, u"C:\\Program", u""};
  PictureList app;
  bool loaded = false;
  std::unique_ptr<DialogModel> dialog;
};

TEST_F(DialogCanvasTest, ControlsSitAtTheirPanelsOffset) {
  const ClientRect ok = RectOf(Ctl::lbl_Button, 2);  // directly on the client panel
  EXPECT_EQ(ok.x, 392);
  EXPECT_EQ(ok.y, 496);
  const ClientRect kind = RectOf(Ctl::Img_Kind, 3);  // left panel at 12, 12
  EXPECT_EQ(kind.x, 12 + 208);
  EXPECT_EQ(kind.y, 12 + 192 + 60);
  const ClientRect slider = RectOf(Ctl::HS, 5);  // right panel at 336, 12
  EXPECT_EQ(slider.x, 336 + 100);
  EXPECT_EQ(slider.y, 12 + 300);
  EXPECT_EQ(slider.width, 97);
  const ClientRect fname = RectOf(Ctl::lbl_Fname, 0);  // music panel at 12, 364
  EXPECT_EQ(fname.x, 12 + 208);
  EXPECT_EQ(fname.y, 364 + 80);
}

TEST_F(DialogCanvasTest, MarksShowTheChosenOptionsOverTheTexture) {
  Open();  // no settings file: sequential and full screen are chosen
  const Surface canvas = Paint();
  const ClientRect sequential = RectOf(Ctl::Img_SR, 0);
  const ClientRect random = RectOf(Ctl::Img_SR, 1);
  EXPECT_EQ(canvas.Pixel(sequential.x + 6, sequential.y + 6), art.optionOn.Pixel(6, 6));
  EXPECT_EQ(canvas.Pixel(random.x + 6, random.y + 6), art.optionOff.Pixel(6, 6));
  const ClientRect full = RectOf(Ctl::Img_Size, 1);
  EXPECT_EQ(canvas.Pixel(full.x + 6, full.y + 6), art.optionOn.Pixel(6, 6));
  // The mark's see-through corner shows the panel's texture, which the panel copied from
  // the tile at its own origin.
  const ClientRect panel = ControlRect(*FindLayout({Ctl::Pic_1, 0}));
  const int px = sequential.x - panel.x, py = sequential.y - panel.y;
  EXPECT_EQ(canvas.Pixel(sequential.x, sequential.y),
            art.texture.Pixel(px % kTextureWidth, py % kTextureHeight));
}

TEST_F(DialogCanvasTest, PlatesAndFacesStretchToTheirRectangles) {
  Open();
  const Surface canvas = Paint();
  const ClientRect plate = RectOf(Ctl::Img_H, 3);  // 109 wide, the picture 95
  ASSERT_EQ(plate.width, 109);
  EXPECT_EQ(canvas.Pixel(plate.x + plate.width - 1, plate.y + 11), art.plate.Pixel(94, 11));
  EXPECT_EQ(canvas.Pixel(plate.x + plate.width, plate.y + 11),
            dialog->PanelSurface({Ctl::Pic_1, 1}).Pixel(plate.x - 12 + plate.width, plate.y - 1));
  const ClientRect face = RectOf(Ctl::Img_Button, 5);  // 85 wide
  EXPECT_EQ(canvas.Pixel(face.x + face.width - 1, face.y + 11),
            art.buttonReleased.Pixel(94, 11));
}

TEST_F(DialogCanvasTest, AHeldButtonShowsThePressedFaceUntilReleased) {
  Open();
  dialog->MouseDown({Ctl::lbl_Button, 5}, 1, 0, 3, 3);
  const ClientRect face = RectOf(Ctl::Img_Button, 5);
  EXPECT_EQ(Paint().Pixel(face.x + 40, face.y + 11), art.buttonPressed.Pixel(47, 11));
  dialog->MouseUp({Ctl::lbl_Button, 5}, 1, 0, 3, 3);
  EXPECT_EQ(Paint().Pixel(face.x + 40, face.y + 11), art.buttonReleased.Pixel(47, 11));
}

TEST_F(DialogCanvasTest, ThePreviewShowsAtItsCurrentSizeWithThePanelAroundIt) {
  fs.AddFolder(u"C:\\Pics");
  fs.AddFile(u"C:\\Pics\\a.bmp", "x");
  pictures.pictures[u"C:\\Pics\\a.bmp"] = Surface(640, 480, 0x3366CC);
  LoadFrom({{keys::kImageFolder, u"C:\\Pics"}, {keys::Kind(0), u"1"}});
  loaded = true;
  Open();
  dialog->ListSelect(0);
  const Surface canvas = Paint();
  const ClientRect preview = RectOf(Ctl::Pic_K, 0);
  EXPECT_EQ(canvas.Pixel(preview.x + 50, preview.y + 37), 0x3366CCu);  // inside 100 x 75
  EXPECT_EQ(canvas.Pixel(preview.x + 50, preview.y + 80),              // below it: panel
            dialog->PanelSurface({Ctl::Pic_1, 1}).Pixel(preview.x - 12 + 50, preview.y - 12 + 80));
}

TEST_F(DialogCanvasTest, TextureContinuesBeyondTheDialogsPanel) {
  Open();
  const Surface canvas = Paint(kClientWidth + 6, kClientHeight + 4);
  for (int y : {0, kClientHeight + 3}) {
    const uint32_t c = canvas.Pixel(kClientWidth + 5, y);
    EXPECT_EQ(c, art.texture.Pixel((kClientWidth + 5) % kTextureWidth, y % kTextureHeight));
  }
}

TEST_F(DialogCanvasTest, TheMouseReachesTheUppermostControlUnderIt) {
  Open();
  const ClientRect caption = RectOf(Ctl::lbl_Button, 0);
  const ControlLayout* hit = ControlAt(*dialog, caption.x + 2, caption.y + 2);
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->id, (ControlId{Ctl::lbl_Button, 0}));  // above its face
  const ClientRect face = RectOf(Ctl::Img_Button, 0);
  hit = ControlAt(*dialog, face.x + 1, face.y + 1);  // the face's rim outside the caption
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->id, (ControlId{Ctl::Img_Button, 0}));
  hit = ControlAt(*dialog, 3, 3);
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->id, (ControlId{Ctl::Pic_C, 0}));
  EXPECT_EQ(ControlAt(*dialog, kClientWidth, 3), nullptr);
  EXPECT_EQ(ControlAt(*dialog, -1, 3), nullptr);
}

}  // namespace
}  // namespace orv
