// What the display window asks of the music module: start, watch, steer and stop the
// background music. The module reads BgmFile and BgmRepeat from the run's settings.
#pragma once

namespace orv {

class MusicPlayer {
 public:
  virtual ~MusicPlayer() = default;
  virtual void CdOpen() = 0;
  virtual void CdWatch() = 0;           // one 200 ms watch tick; sets CdWatchOn
  virtual bool CdWatchOn() const = 0;
  virtual void CdPreviousTrack() = 0;
  virtual void CdNextTrack() = 0;
  virtual void CdStop() = 0;
  virtual void Mp3Play() = 0;
  virtual void Mp3Watch() = 0;          // one 1000 ms watch tick
  virtual void Mp3Stop() = 0;
  virtual void WavPlay() = 0;
  virtual void WavStop() = 0;
};

}  // namespace orv
