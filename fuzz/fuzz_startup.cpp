// The outside data as any bytes. Whole, they are a picture file for the header check run
// before the system's decoder sees a file: one it lets through names its kind by its own
// magic and declares a size the show can hold. Split, they are a command line (a libFuzzer
// string, ended by a backslash that is not doubled) and the settings file (the rest). The
// file is parsed and loaded, and a value written back must read back exactly. Then the whole
// start-up runs on that file with in-memory windows and files: a window opens exactly when
// Main says so, and a preview only with the host's own size.
#include "core/cp932.h"
#include "display/picture_file.h"
#include "fuzz_harness.h"
#include "settings/load_settings.h"
#include "startup/main_logic.h"
#include "support/fake_file_system.h"
#include "support/fake_system.h"
#include "support/show_fakes.h"

namespace orv::fuzz {

void CheckPictureHeader(std::string_view bytes) {
  const auto header = ReadPictureHeader(bytes);
  if (!header) return;
  Check(header->width >= 1 && header->height >= 1 && header->width <= kLongestPictureSide &&
        header->height <= kLongestPictureSide &&
        header->width * header->height <= kMostPicturePixels);
  static constexpr std::string_view kMagic[] = {"BM", "GIF8", "\xFF\xD8", "\xD7\xCD\xC6\x9A"};
  Check(bytes.starts_with(kMagic[static_cast<int>(header->kind)]));
  Check(header->kind != PictureKind::kGif || bytes.starts_with("GIF87a") ||
        bytes.starts_with("GIF89a"));
}

void FuzzOne(Input input) {
  CheckPictureHeader(input.Bytes());
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
