// A display window on fakes, with the settings a fresh installation has.
#pragma once
#include <memory>

#include "display/display_window.h"
#include "display/show_fakes.h"
#include "support/fake_system.h"

namespace orv::test {

inline Settings DefaultShowSettings() {
  Settings s;
  s.SizeMode = 1;
  s.IntervalSec = 10;
  s.KindOn = {1, 1, 1, 1};
  s.PieceCount = 200;
  s.PieceElasticity = 35;
  s.Gravity = 10;
  s.Spread = 50;
  s.Intensity = 35;
  s.Speed = 20;
  return s;
}

struct ShowRig {
  explicit ShowRig(int width = 640, int height = 480) : host(width, height) {
    app.commandLine = u"/s";
    app.settings = DefaultShowSettings();
  }

  // Pictures named p1.bmp .. pN.bmp, each a plain colour, in list and sequential order.
  void AddPictures(int count, int width = 64, int height = 48) {
    app.imageList.assign(1, Text());
    for (int i = 1; i <= count; ++i) {
      const Text path = u"C:\\pics\\p" + FromUtf8(std::to_string(i)) + u".bmp";
      app.imageList.push_back(path);
      pictures.pictures[path] = Surface(width, height, Colour(i));
    }
    app.imageCount = static_cast<int16_t>(count);
    app.imageOrder.assign(static_cast<size_t>(count) + 1, 0);
    for (int i = 1; i <= count; ++i) app.imageOrder[static_cast<size_t>(i)] = static_cast<int16_t>(i);
  }
  static uint32_t Colour(int i) { return 0x101010u * static_cast<uint32_t>(i) + 0x000080u; }

  DisplayWindow& Window() {
    if (!window) {
      window = std::make_unique<DisplayWindow>(ShowServices{
          app, system, *rng, pictures, worker, music, pump, host,
          DisplayTimers{timer1, timer2, timer3, timer4}});
    }
    return *window;
  }
  DisplayWindow& Load() {
    Window().Form_Load();
    return *window;
  }

  AppState app;
  FakeSystem system;
  ScriptedRandom random;
  Random* rng = &random;  // what the window draws from
  FakePictures pictures;
  FakeWorker worker;  // after the pictures: its jobs use them
  FakeMusic music;
  FakePump pump;
  FakeHost host;
  FakeTimer timer1, timer2, timer3, timer4;
  std::unique_ptr<DisplayWindow> window;
};

}  // namespace orv::test
