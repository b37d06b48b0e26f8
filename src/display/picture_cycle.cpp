// The picture cycle: the next picture of the order into Master, and the one after it
// handed to the worker.
#include "core/guarded.h"
#include "display/display_window.h"
#include "images/image_order.h"

namespace orv {

DisplayWindow::PictureChange DisplayWindow::ShowNextPicture() {
  if (!ahead_.Ready()) return PictureChange::kNotReady;
  AppState& app = s_.app;
  std::optional<Surface> picture = ahead_.Take();
  PictureIndex = static_cast<int16_t>(PictureIndex + 1);
  // A picture that could not be loaded (gone, unreadable, corrupt) leaves the current one,
  // craters and all, and the next change moves on.
  const bool shown = picture.has_value();
  if (shown) {
    Master = std::move(*picture);
    MarkMaster(0, 0, Master.Width(), Master.Height());
  }
  if (PictureIndex == app.imageCount && app.imageCount > 1) {
    Guarded([&] { BuildImageOrder(app, s_.random); });
    PictureIndex = 0;
  }
  // The order now names the next picture: the worker can start on it.
  Guarded([&] { PrepareNextPicture(); });
  return shown ? PictureChange::kShown : PictureChange::kSkipped;
}

void DisplayWindow::PrepareNextPicture() {
  const AppState& app = s_.app;
  const auto next = static_cast<int16_t>(PictureIndex + 1);
  const auto position = static_cast<size_t>(next);
  if (next < 1 || position >= app.imageOrder.size()) return ahead_.PrepareNothing();
  const int16_t index = app.imageOrder[position];
  if (index < 1 || static_cast<size_t>(index) >= app.imageList.size()) {
    return ahead_.PrepareNothing();
  }
  ahead_.Prepare(app.imageList[static_cast<size_t>(index)],
                 Placing{ScreenW, ScreenH, Master.Width(), Master.Height(),
                         app.settings.SizeMode});
}

}  // namespace orv
