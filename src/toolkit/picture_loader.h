// Loads a picture file (BMP, GIF, JPEG, placeable WMF) at its own size, whole or a row at a
// time.
#pragma once
#include <memory>
#include <optional>
#include <span>

#include "core/text.h"
#include "toolkit/surface.h"

namespace orv {

// A decoded picture read one row at a time, so one far larger than the screen need not be
// held whole at 32 bits a pixel.
class PictureRows {
 public:
  virtual ~PictureRows() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Row y (0 is the top) into `row`, Width() pixels of 0x00RRGGBB; false when it cannot be
  // read. Rows are asked for from the top down.
  virtual bool ReadRow(int y, uint32_t* row) = 0;
  // The rows about to be read, so a picture whose rows do not come from its file in that
  // order (one stored turned, say) can gather them in one pass. Only a hint.
  virtual void Plan(std::span<const int> /*rows*/) {}
};

class PictureLoader {
 public:
  virtual ~PictureLoader() = default;
  // nullopt when the file is missing, unreadable or not a picture of those kinds.
  virtual std::optional<Surface> Load(const Text& path) = 0;
  // The picture for reading by rows; null where Load gives nullopt. Unless a loader knows
  // better, the picture is loaded whole and read from memory.
  virtual std::unique_ptr<PictureRows> Open(const Text& path);
};

// Rows read from a picture held whole.
class SurfaceRows final : public PictureRows {
 public:
  explicit SurfaceRows(Surface picture) : picture_(std::move(picture)) {}
  int Width() const override { return picture_.Width(); }
  int Height() const override { return picture_.Height(); }
  bool ReadRow(int y, uint32_t* row) override;

 private:
  Surface picture_;
};

}  // namespace orv
