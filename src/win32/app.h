// What the windows of one run share: the main module's state and the platform services.
#pragma once
#include <windows.h>

#include <chrono>
#include <memory>

#include "settings/settings_store.h"
#include "sound/music_player.h"
#include "startup/app_state.h"
#include "toolkit/random.h"
#include "win32/file_calls.h"
#include "win32/system_calls.h"

namespace orv::win {

struct App {
  HINSTANCE instance = nullptr;
  AppState state;
  Win32FileSystem files;
  Win32System system;
  WallClock clock;
  ClockSeededRandom random{clock};
  SettingsStore store{files, ProgramFolder(), UserDataFolder()};
};

// The program's windows. Each returns once its window exists (the show and the preview
// then live in the message loop) or, for the modal dialog, once it has closed.
void OpenDisplayWindow(App& app);
void RunSettingsDialog(App& app);
void OpenPreviewWindow(App& app, HWND host, int32_t width, int32_t height);

// Once the message loop has ended: stops the show's picture worker and frees the show's
// state. false when the worker is still inside a decode after `patience`; the state is then
// left as it is, for the worker still uses it.
bool CloseDisplayWindow(std::chrono::milliseconds patience);

// The music module for the display window, over the system's multimedia interface.
std::unique_ptr<MusicPlayer> CreateMusicPlayer(App& app);

}  // namespace orv::win
