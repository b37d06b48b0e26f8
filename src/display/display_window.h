// The full-screen window of the running show: its surfaces, timers and per-window state,
// its load, the animation tick and the one-second tick. The platform window forwards its
// events here; everything it shows comes from the surface Display. Pictures are read,
// decoded and placed by the worker, one change ahead, so no tick waits for a file.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "display/ball.h"
#include "display/dirty_region.h"
#include "display/display_host.h"
#include "display/picture_ahead.h"
#include "exitctl/exit_control.h"
#include "sound/music_player.h"
#include "startup/app_state.h"
#include "toolkit/picture_loader.h"
#include "toolkit/random.h"
#include "toolkit/surface.h"
#include "toolkit/system.h"
#include "toolkit/timer.h"
#include "toolkit/worker.h"

namespace orv {

struct DisplayTimers {
  Timer& Timer1;  // MP3 watch
  Timer& Timer2;  // CD watch
  Timer& Timer3;  // animation tick
  Timer& Timer4;  // one-second tick: impacts and picture changes
};

struct ShowServices {
  AppState& app;
  System& system;
  Random& random;
  PictureLoader& pictures;  // used on the worker's thread only
  Worker& worker;
  MusicPlayer& music;
  EventPump& pump;
  DisplayHost& host;
  DisplayTimers timers;
};

class DisplayWindow {
 public:
  explicit DisplayWindow(ShowServices services);

  void Form_Load();
  void Timer3_Timer();
  void Timer4_Timer();
  ExitControl& Exit() { return exit_; }

  // Steps of the ticks, callable on their own.
  void RestoreBuffer();          // the whole of Master onto PicBuffer
  void Impact();                 // impact point, burst, crater
  void LaunchPieces();           // one burst at the impact point
  void MovePass();               // gravity, moves, bounces, frees
  void ComposeFrame();           // PicBuffer from Master and the fragments, then to Display
  // The change to the next picture of the order, once the worker has it ready: Master
  // takes it (kShown) or, when it could not be loaded, keeps the current one (kSkipped);
  // either way the order moves on and the picture after it is prepared.
  enum class PictureChange { kNotReady, kShown, kSkipped };
  PictureChange ShowNextPicture();

  // Composes every frame over the whole screen instead of only where it changed. The
  // result is the same; this is the reference the incremental frame is measured against.
  void SetFullFrameComposition(bool on) { fullFrame_ = on; }

  // Window state.
  int16_t ScreenW = 0, ScreenH = 0;
  Balls balls;
  int16_t ImpactX = 0, ImpactY = 0;
  float Bounce = 0, GravityStep = 0, SpreadX = 0, SpreadTilt = 0;
  int16_t SecondCount = 0;
  int16_t PictureIndex = 0;

  Surface Display, Master, PicBuffer, BallPic;

 private:
  void SetCrashFactors();
  void ShowMaster();  // Display takes Master's image, on screen at once
  void MarkMaster(int32_t x, int32_t y, int32_t w, int32_t h);
  void Present(std::span<const PixelRect> rects);
  void StartMusic();
  void PrepareNextPicture();
  // The change that is due, when its picture is ready. `atOnce`: Display takes the new
  // picture now; otherwise the next composed frame brings it.
  void ChangePicture(bool atOnce);

  ShowServices s_;
  ExitControl exit_;
  bool fullFrame_ = false;
  bool inTimer4_ = false;
  bool changeDue_ = false;  // a change whose picture was not ready at its tick
  PictureAhead ahead_;
  std::vector<PixelRect> masterChanges_;  // Master's changes not yet on screen
  std::vector<PixelRect> drawnBoxes_;     // fragment boxes on PicBuffer and Display
  std::vector<PixelRect> boxes_;          // this frame's boxes
  DirtyRegion changed_;                   // Display's changes not yet presented
  std::vector<PixelRect> rects_;
};

}  // namespace orv
