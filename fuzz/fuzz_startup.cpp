// The start-up's outside data as any bytes: a command line (a libFuzzer string, ended by a
// backslash that is not doubled) and the settings file (the rest). The file is parsed and
// loaded, a value written back must read back exactly, and its first line goes through every
// number reader and conversion. Then the whole start-up runs on that file with in-memory
// windows and files: a window opens exactly when Main says so, and a preview only with the
// host's own size.
#include <cmath>
#include <cstring>

#include "core/cp932.h"
#include "core/numbers.h"
#include "fuzz_harness.h"
#include "settings/load_settings.h"
#include "startup/main_logic.h"
#include "support/fake_file_system.h"
#include "support/fake_system.h"
#include "support/show_fakes.h"

namespace orv::fuzz {

void FuzzOne(Input input) {
  FuzzedDataProvider in = input.Provider();
  const Text commandLine = FromUtf8(in.ConsumeRandomLengthString(input.size));
  const std::string_view bytes = input.Bytes().substr(input.size - in.remaining_bytes());
  test::FakeFileSystem fs;
  fs.AddFile(u"C:\\p\\a.bmp");
  fs.AddFile(u"C:\\m.mp3");
  IniDocument doc = IniDocument::Parse(bytes);
  Settings settings;
  LoadSettings(settings, fs, doc);
  // One line of the file, without the blanks and quotes the reader strips.
  Text value = cp932::Decode(bytes.substr(0, 64));
  std::erase_if(value, [](char16_t c) { return c == u'\r' || c == u'\n'; });
  value = TrimBlanks(value);
  if (!value.empty() && (value.front() == u'"' || value.front() == u'\'')) value.insert(0, u"x");
  doc.Set(u"Section", u"速さ", value);
  Check(IniDocument::Parse(doc.Serialize()).Get(u"Section", u"速さ") == TrimBlanks(value));
  if (const auto number = num::ParseNumber(value)) {
    Check(std::isfinite(*number));
    if (const auto f = num::FloorToInt16(*number)) Check(*f <= *number);
    if (const auto r = num::RoundToInt32(*number)) Check(std::fabs(*r - *number) <= 0.5);
  }
  (void)num::RoundToInt16(num::ReadLeadingNumber(value));
  if (bytes.size() >= 4) {  // every number the program writes reads back as itself
    int32_t n;
    std::memcpy(&n, bytes.data(), sizeof n);
    Check(num::ParseNumber(num::FormatNumber(n)) == static_cast<double>(n));
  }

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
  app.commandLine = ArgumentsOf(commandLine);
  fs.AddFile(u"C:\\S\\Orvane.ini", std::string(bytes));
  test::FakeSystem system;
  system.version = {1, static_cast<uint32_t>(input.size % 3)};
  SettingsStore store(fs, u"C:\\S", u"");
  test::FakeClock clock;  // the same input, the same draws
  ClockSeededRandom random(clock);
  StartupServices services{system, fs, store, random, host};
  const bool opened = Main(app, services) == StartResult::kWindowOpen;
  // The settings dialog of /c runs to its end inside Main: no window is left open.
  const bool dialog = ModeLetter(app.commandLine) == u"C";
  Check((dialog && host.opened == 1) || opened == (host.opened == 1 && !dialog));
}

}  // namespace orv::fuzz
