#include "toolkit/picture_orientation.h"

#include <algorithm>
#include <map>

namespace orv {
namespace {

uint32_t Read16(std::string_view b, size_t at, bool little) {
  const uint32_t b0 = uint8_t(b[at]), b1 = uint8_t(b[at + 1]);
  return little ? b0 | b1 << 8 : b0 << 8 | b1;
}

uint32_t Read32(std::string_view b, size_t at, bool little) {
  const uint32_t lo = Read16(b, at, little), hi = Read16(b, at + 2, little);
  return little ? lo | hi << 16 : lo << 16 | hi;
}

// The orientation tag of the first image directory of an EXIF block's TIFF data.
Orientation FromTiff(std::string_view tiff) {
  if (tiff.size() < 8) return Orientation::kUpright;
  const bool little = tiff.substr(0, 4) == std::string_view("II*\0", 4);
  if (!little && tiff.substr(0, 4) != std::string_view("MM\0*", 4)) return Orientation::kUpright;
  const uint64_t directory = Read32(tiff, 4, little);
  if (directory + 2 > tiff.size()) return Orientation::kUpright;
  const uint32_t entries = Read16(tiff, directory, little);
  for (uint64_t i = 0; i < entries; ++i) {
    const uint64_t at = directory + 2 + 12 * i;
    if (at + 12 > tiff.size()) break;
    if (Read16(tiff, at, little) != 0x0112) continue;
    // A SHORT, held in the first two bytes of the value field.
    const uint32_t value = Read16(tiff, at + 8, little);
    if (Read16(tiff, at + 2, little) != 3 || value < 1 || value > 8) break;
    return static_cast<Orientation>(value);
  }
  return Orientation::kUpright;
}

// Upright rows gathered from one pass over the stored picture.
class GatheredRows final : public PictureRows {
 public:
  GatheredRows(std::unique_ptr<PictureRows> stored, Orientation orientation)
      : stored_(std::move(stored)), orientation_(orientation) {
    const bool swap = SwapsSides(orientation);
    width_ = swap ? stored_->Height() : stored_->Width();
    height_ = swap ? stored_->Width() : stored_->Height();
  }
  int Width() const override { return width_; }
  int Height() const override { return height_; }

  void Plan(std::span<const int> rows) override {
    std::vector<int> wanted;
    for (int y : rows) {
      if (y >= 0 && y < height_ && !gathered_.count(y)) wanted.push_back(y);
    }
    std::sort(wanted.begin(), wanted.end());
    wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
    if (wanted.empty() || failed_) return;
    for (int y : wanted) gathered_[y].assign(static_cast<size_t>(width_), 0);
    // Each stored row read once, top down: a decoder that reads its file forwards is
    // never asked to go back. Turned pictures: a stored row is one upright column, which
    // crosses every upright row; otherwise a stored row is (at most) one upright row.
    const int sw = stored_->Width(), sh = stored_->Height();
    const bool swap = SwapsSides(orientation_);
    const bool columnFromTop = StoredPixel(orientation_, sw, sh, 0, 0).y == 0;
    std::multimap<int, int> byStoredRow;  // stored row -> upright row, unturned pictures
    if (!swap) {
      for (int y : wanted) byStoredRow.emplace(StoredPixel(orientation_, sw, sh, 0, y).y, y);
    }
    std::vector<uint32_t> row(static_cast<size_t>(sw));
    for (int sy = 0; sy < sh; ++sy) {
      const auto [first, last] = byStoredRow.equal_range(sy);
      if (!swap && first == last) continue;
      if (!stored_->ReadRow(sy, row.data())) {
        failed_ = true;
        return;
      }
      if (swap) {
        const int x = columnFromTop ? sy : sh - 1 - sy;
        for (int y : wanted) {
          gathered_[y][static_cast<size_t>(x)] =
              row[static_cast<size_t>(StoredPixel(orientation_, sw, sh, x, y).x)];
        }
        continue;
      }
      for (auto it = first; it != last; ++it) {
        std::vector<uint32_t>& out = gathered_[it->second];
        for (int x = 0; x < width_; ++x) {
          out[static_cast<size_t>(x)] =
              row[static_cast<size_t>(StoredPixel(orientation_, sw, sh, x, it->second).x)];
        }
      }
    }
  }

  bool ReadRow(int y, uint32_t* row) override {
    if (y < 0 || y >= height_) return false;
    if (!gathered_.count(y)) {
      const int one[] = {y};
      Plan(one);
    }
    if (failed_) return false;
    const std::vector<uint32_t>& from = gathered_[y];
    std::copy(from.begin(), from.end(), row);
    return true;
  }

 private:
  std::unique_ptr<PictureRows> stored_;
  Orientation orientation_;
  int width_ = 0, height_ = 0;
  std::map<int, std::vector<uint32_t>> gathered_;
  bool failed_ = false;
};

// Mirrored rows: each upright row is its stored row reversed.
class MirroredRows final : public PictureRows {
 public:
  explicit MirroredRows(std::unique_ptr<PictureRows> stored) : stored_(std::move(stored)) {}
  int Width() const override { return stored_->Width(); }
  int Height() const override { return stored_->Height(); }
  void Plan(std::span<const int> rows) override { stored_->Plan(rows); }
  bool ReadRow(int y, uint32_t* row) override {
    if (!stored_->ReadRow(y, row)) return false;
    std::reverse(row, row + stored_->Width());
    return true;
  }

 private:
  std::unique_ptr<PictureRows> stored_;
};

}  // namespace

Orientation ReadExifOrientation(std::string_view b) {
  if (b.size() < 4 || uint8_t(b[0]) != 0xFF || uint8_t(b[1]) != 0xD8) {
    return Orientation::kUpright;
  }
  size_t at = 2;
  while (at + 4 <= b.size()) {
    if (uint8_t(b[at]) != 0xFF) break;
    const uint8_t marker = uint8_t(b[at + 1]);
    if (marker == 0xFF) {
      ++at;
      continue;
    }
    if (marker == 0xD9 || marker == 0xDA) break;  // the picture's data: no more metadata
    const size_t length = Read16(b, at + 2, false);
    if (length < 2 || at + 2 + length > b.size()) break;
    const std::string_view body = b.substr(at + 4, length - 2);
    if (marker == 0xE1 && body.size() >= 6 && body.substr(0, 6) == std::string_view("Exif\0\0", 6)) {
      return FromTiff(body.substr(6));
    }
    at += 2 + length;
  }
  return Orientation::kUpright;
}

bool SwapsSides(Orientation orientation) { return static_cast<int>(orientation) >= 5; }

StoredPoint StoredPixel(Orientation orientation, int width, int height, int x, int y) {
  switch (orientation) {
    case Orientation::kMirrored: return {width - 1 - x, y};
    case Orientation::kUpsideDown: return {width - 1 - x, height - 1 - y};
    case Orientation::kMirroredUpsideDown: return {x, height - 1 - y};
    case Orientation::kTransposed: return {y, x};
    case Orientation::kTurnedRight: return {y, height - 1 - x};
    case Orientation::kTransverse: return {width - 1 - y, height - 1 - x};
    case Orientation::kTurnedLeft: return {width - 1 - y, x};
    default: return {x, y};
  }
}

Surface Upright(const Surface& stored, Orientation orientation) {
  if (orientation == Orientation::kUpright || stored.Empty()) return stored;
  const bool swap = SwapsSides(orientation);
  const int w = swap ? stored.Height() : stored.Width();
  const int h = swap ? stored.Width() : stored.Height();
  Surface upright(w, h);
  for (int y = 0; y < h; ++y) {
    uint32_t* row = upright.Row(y);
    for (int x = 0; x < w; ++x) {
      const StoredPoint p = StoredPixel(orientation, stored.Width(), stored.Height(), x, y);
      row[x] = stored.Pixel(p.x, p.y);
    }
  }
  return upright;
}

std::unique_ptr<PictureRows> UprightRows(std::unique_ptr<PictureRows> stored,
                                         Orientation orientation) {
  if (!stored || orientation == Orientation::kUpright) return stored;
  if (orientation == Orientation::kMirrored) return std::make_unique<MirroredRows>(std::move(stored));
  return std::make_unique<GatheredRows>(std::move(stored), orientation);
}

}  // namespace orv
