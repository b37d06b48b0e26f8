#include "exitctl/exit_control.h"

#include "core/guarded.h"

namespace orv {

constexpr uint32_t kSpiSetScreenSaveActive = 17;

void ExitControl::Display_MouseDown(int16_t, int16_t, float, float) { EndShow(); }

void ExitControl::Display_MouseMove(int16_t, int16_t, float x, float y) {
  if (s_.session.commandLine.empty() || ended_) return;
  if (!origin_.Known) {
    origin_ = MouseOrigin{x, y, true};
    return;
  }
  // Both coordinates must differ: a pointer nudged along one axis keeps the show running.
  if (x != origin_.X && y != origin_.Y) {
    EndShow();
    origin_.Known = false;
  }
}

void ExitControl::Form_KeyDown(int16_t keyCode, int16_t) {
  if (s_.settings.BgmMode == 1) {
    if (keyCode == kKeyLeft) return Guarded([&] { s_.music.CdPreviousTrack(); });
    if (keyCode == kKeyRight) return Guarded([&] { s_.music.CdNextTrack(); });
  }
  EndShow();
}

void ExitControl::EndShow() {
  // Input that was already queued when the password dialog opened must not ask again.
  if (ended_ || inEndShow_) return;
  inEndShow_ = true;
  struct Leave {
    bool& flag;
    ~Leave() { flag = false; }
  } leave{inEndShow_};
  ExitSession& session = s_.session;
  System& system = s_.system;
  const Text mode = ModeLetter(session.commandLine);

  // On the NT family the system asks for the password itself.
  if (mode == u"S" && IsWindowsNT(system) == kFalse) {
    session.savedCursorCount = system.ShowCursor(session.savedCursorCount);
    if (system.VerifyScreenSavePassword(s_.window.Handle()) == 0) {
      session.savedCursorCount = system.ShowCursor(0);
      return;
    }
  }

  Guarded([&] {
    if (s_.Timer2.Enabled()) {
      s_.Timer2.SetEnabled(false);
      s_.music.CdStop();
    }
  });
  Guarded([&] {
    if (s_.settings.BgmMode != 2) return;
    const Text kind = AsciiUpper(RightChars(s_.settings.BgmFile, 3));
    if (kind == u"WAV") s_.music.WavStop();
    if (kind == u"MP3") s_.music.Mp3Stop();
  });

  if (mode == u"S") {
    SetScreenSaverStopped(system, kTrue);
    session.savedCursorCount = system.ShowCursor(session.savedCursorCount);
  }
  system.SystemParameters(kSpiSetScreenSaveActive, 1);

  ended_ = true;
  s_.window.UnloadAndEnd();
}

}  // namespace orv
