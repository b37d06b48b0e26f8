// The command line as any text: the whole start-up with in-memory windows and files.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/text.h"
#include "startup/main_logic.h"
#include "support/fake_file_system.h"
#include "support/fake_system.h"

namespace {

struct Host : orv::StartupHost {
  orv::ScreenRect rect;
  int opened = 0;
  orv::ScreenRect WindowRect(orv::WindowHandle window) override {
    rect = {static_cast<int32_t>(window), -static_cast<int32_t>(window / 3), 7, 9};
    return rect;
  }
  double TwipsPerPixelX() override { return 15; }
  double TwipsPerPixelY() override { return 12; }
  void OpenPreview(orv::WindowHandle, int32_t w, int32_t h) override {
    if ((w < 0) != (rect.right < rect.left) || (h < 0) != (rect.bottom < rect.top)) std::abort();
    ++opened;
  }
  void RunSettingsDialog() override { ++opened; }
  void OpenDisplay() override { ++opened; }
};

struct Draws : orv::Random {
  void Reseed() override {}
  double Next() override { return 0.5; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const orv::Text full = orv::FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
  orv::AppState app;
  app.commandLine = orv::ArgumentsOf(full);
  orv::test::FakeFileSystem fs;
  fs.AddFile(u"C:\\p\\a.bmp");
  fs.AddFile(u"C:\\p\\b.jpg");
  fs.AddFile(u"C:\\S\\Orvane.ini", "[Section]\r\n\x89\xE6\x91\x9C\x82\xCC\xCC\xAB\xD9\xC0\xDE=C:\\p\r\n\x89\xE6\x91\x9C\xC1\xAA\xDD\xBC\xDE=1\r\n");
  orv::test::FakeSystem system;
  system.version = {1, static_cast<uint32_t>(size % 3)};
  orv::SettingsStore store(fs, u"C:\\S", u"");
  Draws random;
  Host host;
  orv::StartupServices services{system, fs, store, random, host};
  const auto result = orv::Main(app, services);
  if ((result == orv::StartResult::kWindowOpen) != (host.opened == 1 && orv::ModeLetter(app.commandLine) != u"C")) {
    if (!(orv::ModeLetter(app.commandLine) == u"C" && host.opened == 1)) std::abort();
  }
  return 0;
}
