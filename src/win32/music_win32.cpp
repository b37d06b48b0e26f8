// The music module over the system's multimedia interface, reading the run's settings.
#include <memory>

#include "sound/sound_02.h"
#include "win32/app.h"
#include "win32/win32_mci.h"

namespace orv::win {

std::unique_ptr<MusicPlayer> CreateMusicPlayer(App& app) {
  return std::make_unique<Sound_02>(app.state.settings, std::make_unique<Win32Mci>());
}

}  // namespace orv::win
