// The next picture of the show, made ready away from the drawing thread: the worker reads
// and decodes the file and places it on a black screen-sized surface, so a picture change
// on the drawing thread only takes that surface over. One picture is prepared at a time, and
// only its placed, screen-sized result is kept.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <stop_token>
#include <vector>

#include "core/text.h"
#include "display/dirty_region.h"
#include "toolkit/picture_loader.h"
#include "toolkit/surface.h"
#include "toolkit/worker.h"

namespace orv {

// Where a picture goes: the screen it is placed for and the surface it is drawn on. With two
// or more monitors (rectangles of the target) it is placed once for each monitor's size,
// inside that monitor; the screen size is then unused.
struct Placing {
  int32_t screenW = 0, screenH = 0;
  int targetW = 0, targetH = 0;
  int16_t sizeMode = 0;
  std::vector<PixelRect> monitors;
};

// The picture at `path` on a black targetW x targetH surface, placed as the show places it;
// nullopt when it cannot be loaded or `stop` asks to stop.
std::optional<Surface> PlaceOnScreen(PictureLoader& loader, const Text& path,
                                     const Placing& placing, std::stop_token stop = {});

class PictureAhead {
 public:
  // The loader is used on the worker's thread only; both must outlive the worker's jobs.
  PictureAhead(Worker& worker, PictureLoader& loader) : worker_(worker), loader_(loader) {}

  // Starts preparing the picture at `path`; one prepared before and not taken is dropped.
  void Prepare(const Text& path, const Placing& placing);
  // Nothing to prepare: the next take gives no picture.
  void PrepareNothing();
  // Whether Take can hand over now. Never waits.
  bool Ready();
  // The prepared picture, or nullopt when there was nothing to prepare or it could not be
  // loaded. Afterwards nothing is prepared until the next Prepare.
  std::optional<Surface> Take();

 private:
  struct Slot {
    std::optional<Surface> picture;  // written by the job, read once the job has finished
  };
  Worker& worker_;
  PictureLoader& loader_;
  std::shared_ptr<Slot> slot_;  // the job's result; null when nothing is prepared
  uint64_t ticket_ = 0;
};

}  // namespace orv
