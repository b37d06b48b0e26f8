// The music module over the system's multimedia interface. (Playback arrives with the music
// work; until then the show is silent.)
#include "win32/app.h"

namespace orv::win {
namespace {

class SilentPlayer final : public MusicPlayer {
 public:
  void CdOpen() override {}
  void CdWatch() override {}
  bool CdWatchOn() const override { return false; }
  void CdPreviousTrack() override {}
  void CdNextTrack() override {}
  void CdStop() override {}
  void Mp3Play() override {}
  void Mp3Watch() override {}
  void Mp3Stop() override {}
  void WavPlay() override {}
  void WavStop() override {}
};

}  // namespace

std::unique_ptr<MusicPlayer> CreateMusicPlayer(App&) { return std::make_unique<SilentPlayer>(); }

}  // namespace orv::win
