// Stand-ins for the dialog's window, picture loader and random numbers, and a fixture that
// opens the dialog from a settings file on an in-memory file system.
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "dialog/dialog_model.h"
#include "images/folder_scan.h"
#include "settings/load_settings.h"
#include "support/fake_file_system.h"
#include "support/fake_system.h"

namespace orv::test {

class FakeDialogHost : public DialogHost {
 public:
  PixelSize screen{1024, 768};
  std::optional<PixelPoint> cursor = PixelPoint{500, 400};
  std::deque<std::optional<Text>> folderAnswers;  // BrowseForFolder answers, in turn
  std::deque<std::optional<Text>> fileAnswers;    // ChooseOpenFile answers, in turn
  std::function<void()> onDoEvents;               // runs inside DoEvents
  std::function<void()> onPaintNow;               // runs inside PaintNow
  std::function<void()> onEndDialog;

  std::vector<std::string> calls;
  std::vector<Text> prompts;
  std::vector<OpenFileRequest> fileRequests;
  std::vector<Text> opened;
  std::vector<Pointer> pointers;
  int doEvents = 0;
  int paints = 0;
  int endDialogs = 0;
  std::vector<ControlId> invalidated;
  std::vector<EdgeRect> edges;

  PixelSize ScreenSize() override { return screen; }
  void PlaceWindow(int32_t left, int32_t top, int32_t width, int32_t height) override {
    calls.push_back("Place " + std::to_string(left) + " " + std::to_string(top) + " " +
                    std::to_string(width) + " " + std::to_string(height));
  }
  std::optional<PixelPoint> CursorPos() override { return cursor; }
  void ZoomOpen(int16_t x, int16_t y) override {
    calls.push_back("ZoomOpen " + std::to_string(x) + " " + std::to_string(y));
  }
  void ZoomClose(int16_t x, int16_t y) override {
    calls.push_back("ZoomClose " + std::to_string(x) + " " + std::to_string(y));
  }
  // Marks the edge's corners so tests can see it was drawn into the surface.
  void DrawFrameEdge(Surface& surface, EdgeRect rect, uint32_t edge, uint32_t flags) override {
    calls.push_back("DrawEdge " + std::to_string(rect.right) + "x" + std::to_string(rect.bottom) +
                    " " + std::to_string(edge) + " " + std::to_string(flags));
    edges.push_back(rect);
    if (!surface.Empty()) {
      surface.SetPixel(0, 0, kWhite);
      surface.SetPixel(surface.Width() - 1, surface.Height() - 1, kBlack);
    }
  }
  void DoEvents() override {
    ++doEvents;
    if (onDoEvents) onDoEvents();
  }
  void PaintNow() override {
    ++paints;
    if (onPaintNow) onPaintNow();
  }
  void SetPointer(Pointer pointer) override { pointers.push_back(pointer); }
  std::optional<Text> BrowseForFolder(const Text& prompt) override {
    prompts.push_back(prompt);
    if (folderAnswers.empty()) return std::nullopt;
    auto answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
  }
  std::optional<Text> ChooseOpenFile(const OpenFileRequest& request) override {
    fileRequests.push_back(request);
    if (fileAnswers.empty()) return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
  }
  void OpenDocument(const Text& address) override { opened.push_back(address); }
  void EndDialog() override {
    ++endDialogs;
    calls.push_back("EndDialog");
    if (onEndDialog) onEndDialog();
  }
  void Invalidate(ControlId id) override { invalidated.push_back(id); }
};

class FakePictureLoader : public PictureLoader {
 public:
  std::map<Text, Surface> pictures;  // by path exactly as asked
  std::vector<Text> asked;
  std::optional<Surface> Load(const Text& path) override {
    asked.push_back(path);
    const auto it = pictures.find(path);
    if (it == pictures.end()) return std::nullopt;
    return it->second;
  }
};

class ScriptedRandom : public Random {
 public:
  std::deque<double> values;
  double fallback = 0.5;
  int draws = 0;
  void Reseed() override {}
  double Next() override {
    ++draws;
    if (values.empty()) return fallback;
    const double v = values.front();
    values.pop_front();
    return v;
  }
};

// The time of day, moving on by `step` seconds at every reading and starting again at
// midnight. By default readings lie more than an event pass apart.
class SteppingClock : public Clock {
 public:
  double now = 0;
  double step = 0.1;
  double SecondsSinceMidnight() override { return now = std::fmod(now + step, 86400.0); }
};

inline std::string Sjis(const char16_t* text) { return *cp932::Encode(text); }

class DialogTest : public ::testing::Test {
 protected:
  DialogTest() { fs.AddFolder(u"C:\\Program"); }

  // Loads the settings from a file holding these key lines, as the program does at start.
  void LoadFrom(std::initializer_list<std::pair<const char16_t*, const char16_t*>> lines) {
    IniDocument doc;
    for (const auto& [key, value] : lines) doc.Set(u"Section", key, value);
    fs.StoreFile(store.BesideProgram(), doc.Serialize(), false);
    LoadSettings(app.settings, fs, store.Read());
    ScanImageFolder(app, fs, app.settings.ImageFolder);
  }
  void LoadWithoutFile() {
    LoadSettings(app.settings, fs, store.Read());
    ScanImageFolder(app, fs, app.settings.ImageFolder);
  }

  DialogModel& Open() {
    dialog = std::make_unique<DialogModel>(
        app, DialogServices{host, system, fs, pictures, random, clock, store, texture});
    dialog->Form_Load();
    return *dialog;
  }

  // A press and a release on the middle of a push button's caption.
  void Click(int16_t button, int16_t mouse = 1) {
    dialog->MouseDown({Ctl::lbl_Button, button}, mouse, 0, 5, 5);
    dialog->MouseUp({Ctl::lbl_Button, button}, mouse, 0, 5, 5);
  }
  void Press(Ctl control, int16_t index, int16_t mouse = 1) {
    dialog->MouseDown({control, index}, mouse, 0, 2, 2);
  }

  const Text& Caption(Ctl control, int16_t index = 0) const {
    return dialog->State({control, index}).caption;
  }
  Artwork Picture(Ctl control, int16_t index) const {
    return dialog->State({control, index}).picture;
  }
  int16_t SliderValue(Ctl control, int16_t index = 0) const {
    return dialog->Slider({control, index}).value;
  }
  std::string SavedFile() const { return fs.Content(store.BesideProgram()); }
  bool SavedLine(const char16_t* line) const {
    return SavedFile().find(Sjis(line)) != std::string::npos;
  }

  FakeFileSystem fs;
  FakeSystem system;
  FakeDialogHost host;
  FakePictureLoader pictures;
  ScriptedRandom random;
  SteppingClock clock;
  SettingsStore store{fs, u"C:\\Program", u""};
  const Surface* texture = nullptr;
  PictureList app;
  std::unique_ptr<DialogModel> dialog;
};

}  // namespace orv::test
