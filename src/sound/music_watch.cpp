#include "sound/music_watch.h"

#include "core/guarded.h"

namespace orv {

void Timer1_Timer(MusicPlayer& music) {
  Guarded([&] { music.Mp3Watch(); });
}

void Timer2_Timer(MusicPlayer& music, Timer& timer2) {
  Guarded([&] { music.CdWatch(); });
  timer2.SetEnabled(music.CdWatchOn());
}

}  // namespace orv
