// The full-screen window of the running show: its surfaces, timers and state, its load, the
// animation tick and the one-second tick. The platform window forwards its events here;
// everything it shows comes from the surface it presents. Pictures are read, decoded and
// placed by the worker, one change ahead, so no tick waits for a file.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "display/dirty_region.h"
#include "display/display_host.h"
#include "display/fragments.h"
#include "display/picture_ahead.h"
#include "exitctl/exit_control.h"
#include "images/picture_list.h"
#include "sound/music_player.h"
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
  PictureList& list;
  ExitSession& session;
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

  // Composes every frame over the whole screen instead of only where it changed. The
  // result is the same; this is the reference the incremental frame is measured against.
  void SetFullFrameComposition(bool on) { fullFrame_ = on; }

  // What the show holds, for those who watch it run.
  const Surface& Screen() const { return display_; }
  const Surface& Picture() const { return master_; }
  const CrashParams& Crash() const { return crash_; }
  // The monitors on the screen surface, which spans their bounding box; one covering it all
  // when there is one monitor.
  std::span<const PixelRect> Monitors() const { return monitors_; }
  // The pool, open to launches from outside (the benchmark keeps it full).
  FragmentPool& Fragments() { return pool_; }
  const FragmentPool& Fragments() const { return pool_; }
  // Position in the picture order of the picture on screen (0 before the first).
  int16_t PictureIndex() const { return pictureIndex_; }

 private:
  enum class PictureChange { kNotReady, kShown, kSkipped };

  void LayOutMonitors(std::vector<PixelRect> desktop);
  void Impact();          // impact point, burst, crater
  void ComposeFrame();    // the frame buffer from the picture and the fragments, then on screen
  void ShowMaster();      // the screen takes the picture, on screen at once
  void RestoreBuffer();   // the whole picture onto the frame buffer
  void MarkMaster(int32_t x, int32_t y, int32_t w, int32_t h);
  void Present(std::span<const PixelRect> rects);
  // Copies the box from the frame buffer to the screen image where monitors show it.
  void ToScreen(const PixelRect& box);
  void StartMusic();
  // The next picture of the order, once the worker has it ready: the picture surface takes
  // it (kShown) or, when it could not be loaded, keeps the current one (kSkipped); either
  // way the order moves on and the picture after it is prepared.
  PictureChange ShowNextPicture();
  void PrepareNextPicture();
  // The change that is due, when its picture is ready. `atOnce`: the screen takes the new
  // picture now; otherwise the next composed frame brings it.
  void ChangePicture(bool atOnce);

  ShowServices s_;
  ExitControl exit_;
  CrashParams crash_;  // the crash settings in working units, from the load on
  FragmentPool pool_;
  int16_t screenW_ = 0, screenH_ = 0;
  int16_t secondCount_ = 0;
  int16_t pictureIndex_ = 0;
  // The screen image, the picture with its craters, the frame under construction, and
  // the sprite sheet of the fragments.
  Surface display_, master_, picBuffer_, ballPic_;
  bool fullFrame_ = false;
  bool inTimer4_ = false;
  bool changeDue_ = false;  // a change whose picture was not ready at its tick
  PictureAhead ahead_;
  std::vector<PixelRect> masterChanges_;  // the picture's changes not yet on screen
  std::vector<PixelRect> drawnBoxes_;     // fragment boxes on the frame buffer and screen
  std::vector<PixelRect> boxes_;          // this frame's boxes
  DirtyRegion changed_;                   // the screen's changes not yet presented
  std::vector<PixelRect> rects_;
  std::vector<PixelRect> monitors_;  // non-overlapping, in screen surface pixels
  std::vector<PixelRect> clipped_;
};

}  // namespace orv
