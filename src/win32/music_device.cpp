// The music module over the system's multimedia interface, reading the run's settings.
#include <memory>

#include "sound/mci_music_player.h"
#include "win32/app.h"
#include "win32/mci_device.h"

namespace orv::win {

std::unique_ptr<MusicPlayer> CreateMusicPlayer(App& app) {
  return std::make_unique<Sound_02>(app.state.settings, std::make_unique<MciDevice>());
}

}  // namespace orv::win
