// Program entry: builds the run's services, hands over to the start-up logic, and runs the
// message loop while a window lives.
#include <windows.h>

#include "startup/main_logic.h"
#include "win32/app.h"
#include "win32/dpi.h"
#include "win32/message_pump.h"

namespace orv::win {
namespace {

class Win32StartupHost final : public StartupHost {
 public:
  explicit Win32StartupHost(App& app) : app_(app) {}

  ScreenRect WindowRect(WindowHandle window) override {
    RECT r{};
    GetWindowRect(reinterpret_cast<HWND>(window), &r);
    return ScreenRect{r.left, r.top, r.right, r.bottom};
  }
  double TwipsPerPixelX() override { return TwipsPerPixel(LOGPIXELSX); }
  double TwipsPerPixelY() override { return TwipsPerPixel(LOGPIXELSY); }
  void OpenPreview(WindowHandle host, int32_t width, int32_t height) override {
    OpenPreviewWindow(app_, reinterpret_cast<HWND>(host), width, height);
  }
  void RunSettingsDialog() override { win::RunSettingsDialog(app_); }
  void OpenDisplay() override { OpenDisplayWindow(app_); }

 private:
  static double TwipsPerPixel(int axis) {
    return 1440.0 / ScreenDpi(axis);
  }
  App& app_;
};

}  // namespace
}  // namespace orv::win

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  static orv::win::App app;  // lives as long as the program, like the main module's state
  app.instance = instance;
  app.state.commandLine = orv::ArgumentsOf(orv::win::FullCommandLine());
  orv::win::Win32StartupHost host(app);
  orv::StartupServices services{app.system, app.files, app.store, app.random, host};
  if (orv::Main(app.state, services) == orv::StartResult::kEnded) return 0;
  const int code = orv::win::RunMessages();
  // A decode cannot be interrupted inside the system's decoder, and a large picture takes
  // it seconds. Rather than keep the user waiting for a picture nobody will see, the program
  // then ends at once, and the system ends the worker thread with it. The program's own
  // end, which runs the destructors of state the worker still uses, must not run then.
  constexpr std::chrono::milliseconds kPatience{300};
  if (!orv::win::CloseDisplayWindow(kPatience)) TerminateProcess(GetCurrentProcess(), code);
  return code;
}
