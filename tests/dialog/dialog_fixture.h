// Stand-ins for the dialog's window, picture loader, random numbers and clock, and a fixture
// that opens the dialog from a settings file on an in-memory file system.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>
#include <memory>

#include "core/cp932.h"
#include "dialog/dialog_model.h"
#include "images/folder_scan.h"
#include "settings/load_settings.h"
#include "show_scene.h"
#include "support/fake_file_system.h"
#include "support/fake_system.h"
#include "support/show_fakes.h"

namespace orv::test {

using Texts = std::vector<Text>;

// Logs what the dialog asks of its window ("Place 335 232 609 560", "Browse", "EndDialog",
// ...); both browsers answer from `answers` in turn, cancelled once they run out.
class FakeDialogHost : public DialogHost {
 public:
  std::optional<PixelPoint> cursor = PixelPoint{500, 400};
  std::deque<std::optional<Text>> answers;
  std::function<void()> onDoEvents, onPaintNow;
  std::vector<std::string> calls;
  Text browsedFrom;
  OpenFileRequest fileRequest;
  std::vector<ControlId> invalidated;
  int doEvents = 0;

  long Count(const std::string& call) const { return std::count(calls.begin(), calls.end(), call); }
  PixelSize ScreenSize() override { return {1280, 1024}; }
  void PlaceWindow(int32_t l, int32_t t, int32_t w, int32_t h) override { Log("Place", {l, t, w, h}); }
  std::optional<PixelPoint> CursorPos() override { return cursor; }
  void ZoomOpen(int16_t x, int16_t y) override { Log("ZoomOpen", {x, y}); }
  void ZoomClose(int16_t x, int16_t y) override { Log("ZoomClose", {x, y}); }
  // Marks a corner, so a test sees the edge goes into the surface itself.
  void DrawFrameEdge(Surface& s, EdgeRect r, uint32_t edge, uint32_t flags) override {
    Log("Edge", {r.left, r.top, r.right, r.bottom, int32_t(edge), int32_t(flags)});
    if (!s.Empty()) s.SetPixel(0, 0, kWhite);
  }
  void DoEvents() override { ++doEvents, onDoEvents ? onDoEvents() : void(); }
  void PaintNow() override { onPaintNow ? onPaintNow() : void(); }
  void SetPointer(Pointer p) override { Log("Pointer", {int32_t(p)}); }
  std::optional<Text> BrowseForFolder(const Text&, const Text& start) override {
    browsedFrom = start;
    return Answer("Browse");
  }
  std::optional<Text> ChooseOpenFile(const OpenFileRequest& request) override {
    fileRequest = request;
    return Answer("ChooseFile");
  }
  void OpenDocument(const Text& address) override { calls.push_back("Open " + ToUtf8(address)); }
  void EndDialog() override { calls.push_back("EndDialog"); }
  void Invalidate(ControlId id) override { invalidated.push_back(id); }

 private:
  void Log(std::string call, std::initializer_list<int32_t> args) {
    for (const int32_t a : args) call += " " + std::to_string(a);
    calls.push_back(call);
  }
  std::optional<Text> Answer(const char* call) {
    calls.push_back(call);
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

// Pins a picture without storing it: each number as its eight bytes, lowest first.
struct Digest : bench::Fnv1a {
  Digest& operator<<(int64_t v) {
    uint8_t bytes[8];
    for (int i = 0; i < 8; ++i) bytes[i] = uint8_t(v >> (8 * i));
    Mix(bytes, sizeof bytes);
    return *this;
  }
  Digest& operator<<(const Surface& s) {
    for (const uint32_t c : s.Pixels()) *this << c;
    return *this;
  }
};

// The time of day, moving on by `step` seconds at every reading and starting again at
// midnight. By default readings lie more than an event pass apart.
struct SteppingClock : Clock {
  double now = 0, step = 0.1;
  double SecondsSinceMidnight() override { return now = std::fmod(now + step, 86400.0); }
};

class DialogTest : public ::testing::Test {
 protected:
  DialogTest() { fs.AddFolder(u"C:\\Program"); }

  // Loads the settings as the program does at start, from a file holding these key lines
  // (no file at all when there are none).
  void Load(std::initializer_list<std::pair<const char16_t*, const char16_t*>> lines = {}) {
    if (lines.size() != 0) {
      IniDocument doc;
      for (const auto& [key, value] : lines) doc.Set(u"Section", key, value);
      fs.StoreFile(store.BesideProgram(), doc.Serialize(), false);
    }
    LoadSettings(app.settings, fs, store.Read());
    ScanImageFolder(app, fs, app.settings.ImageFolder);
  }
  void Open() {
    dialog = std::make_unique<DialogModel>(
        app, DialogServices{host, system, fs, pictures, random, clock, store, texture});
    dialog->Form_Load();
  }
  void Start(std::initializer_list<std::pair<const char16_t*, const char16_t*>> lines = {}) {
    Load(lines);
    Open();
  }
  // A press and a release on a push button's caption.
  void Click(int16_t button, int16_t mouse = 1) {
    dialog->MouseDown({Ctl::lbl_Button, button}, mouse, 0, 5, 5);
    dialog->MouseUp({Ctl::lbl_Button, button}, mouse, 0, 5, 5);
  }
  void Press(Ctl control, int16_t index, int16_t mouse = 1) {
    dialog->MouseDown({control, index}, mouse, 0, 2, 2);
  }
  void Choose(const Text& folder) {
    host.answers.push_back(folder);
    Click(0);
  }

  const Text& Caption(Ctl name, int16_t i = 0) const { return dialog->State({name, i}).caption; }
  Artwork Picture(Ctl name, int16_t i) const { return dialog->State({name, i}).picture; }
  // The marks by group: order, size, music, kinds; 1 on, 0 off, - none.
  std::string Marks() const {
    std::string s;
    for (const auto& [marks, n] : {std::pair{Ctl::Img_SR, 2}, {Ctl::Img_Size, 2},
                                   {Ctl::Img_BGM, 3}, {Ctl::Img_Kind, 4}}) {
      if (!s.empty()) s += ' ';
      for (int16_t i = 0; i < n; ++i) {
        const Artwork a = Picture(marks, i);
        s += a == Artwork::kOptionOn || a == Artwork::kKindOn ? '1' : a == Artwork::kNone ? '-' : '0';
      }
    }
    return s;
  }
  // The interval's caption, then the six crash values'.
  std::string Values() const {
    std::string s = ToUtf8(Caption(Ctl::lbl_Sec)) + " |";
    for (int16_t k = 0; k < 6; ++k) s += " " + ToUtf8(Caption(Ctl::lbl_Value, k));
    return s;
  }
  // The list's names, then the count box: "a.bmp b.bmp | 2".
  std::string Listing() const {
    std::string s;
    for (const Text& item : dialog->ListItems()) s += ToUtf8(item) + " ";
    return s + "| " + ToUtf8(Caption(Ctl::lbl_Kei));
  }
  bool SavedLine(const char16_t* line) const {
    return fs.Content(store.BesideProgram()).find(*cp932::Encode(line)) != std::string::npos;
  }

  FakeFileSystem fs;
  FakeSystem system;
  FakeDialogHost host;
  FakePictures pictures;
  ScriptedRandom random;
  SteppingClock clock;
  SettingsStore store{fs, u"C:\\Program", u""};
  const Surface* texture = nullptr;
  PictureList app;
  std::unique_ptr<DialogModel> dialog;
};

}  // namespace orv::test
