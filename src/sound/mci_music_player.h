// The music module: background music from a file (MP3 through the multimedia command
// interface, WAV through the simple sound player) or from an audio CD, started by the
// display window's load, kept going by its two watch timers and stopped when the show ends.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>

#include "core/text.h"
#include "settings/settings.h"
#include "sound/mci_command_layer.h"
#include "sound/mci_interface.h"
#include "sound/music_player.h"

namespace orv {

class Sound_02 final : public MusicPlayer {
 public:
  // Reply fields of the two mode queries; only their first 7 characters are compared.
  static constexpr uint32_t kCdModeSize = 255;
  static constexpr uint32_t kFileModeSize = 30;
  // PlaySound flags: asynchronous (1) and looped (8).
  static constexpr uint32_t kWavLoopFlags = 9;

  // settings is the run's record (BgmFile, BgmRepeat), read at each call.
  Sound_02(const Settings& settings, std::unique_ptr<MciInterface> mci);

  void CdOpen() override;
  void CdWatch() override;
  bool CdWatchOn() const override { return cdWatchOn_; }
  void CdPreviousTrack() override;
  void CdNextTrack() override;
  void CdStop() override;
  void Mp3Play() override;
  void Mp3Watch() override;
  void Mp3Stop() override;
  void WavPlay() override;
  void WavStop() override;

  bool Mp3IsPlaying();
  MciCommandLayer& Commands() { return layer_; }

  // The open command of the music file, its path in double quotes so that the command
  // parser keeps a path with blanks whole; nullopt for a path that cannot be quoted.
  static std::optional<Text> OpenCommand(const Text& path);

 private:
  void PlayTrackBeside(int16_t step);
  void SendDirect(const Text& command);

  const Settings& settings_;
  std::unique_ptr<MciInterface> mci_;
  MciCommandLayer layer_;
  bool cdWatchOn_ = false;
};

}  // namespace orv
