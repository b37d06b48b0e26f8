// The program's entry procedure: refuses a second copy, reads the mode letter and hands
// over to the show, the settings dialog, the preview or the password change.
#pragma once
#include <cstdint>

#include "settings/settings_store.h"
#include "startup/app_state.h"
#include "toolkit/file_system.h"
#include "toolkit/random.h"
#include "toolkit/system.h"

namespace orv {

// Window titles by which a running copy is recognised.
inline constexpr char16_t kDisplayTitle[] = u"Orvane_Main";
inline constexpr char16_t kDialogTitle[] = u"Orvaneの設定";

// The windows Main opens; the Win32 layer creates them, tests record the calls.
class StartupHost {
 public:
  virtual ~StartupHost() = default;
  // The host window's outer rectangle in screen pixels; all zeros when it cannot be read.
  virtual ScreenRect WindowRect(WindowHandle window) = 0;
  // Twips per pixel of the screen in x and y (15 at 96 dots per inch).
  virtual double TwipsPerPixelX() = 0;
  virtual double TwipsPerPixelY() = 0;
  // Creates the preview window as a child of `host` with this size in pixels and shows it.
  virtual void OpenPreview(WindowHandle host, int32_t width, int32_t height) = 0;
  // Shows the settings dialog modally and returns when it has closed.
  virtual void RunSettingsDialog() = 0;
  // Creates the display window; its load shows it.
  virtual void OpenDisplay() = 0;
};

struct StartupServices {
  System& system;
  FileSystem& files;
  const SettingsStore& store;
  Random& random;
  StartupHost& host;
};

enum class StartResult {
  kEnded,            // nothing more to do: the program ends
  kWindowOpen,       // the program lives on in the window's events
};

StartResult Main(AppState& app, StartupServices& services);

// The command-line text after the program's own path (quoted or not) and the blanks after it.
Text ArgumentsOf(TextView fullCommandLine);
// The preview handle: the number in the handle text, read leniently; 0 when there is none or
// it does not fit 32 bits.
int32_t PreviewHandle(TextView commandLine);
// Host window size in pixels, through the twips the window sizes are measured in.
int32_t PreviewExtent(int32_t low, int32_t high, double twipsPerPixel);

}  // namespace orv
