#include "display/fragments.h"

#include <cmath>

#include "core/numbers.h"

namespace orv {

using num::Single;

CrashParams CrashParamsFrom(const Settings& settings) {
  CrashParams p;
  p.burst = settings.PieceCount;
  p.intensity = settings.Intensity;
  p.spreadX = Single(settings.Spread / 5.0);
  p.spreadTilt = Single(settings.Spread / 10.0);
  p.bounce = Single(settings.PieceElasticity / 100.0);
  p.gravityStep = Single(settings.Gravity / 10.0);
  p.tickMs = settings.Speed;
  return p;
}

bool FragmentPool::Launch(const CrashParams& p, int32_t count, int16_t x, int16_t y,
                          Random& random) {
  if (count <= 0 || int64_t{active_} + count > kSlots) return false;
  active_ += count;
  size_t slot = 1;
  for (int32_t i = 0; i < count; ++i) {
    while (slot <= kSlots && slots_[slot].Enabled != kFalse) ++slot;
    if (slot > kSlots) break;  // cannot happen while the count is true
    Ball& b = slots_[slot++];
    b = Ball{};
    b.Enabled = kTrue;
    b.Xpos = x;
    b.Ypos = y;
    b.Xvel = Single(random.Next() * p.spreadX - p.spreadX / 2.0);
    b.Yvel = Single(-(random.Next() * p.intensity / 3 + p.intensity / 20));
    b.Ystart = y;
    b.Ytiltvel = Single(random.Next() * p.spreadTilt - p.spreadTilt / 2.0);
    b.Yshadow = static_cast<float>(y + 2);
    b.Shape = static_cast<int16_t>(std::floor(random.Next() * 4) + 1);
  }
  return true;
}

void FragmentPool::Free(Ball& ball) {
  ball.Enabled = kFalse;
  --active_;
}

void FragmentPool::Step(const CrashParams& p, double W, double H) {
  const double gravity = p.gravityStep;
  const float rest = Single(gravity * 0.5);
  for (int i = 1; i <= kSlots; ++i) {
    Ball& b = slots_[static_cast<size_t>(i)];
    if (b.Enabled == kFalse) continue;
    const double X = b.Xpos, Y = b.Ypos, D = b.Ytiltvel, G = b.Ystart, S = b.Yshadow;
    double V = double(b.Yvel) + gravity;
    const double T = double(b.Ytilt) + D;
    if (X < 0 || X > W || S < 0 || Single(Y + T + D) > H) {
      Free(b);
      continue;
    }
    const double newX = X + b.Xvel;
    double newY = Single(Y + V);
    if (newY > G) {  // below its ground line: bounce, damped
      newY = G;
      V = Single(-V * p.bounce);
      if (rest > Single(std::fabs(V))) {
        Free(b);
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

}  // namespace orv
