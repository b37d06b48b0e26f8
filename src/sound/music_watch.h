// The display window's two music watch timers: Timer1 keeps a music file going (every
// 1000 ms), Timer2 keeps the audio CD going (every 200 ms) and switches itself off for good
// once the disc cannot be followed. A failing tick is passed over: the show goes on.
#pragma once
#include "sound/music_player.h"
#include "toolkit/timer.h"

namespace orv {

void Timer1_Timer(MusicPlayer& music);
void Timer2_Timer(MusicPlayer& music, Timer& timer2);

}  // namespace orv
