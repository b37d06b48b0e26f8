// The crash: the impact of the one-second tick, the launch of a burst, and the animation
// tick that moves the fragments and composes the frame.
#include <algorithm>
#include <cmath>

#include "core/guarded.h"
#include "core/numbers.h"
#include "display/display_window.h"

namespace orv {

using num::Single;

void DisplayWindow::SetCrashFactors() {
  const Settings& settings = s_.app.settings;
  Bounce = Single(settings.PieceElasticity / 100.0);
  GravityStep = Single(settings.Gravity / 10.0);
}

void DisplayWindow::Impact() {
  Random& random = s_.random;
  const Settings& settings = s_.app.settings;
  random.Reseed();
  ImpactX = num::FloorToInt16(random.Next() * ScreenW).value_or(0);
  ImpactY = num::FloorToInt16(random.Next() * ScreenH).value_or(0);
  // A burst flies only when the whole of it fits the pool. A burst size of 0 or less
  // launches nothing and leaves the count of fragments in flight true.
  if (settings.PieceCount > 0 && int64_t{balls.ActiveCount} + settings.PieceCount <= kBallSlots) {
    balls.ActiveCount += settings.PieceCount;
    LaunchPieces();
  }
  random.Reseed();
  const double tenths = std::floor(random.Next() * 4 + 2);  // flatness 0.2 .. 0.5
  const int16_t r = num::FloorToInt16(random.Next() * 11 + 10).value_or(10);
  const double ry = r * tenths / 10;  // exact for whole results: r x 0.3 with r = 10 is 3
  // Centred on the impact pixel: r columns either side and floor(ry) rows above and below.
  Master.FillEllipse(ImpactX + 0.5, ImpactY + 0.5, r, ry, kBlack);
  const int32_t reach = static_cast<int32_t>(std::ceil(ry));
  MarkMaster(ImpactX - r, ImpactY - reach, 2 * r + 1, 2 * reach + 1);
}

void DisplayWindow::LaunchPieces() {
  const Settings& settings = s_.app.settings;
  Random& random = s_.random;
  SetCrashFactors();
  SpreadX = Single(settings.Spread / 5.0);
  SpreadTilt = Single(settings.Spread / 10.0);
  const double intensity = settings.Intensity;
  const int n = static_cast<int>(std::min<int32_t>(settings.PieceCount, kBallSlots));
  int from = 1;
  for (int i = 0; i < n; ++i) {
    const int slot = balls.FirstFree(from);
    if (slot == 0) continue;
    from = slot + 1;
    Ball b{};
    b.Enabled = kTrue;
    b.Xpos = ImpactX;
    b.Ypos = ImpactY;
    b.Xvel = Single(random.Next() * SpreadX - SpreadX / 2.0);
    b.Yvel = Single(-(random.Next() * intensity / 3 + intensity / 20));
    b.Ystart = ImpactY;
    b.Ytilt = 0;
    b.Ytiltvel = Single(random.Next() * SpreadTilt - SpreadTilt / 2.0);
    b.Yshadow = static_cast<float>(ImpactY + 2);
    b.Shape = static_cast<int16_t>(std::floor(random.Next() * 4) + 1);
    balls[slot] = b;
  }
}

void DisplayWindow::MovePass() {
  const double W = ScreenW, H = ScreenH;
  const double gravity = GravityStep;
  const float rest = Single(gravity * 0.5);
  for (int i = 1; i <= kBallSlots; ++i) {
    Ball& b = balls[i];
    if (b.Enabled == kFalse) continue;
    const double X = b.Xpos, Y = b.Ypos, D = b.Ytiltvel, G = b.Ystart, S = b.Yshadow;
    double V = double(b.Yvel) + gravity;
    const double T = double(b.Ytilt) + D;
    if (X < 0 || X > W || S < 0 || Single(Y + T + D) > H) {
      b.Enabled = kFalse;
      --balls.ActiveCount;
      continue;
    }
    const double newX = X + b.Xvel;
    double newY = Single(Y + V);
    if (newY > G) {  // below its ground line: bounce, damped
      newY = G;
      V = Single(-V * Bounce);
      if (rest > Single(std::fabs(V))) {
        b.Enabled = kFalse;
        --balls.ActiveCount;
        continue;
      }
    }
    b.Yshadow = Single(std::floor(Y + T) + std::floor(G - Y) + 2);
    b.Xpos = Single(newX);
    b.Ypos = Single(newY);
    b.Yvel = Single(V);
    b.Ytilt = Single(T);
  }
}

void DisplayWindow::Timer3_Timer() {
  if (exit_.Ended()) return;
  // A change whose picture was not ready at its one-second tick happens at the first tick
  // that finds it ready; this tick's frame puts it on screen.
  if (changeDue_) ChangePicture(false);
  SetCrashFactors();
  s_.timers.Timer3.SetInterval(s_.app.settings.Speed);
  MovePass();
  Guarded([&] { ComposeFrame(); });
}

}  // namespace orv
