// The command line as any text: the whole start-up with in-memory windows and files. A
// window opens exactly when Main says so, and a preview only with the host's own size.
#include "fuzz_harness.h"
#include "startup/main_logic.h"
#include "support/fake_file_system.h"
#include "support/fake_system.h"

namespace orv::fuzz {

void FuzzOne(Input input) {
  struct Host final : StartupHost {
    ScreenRect rect;
    int opened = 0;
    ScreenRect WindowRect(WindowHandle w) override { return rect = {int32_t(w), -int32_t(w / 3), 7, 9}; }
    double TwipsPerPixelX() override { return 15; }
    double TwipsPerPixelY() override { return 12; }
    void OpenPreview(WindowHandle, int32_t w, int32_t h) override {
      Check((w < 0) == (rect.right < rect.left) && (h < 0) == (rect.bottom < rect.top));
      ++opened;
    }
    void RunSettingsDialog() override { ++opened; }
    void OpenDisplay() override { ++opened; }
  } host;
  AppState app;
  app.commandLine = ArgumentsOf(FromUtf8(input.Bytes()));
  test::FakeFileSystem fs;
  fs.AddFile(u"C:\\p\\a.bmp");
  fs.AddFile(u"C:\\S\\Orvane.ini", "[Section]\r\n\x89\xE6\x91\x9C\x82\xCC\xCC\xAB\xD9\xC0\xDE=C:\\p\r\n");
  test::FakeSystem system;
  system.version = {1, static_cast<uint32_t>(input.size % 3)};
  SettingsStore store(fs, u"C:\\S", u"");
  SeededDraws random;
  StartupServices services{system, fs, store, random, host};
  const bool opened = Main(app, services) == StartResult::kWindowOpen;
  // The settings dialog of /c runs to its end inside Main: no window is left open.
  const bool dialog = ModeLetter(app.commandLine) == u"C";
  Check((dialog && host.opened == 1) || opened == (host.opened == 1 && !dialog));
}

}  // namespace orv::fuzz
