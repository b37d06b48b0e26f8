// How the running show ends: the input handlers of the display window and EndShow (the
// password where the program must ask for it, music stop, system state, cursor).
#pragma once
#include <cstdint>

#include "exitctl/exit_window.h"
#include "sound/music_player.h"
#include "settings/settings.h"
#include "toolkit/system.h"
#include "toolkit/timer.h"

namespace orv {

struct MouseOrigin {
  float X = 0;
  float Y = 0;
  bool Known = false;
};

// What start-up hands the exit rules: how the program was started and the cursor display
// count to put back when the show ends.
struct ExitSession {
  Text commandLine;  // the text after the program's path
  int32_t savedCursorCount = 0;
};

struct ExitServices {
  const Settings& settings;
  ExitSession& session;
  System& system;
  MusicPlayer& music;
  Timer& Timer2;  // CD watch, 200 ms: EndShow stops it with the disc
  ExitWindow& window;
};

inline constexpr int16_t kKeyLeft = 37;
inline constexpr int16_t kKeyRight = 39;

class ExitControl {
 public:
  explicit ExitControl(ExitServices services) : s_(services) {}

  void Display_MouseDown(int16_t button, int16_t shift, float x, float y);
  void Display_MouseMove(int16_t button, int16_t shift, float x, float y);
  void Form_KeyDown(int16_t keyCode, int16_t shift);

  // Ends the show, or returns with the show running when the password is refused.
  void EndShow();

  // The program is ending: the window has been told to unload.
  bool Ended() const { return ended_; }
  const MouseOrigin& Origin() const { return origin_; }

 private:
  ExitServices s_;
  MouseOrigin origin_;
  bool ended_ = false;
  bool inEndShow_ = false;
};

}  // namespace orv
