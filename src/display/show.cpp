#include "display/show.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/guarded.h"
#include "core/numbers.h"
#include "display/frame.h"
#include "display/sprites.h"
#include "images/image_order.h"

namespace orv {

DisplayWindow::DisplayWindow(ShowServices services)
    : s_(services),
      exit_(ExitServices{services.list.settings, services.session, services.system,
                         services.music, services.timers.Timer2,
                         services.host}),
      ahead_(services.worker, services.pictures) {
  ballPic_ = MakeBallPic();
  drawnBoxes_.reserve(2 * FragmentPool::kSlots);
  boxes_.reserve(2 * FragmentPool::kSlots);
}

void DisplayWindow::Form_Load() {
  crash_ = CrashParamsFrom(s_.list.settings);
  DisplayTimers& t = s_.timers;
  t.Timer1.SetInterval(1000);
  t.Timer1.SetEnabled(false);
  t.Timer2.SetInterval(200);
  t.Timer2.SetEnabled(false);
  t.Timer3.SetInterval(0);
  t.Timer3.SetEnabled(true);
  t.Timer4.SetInterval(1000);
  t.Timer4.SetEnabled(true);

  Guarded([&] {
    const ScreenMeasure m = s_.host.Screen();
    const auto w = num::RoundToInt16(m.widthTwips / m.twipsPerPixelX);
    const auto h = num::RoundToInt16(m.heightTwips / m.twipsPerPixelY);
    if (!w || !h) return;
    screenW_ = *w;
    screenH_ = *h;
  });
  Guarded([&] { LayOutMonitors(s_.host.Monitors()); });
  Guarded([&] {
    picBuffer_.Resize(screenW_, screenH_);
    master_.Resize(screenW_, screenH_);
    display_.Resize(screenW_, screenH_);
    changed_.Reset(display_.Width(), display_.Height());
  });

  if (s_.list.imageCount != 0) {
    pictureIndex_ = 0;
    Guarded([&] { PrepareNextPicture(); });
    // The picture surface takes the first picture now if it is ready already, or else at
    // the first tick that finds it ready; until then the show runs on black.
    changeDue_ = true;
    ChangePicture(false);
  } else {
    // The window is not visible yet: the capture holds the screen as the user left it.
    Guarded([&] { s_.host.CaptureDesktop(master_); });
  }
  Guarded([&] { ShowMaster(); });
  // The first animation tick comes soon; from then on at the chosen speed.
  t.Timer3.SetInterval(30);
  pool_.Clear();
  secondCount_ = 0;
  Guarded([&] { RestoreBuffer(); });
  masterChanges_.clear();  // the screen and the frame buffer both hold the whole picture now
  Guarded([&] { StartMusic(); });
  Guarded([&] { s_.host.ShowTopmost(); });
}

void DisplayWindow::StartMusic() {
  const Settings& settings = s_.list.settings;
  if (settings.BgmMode == 1) {
    Guarded([&] { s_.music.CdOpen(); });
    s_.timers.Timer2.SetEnabled(true);
  } else if (settings.BgmMode == 2) {
    const Text kind = AsciiUpper(RightChars(settings.BgmFile, 3));
    if (kind == u"WAV") Guarded([&] { s_.music.WavPlay(); });
    if (kind == u"MP3") {
      Guarded([&] { s_.music.Mp3Play(); });
      s_.timers.Timer1.SetEnabled(true);
    }
  }
}

void DisplayWindow::LayOutMonitors(std::vector<PixelRect> desktop) {
  std::erase_if(desktop, [](const PixelRect& m) { return m.Empty(); });
  monitors_.assign(1, PixelRect{0, 0, screenW_, screenH_});
  if (desktop.size() < 2) return;
  PixelRect box = desktop.front();
  for (const PixelRect& m : desktop) {
    box = PixelRect{std::min(box.left, m.left), std::min(box.top, m.top),
                    std::max(box.right, m.right), std::max(box.bottom, m.bottom)};
  }
  // The fragments' positions are 16-bit: a desktop wider or higher than that shows on the
  // primary alone.
  const int64_t w = int64_t{box.right} - box.left, h = int64_t{box.bottom} - box.top;
  if (w > INT16_MAX || h > INT16_MAX) return;
  monitors_.clear();
  for (const PixelRect& m : desktop) {
    const PixelRect r{m.left - box.left, m.top - box.top, m.right - box.left, m.bottom - box.top};
    // A mirrored monitor is one screen, drawn and presented once.
    if (std::find(monitors_.begin(), monitors_.end(), r) == monitors_.end()) {
      monitors_.push_back(r);
    }
  }
  screenW_ = static_cast<int16_t>(w);
  screenH_ = static_cast<int16_t>(h);
}

void DisplayWindow::Impact() {
  Random& random = s_.random;
  random.Reseed();
  if (monitors_.empty()) return;
  // The monitors' columns side by side, then a row of the monitor the column belongs to:
  // with one monitor, a point of the screen. Each monitor gets impacts in the share of its
  // width.
  int32_t columns = 0;
  for (const PixelRect& m : monitors_) columns += m.Width();
  int32_t column = num::FloorToInt32(random.Next() * columns).value_or(0);
  size_t i = 0;
  for (; i + 1 < monitors_.size() && column >= monitors_[i].Width(); ++i) {
    column -= monitors_[i].Width();
  }
  const PixelRect* on = &monitors_[i];
  const int16_t x = static_cast<int16_t>(on->left + column);
  const int16_t y = static_cast<int16_t>(
      on->top + num::FloorToInt16(random.Next() * on->Height()).value_or(0));
  pool_.Launch(crash_, crash_.burst, x, y, random);
  random.Reseed();
  const double tenths = std::floor(random.Next() * 4 + 2);  // flatness 0.2 .. 0.5
  const int16_t r = num::FloorToInt16(random.Next() * 11 + 10).value_or(10);
  const double ry = r * tenths / 10;  // exact for whole results: r x 0.3 with r = 10 is 3
  // Centred on the impact pixel: r columns either side and floor(ry) rows above and below.
  master_.FillEllipse(x + 0.5, y + 0.5, r, ry, kBlack);
  const int32_t reach = static_cast<int32_t>(std::ceil(ry));
  MarkMaster(x - r, y - reach, 2 * r + 1, 2 * reach + 1);
}

void DisplayWindow::RestoreBuffer() {
  for (const PixelRect& m : monitors_) {
    BitBlt(picBuffer_, m.left, m.top, m.Width(), m.Height(), master_, m.left, m.top,
           Rop::kSrcCopy);
  }
}

void DisplayWindow::ShowMaster() {
  for (const PixelRect& m : monitors_) {
    BitBlt(display_, m.left, m.top, m.Width(), m.Height(), master_, m.left, m.top,
           Rop::kSrcCopy);
  }
  Present(monitors_);
}

void DisplayWindow::Present(std::span<const PixelRect> rects) {
  // What lies between monitors is on no screen: it is neither copied nor presented.
  if (monitors_.size() > 1) {
    ClipRects(rects, monitors_, clipped_);
    rects = clipped_;
  }
  if (!rects.empty()) s_.host.Present(display_, rects);
}

void DisplayWindow::ToScreen(const PixelRect& box) {
  if (monitors_.size() > 1) {
    for (const PixelRect& m : monitors_) CopyBox(display_, picBuffer_, Intersect(box, m));
  } else {
    CopyBox(display_, picBuffer_, box);
  }
}

void DisplayWindow::MarkMaster(int32_t x, int32_t y, int32_t w, int32_t h) {
  // Without animation ticks (a speed of 0) changes would pile up: one box for all instead.
  constexpr size_t kMostBoxes = 64;
  if (masterChanges_.size() >= kMostBoxes) {
    masterChanges_.assign(1, PixelRect{0, 0, master_.Width(), master_.Height()});
    return;
  }
  masterChanges_.push_back(PixelRect{x, y, x + w, y + h});
}

void DisplayWindow::ComposeFrame() {
  boxes_.clear();
  CollectFragmentBoxes(pool_, boxes_);
  if (fullFrame_) {
    RestoreBuffer();
    DrawFragments(pool_, ballPic_, picBuffer_);
    for (const PixelRect& m : monitors_) {
      BitBlt(display_, m.left, m.top, m.Width(), m.Height(), picBuffer_, m.left, m.top,
             Rop::kSrcCopy);
    }
    changed_.AddAll();
  } else {
    // Between two frames the picture changes only where the last frame's fragments were,
    // where this frame's are and where the picture itself changed; everywhere else the
    // frame buffer and the screen already hold the picture. Each of those boxes is restored
    // before any fragment is drawn, so the frame is the one the whole-frame recipe gives.
    for (const PixelRect& b : drawnBoxes_) CopyBox(picBuffer_, master_, b);
    for (const PixelRect& b : masterChanges_) CopyBox(picBuffer_, master_, b);
    for (const PixelRect& b : boxes_) CopyBox(picBuffer_, master_, b);
    DrawFragments(pool_, ballPic_, picBuffer_);
    for (const auto* list : {&drawnBoxes_, &masterChanges_, &boxes_}) {
      for (const PixelRect& b : *list) {
        ToScreen(b);
        changed_.Add(b);
      }
    }
  }
  masterChanges_.clear();
  drawnBoxes_.swap(boxes_);
  changed_.Take(rects_);
  Present(rects_);
}

void DisplayWindow::Timer3_Timer() {
  if (exit_.Ended()) return;
  // A change whose picture was not ready at its one-second tick happens at the first tick
  // that finds it ready; this tick's frame puts it on screen.
  if (changeDue_) ChangePicture(false);
  s_.timers.Timer3.SetInterval(crash_.tickMs);
  pool_.Step(crash_, screenW_, screenH_);
  Guarded([&] { ComposeFrame(); });
}

void DisplayWindow::Timer4_Timer() {
  // A tick that arrives while the last one waits in its pending-events call is dropped.
  if (inTimer4_ || exit_.Ended()) return;
  inTimer4_ = true;
  struct Leave {
    bool& flag;
    ~Leave() { flag = false; }
  } leave{inTimer4_};

  Guarded([&] { Impact(); });
  Guarded([&] { s_.pump.DoEvents(); });
  if (exit_.Ended()) return;

  // While a change waits for its picture the seconds are not counted: the picture after it
  // gets its whole interval.
  if (changeDue_) {
    ChangePicture(true);
    return;
  }
  if (s_.list.imageCount > 1) {
    secondCount_ = static_cast<int16_t>(secondCount_ + 1);
    if (secondCount_ >= s_.list.settings.IntervalSec) {
      secondCount_ = 0;
      changeDue_ = true;
      ChangePicture(true);
    }
  }
}

void DisplayWindow::ChangePicture(bool atOnce) {
  PictureChange change = PictureChange::kNotReady;
  Guarded([&] { change = ShowNextPicture(); });
  if (change == PictureChange::kNotReady) return;  // the current picture stays for now
  changeDue_ = false;
  // A picture that could not be loaded leaves the current one on screen. A new one is put
  // on screen at once, or by the frame that is about to be composed (the whole picture is
  // marked changed), never both.
  if (change == PictureChange::kShown && atOnce) {
    Guarded([&] { ShowMaster(); });
    RestoreBuffer();
    masterChanges_.clear();
  }
}

DisplayWindow::PictureChange DisplayWindow::ShowNextPicture() {
  if (!ahead_.Ready()) return PictureChange::kNotReady;
  PictureList& list = s_.list;
  std::optional<Surface> picture = ahead_.Take();
  pictureIndex_ = static_cast<int16_t>(pictureIndex_ + 1);
  // A picture that could not be loaded (gone, unreadable, corrupt) leaves the current one,
  // craters and all, and the next change moves on.
  const bool shown = picture.has_value();
  if (shown) {
    master_ = std::move(*picture);
    MarkMaster(0, 0, master_.Width(), master_.Height());
  }
  if (pictureIndex_ == list.imageCount && list.imageCount > 1) {
    Guarded([&] { BuildImageOrder(list, s_.random); });
    pictureIndex_ = 0;
  }
  // The order now names the next picture: the worker can start on it.
  Guarded([&] { PrepareNextPicture(); });
  return shown ? PictureChange::kShown : PictureChange::kSkipped;
}

void DisplayWindow::PrepareNextPicture() {
  const PictureList& list = s_.list;
  const auto next = static_cast<int16_t>(pictureIndex_ + 1);
  const auto position = static_cast<size_t>(next);
  if (next < 1 || position >= list.imageOrder.size()) return ahead_.PrepareNothing();
  const int16_t index = list.imageOrder[position];
  if (index < 1 || static_cast<size_t>(index) >= list.imageList.size()) {
    return ahead_.PrepareNothing();
  }
  ahead_.Prepare(list.imageList[static_cast<size_t>(index)],
                 Placing{screenW_, screenH_, master_.Width(), master_.Height(),
                         list.settings.SizeMode,
                         monitors_.size() > 1 ? monitors_ : std::vector<PixelRect>{}});
}

}  // namespace orv
