// A music module over the scripted device, with the display window's two timers.
#pragma once
#include <memory>
#include <utility>

#include "music_timers.h"
#include "scripted_mci_device.h"
#include "settings/settings.h"
#include "sound/mci_music_player.h"

namespace orv::test {

struct MusicRig {
  Settings settings;
  ScriptedMciDevice* device;
  std::unique_ptr<Sound_02> sound;
  std::unique_ptr<MusicTimers> timers;

  MusicRig() {
    auto owned = std::make_unique<ScriptedMciDevice>();
    device = owned.get();
    sound = std::make_unique<Sound_02>(settings, std::move(owned));
    timers = std::make_unique<MusicTimers>(*sound, *device);
  }
};

}  // namespace orv::test
