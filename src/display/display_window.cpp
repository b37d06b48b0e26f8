#include "display/display_window.h"

#include "core/guarded.h"
#include "core/numbers.h"
#include "display/frame.h"
#include "display/sprites.h"

namespace orv {

DisplayWindow::DisplayWindow(ShowServices services)
    : s_(services),
      exit_(ExitServices{services.app, services.system, services.music, services.timers.Timer1,
                         services.timers.Timer2, services.host}),
      ahead_(services.worker, services.pictures) {
  BallPic = MakeBallPic();
  drawnBoxes_.reserve(2 * kBallSlots);
  boxes_.reserve(2 * kBallSlots);
}

void DisplayWindow::Form_Load() {
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
    ScreenW = *w;
    ScreenH = *h;
  });
  Guarded([&] {
    PicBuffer.Resize(ScreenW, ScreenH);
    Master.Resize(ScreenW, ScreenH);
    Display.Resize(ScreenW, ScreenH);
    changed_.Reset(Display.Width(), Display.Height());
  });

  if (s_.app.imageCount != 0) {
    PictureIndex = 0;
    Guarded([&] { PrepareNextPicture(); });
    // Master takes the first picture now if it is ready already, or else at the first tick
    // that finds it ready; until then the show runs on black.
    changeDue_ = true;
    ChangePicture(false);
  } else {
    // The window is not visible yet: the capture holds the screen as the user left it.
    Guarded([&] { s_.host.CaptureDesktop(Master); });
  }
  Guarded([&] { ShowMaster(); });
  t.Timer3.SetInterval(30);
  balls = Balls{};
  SecondCount = 0;
  Guarded([&] { RestoreBuffer(); });
  masterChanges_.clear();  // Display and PicBuffer both hold the whole of Master now
  Guarded([&] { StartMusic(); });
  Guarded([&] { s_.host.ShowTopmost(); });
}

void DisplayWindow::StartMusic() {
  const Settings& settings = s_.app.settings;
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

void DisplayWindow::RestoreBuffer() {
  BitBlt(PicBuffer, 0, 0, ScreenW, ScreenH, Master, 0, 0, Rop::kSrcCopy);
}

void DisplayWindow::ShowMaster() {
  BitBlt(Display, 0, 0, ScreenW, ScreenH, Master, 0, 0, Rop::kSrcCopy);
  const PixelRect whole{0, 0, Display.Width(), Display.Height()};
  Present(std::span(&whole, 1));
}

void DisplayWindow::Present(std::span<const PixelRect> rects) {
  if (!rects.empty()) s_.host.Present(Display, rects);
}

void DisplayWindow::MarkMaster(int32_t x, int32_t y, int32_t w, int32_t h) {
  // Without animation ticks (a speed of 0) changes would pile up: one box for all instead.
  constexpr size_t kMostBoxes = 64;
  if (masterChanges_.size() >= kMostBoxes) {
    masterChanges_.assign(1, PixelRect{0, 0, Master.Width(), Master.Height()});
    return;
  }
  masterChanges_.push_back(PixelRect{x, y, x + w, y + h});
}

void DisplayWindow::ComposeFrame() {
  boxes_.clear();
  CollectBallBoxes(balls, boxes_);
  if (fullFrame_) {
    RestoreBuffer();
    DrawBalls(balls, BallPic, PicBuffer);
    BitBlt(Display, 0, 0, ScreenW, ScreenH, PicBuffer, 0, 0, Rop::kSrcCopy);
    changed_.AddAll();
  } else {
    // Between two frames the picture changes only where the last frame's fragments were,
    // where this frame's are and where Master itself changed; everywhere else PicBuffer and
    // Display already hold Master. Each of those boxes is restored before any fragment is
    // drawn, so the frame is the one the whole-frame recipe gives.
    for (const PixelRect& b : drawnBoxes_) CopyBox(PicBuffer, Master, b);
    for (const PixelRect& b : masterChanges_) CopyBox(PicBuffer, Master, b);
    for (const PixelRect& b : boxes_) CopyBox(PicBuffer, Master, b);
    DrawBalls(balls, BallPic, PicBuffer);
    for (const auto* list : {&drawnBoxes_, &masterChanges_, &boxes_}) {
      for (const PixelRect& b : *list) {
        CopyBox(Display, PicBuffer, b);
        changed_.Add(b);
      }
    }
  }
  masterChanges_.clear();
  drawnBoxes_.swap(boxes_);
  changed_.Take(rects_);
  Present(rects_);
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
  const AppState& app = s_.app;
  if (app.imageCount > 1) {
    SecondCount = static_cast<int16_t>(SecondCount + 1);
    if (SecondCount >= app.settings.IntervalSec) {
      SecondCount = 0;
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
  // on screen at once, or by the frame that is about to be composed (the whole of Master
  // is marked changed), never both.
  if (change == PictureChange::kShown && atOnce) {
    Guarded([&] { ShowMaster(); });
    RestoreBuffer();
    masterChanges_.clear();
  }
}

}  // namespace orv
