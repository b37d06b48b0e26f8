#include "display/picture_ahead.h"

#include <new>

#include "display/placement.h"

namespace orv {

std::optional<Surface> PlaceOnScreen(PictureLoader& loader, const Text& path,
                                     const Placing& placing, std::stop_token stop) {
  try {
    std::unique_ptr<PictureRows> rows = loader.Open(path);
    // A picture that cannot be loaded (gone, unreadable, corrupt) is no picture at all.
    if (!rows || rows->Width() <= 0 || rows->Height() <= 0) return std::nullopt;
    Surface target(placing.targetW, placing.targetH);
    if (placing.monitors.size() < 2) {
      const auto box = PlacePicture(placing.screenW, placing.screenH, rows->Width(),
                                    rows->Height(), placing.sizeMode);
      if (box && !DrawPictureRows(target, *rows, *box, stop)) return std::nullopt;
      return target;
    }
    // Each monitor gets the picture as a screen of its size would, cut at its own edges: a
    // picture larger than one monitor does not spill onto the next. The rows are read from
    // the top down once per monitor, so the file is opened again for each after the first.
    for (const PixelRect& m : placing.monitors) {
      if (!rows) rows = loader.Open(path);
      if (!rows || rows->Width() <= 0 || rows->Height() <= 0) return std::nullopt;
      const auto box =
          PlacePicture(m.Width(), m.Height(), rows->Width(), rows->Height(), placing.sizeMode);
      if (box) {
        Surface part(m.Width(), m.Height());
        if (!DrawPictureRows(part, *rows, *box, stop)) return std::nullopt;
        BitBlt(target, m.left, m.top, m.Width(), m.Height(), part, 0, 0, Rop::kSrcCopy);
      }
      rows.reset();
    }
    return target;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

void PictureAhead::Prepare(const Text& path, const Placing& placing) {
  PrepareNothing();
  auto slot = std::make_shared<Slot>();
  ticket_ = worker_.Post([slot, &loader = loader_, path, placing](std::stop_token stop) {
    slot->picture = PlaceOnScreen(loader, path, placing, stop);
  });
  slot_ = std::move(slot);
}

void PictureAhead::PrepareNothing() {
  slot_.reset();
  ticket_ = 0;
}

bool PictureAhead::Ready() { return !slot_ || worker_.Finished(ticket_); }

std::optional<Surface> PictureAhead::Take() {
  std::optional<Surface> picture;
  if (slot_ && worker_.Finished(ticket_)) picture = std::move(slot_->picture);
  PrepareNothing();
  return picture;
}

}  // namespace orv
