// The picture cycle: the next picture of the order into Master.
#include "core/guarded.h"
#include "display/display_window.h"
#include "display/placement.h"
#include "images/image_order.h"

namespace orv {

bool DisplayWindow::ShowNextPicture() {
  AppState& app = s_.app;
  PictureIndex = static_cast<int16_t>(PictureIndex + 1);
  bool shown = false;
  Guarded([&] {
    const auto position = static_cast<size_t>(PictureIndex);
    if (PictureIndex < 1 || position >= app.imageOrder.size()) return;
    const auto index = static_cast<size_t>(app.imageOrder[position]);
    if (app.imageOrder[position] < 1 || index >= app.imageList.size()) return;
    // Loaded before Master is cleared: a picture that cannot be loaded (gone, unreadable,
    // corrupt) leaves the current one, craters and all, and the next change moves on.
    std::optional<Surface> picture = s_.pictures.Load(app.imageList[index]);
    if (!picture || picture->Empty()) return;
    Pic_Orgn = std::move(*picture);
    Master.FillBox(0, 0, Master.Width() - 1, Master.Height() - 1, kBlack);
    MarkMaster(0, 0, Master.Width(), Master.Height());
    shown = true;
    if (const auto box = PlacePicture(ScreenW, ScreenH, Pic_Orgn.Width(), Pic_Orgn.Height(),
                                      app.settings.SizeMode)) {
      DrawPicture(Master, Pic_Orgn, *box);
    }
  });
  if (PictureIndex == app.imageCount && app.imageCount > 1) {
    Guarded([&] { BuildImageOrder(app, s_.random); });
    PictureIndex = 0;
  }
  return shown;
}

}  // namespace orv
