#include "display/placement.h"

#include <algorithm>
#include <vector>

#include "core/numbers.h"

namespace orv {

std::optional<PictureBox> PlacePicture(int32_t screenW, int32_t screenH, int32_t width,
                                       int32_t height, int16_t sizeMode) {
  const double W = width, H = height;
  double w = W, h = H;
  if (sizeMode != 0) {
    if (W > H) {
      w = screenW;
      h = screenW * H / W;
    } else {
      w = screenH * W / H;
      h = screenH;
    }
  }
  const auto x = num::RoundToInt32((screenW - w) / 2);
  const auto y = num::RoundToInt32((screenH - h) / 2);
  const auto rw = num::RoundToInt32(w);
  const auto rh = num::RoundToInt32(h);
  if (!x || !y || !rw || !rh) return std::nullopt;
  return PictureBox{*x, *y, *rw, *rh, sizeMode != 0};
}

void DrawPicture(Surface& target, const Surface& picture, const PictureBox& box) {
  if (box.stretch) {
    StretchBlt(target, box.x, box.y, box.w, box.h, picture, 0, 0, picture.Width(),
               picture.Height());
  } else {
    BitBlt(target, box.x, box.y, box.w, box.h, picture, 0, 0, Rop::kSrcCopy);
  }
}

namespace {

// The row of the picture last read, read again only when another is asked for.
class RowReader {
 public:
  RowReader(PictureRows& picture, std::stop_token stop)
      : picture_(picture), stop_(stop), row_(static_cast<size_t>(picture.Width())) {}
  const uint32_t* Row(int y) {
    if (y == loaded_) return row_.data();
    if (stop_.stop_requested() || !picture_.ReadRow(y, row_.data())) return nullptr;
    loaded_ = y;
    return row_.data();
  }

 private:
  PictureRows& picture_;
  std::stop_token stop_;
  std::vector<uint32_t> row_;
  int loaded_ = -1;
};

// StretchBlt of the whole picture onto the box, row by row.
bool StretchRows(Surface& target, PictureRows& picture, const PictureBox& box,
                 RowReader& rows) {
  const int pw = picture.Width(), ph = picture.Height();
  if (box.w <= 0 || box.h <= 0) return true;
  const int x0 = std::max(box.x, 0);
  const int x1 = static_cast<int>(std::min<int64_t>(int64_t{box.x} + box.w, target.Width()));
  const int y0 = std::max(box.y, 0);
  const int y1 = static_cast<int>(std::min<int64_t>(int64_t{box.y} + box.h, target.Height()));
  std::vector<int> columns;
  for (int x = x0; x < x1; ++x) columns.push_back(StretchSource(x - box.x, pw, box.w, 0, pw));
  std::vector<int> wanted;
  for (int y = y0; y < y1; ++y) wanted.push_back(StretchSource(y - box.y, ph, box.h, 0, ph));
  picture.Plan(wanted);
  for (int y = y0; y < y1; ++y) {
    const uint32_t* s = rows.Row(StretchSource(y - box.y, ph, box.h, 0, ph));
    if (!s) return false;
    uint32_t* d = target.Row(y);
    for (int x = x0; x < x1; ++x) d[x] = s[columns[static_cast<size_t>(x - x0)]];
  }
  return true;
}

// BitBlt (SRCCOPY) of the box's size from the picture's corner, clipped as BitBlt clips.
bool CopyRows(Surface& target, PictureRows& picture, const PictureBox& box, RowReader& rows) {
  int dx = box.x, dy = box.y, w = box.w, h = box.h, sx = 0, sy = 0;
  if (dx < 0) w += dx, sx -= dx, dx = 0;
  if (dy < 0) h += dy, sy -= dy, dy = 0;
  w = std::min({w, target.Width() - dx, picture.Width() - sx});
  h = std::min({h, target.Height() - dy, picture.Height() - sy});
  std::vector<int> wanted;
  for (int y = 0; y < h && w > 0; ++y) wanted.push_back(sy + y);
  picture.Plan(wanted);
  for (int y = 0; y < h && w > 0; ++y) {
    const uint32_t* s = rows.Row(sy + y);
    if (!s) return false;
    std::copy(s + sx, s + sx + w, target.Row(dy + y) + dx);
  }
  return true;
}

}  // namespace

bool DrawPictureRows(Surface& target, PictureRows& picture, const PictureBox& box,
                     std::stop_token stop) {
  if (picture.Width() <= 0 || picture.Height() <= 0) return true;
  RowReader rows(picture, stop);
  return box.stretch ? StretchRows(target, picture, box, rows)
                     : CopyRows(target, picture, box, rows);
}

}  // namespace orv
