#include "preview_still.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "display/sprites.h"
#include "startup/preview.h"

namespace orv::art {
namespace {

uint32_t Rgb(double r, double g, double b) {
  const auto c = [](double v) { return uint32_t(std::clamp(std::lround(v), 0L, 255L)); };
  return c(r) << 16 | c(g) << 8 | c(b);
}

// A small fixed generator, so the still is the same on every machine.
class Dice {
 public:
  double Next() {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return double(state_ >> 11) / 9007199254740992.0;
  }

 private:
  uint64_t state_ = 0x0A17C0DEull;
};

constexpr double kCentreX = 76;
constexpr double kCentreY = 72;

void Ground(Surface& s, Dice& dice) {
  for (int y = 0; y < s.Height(); ++y) {
    const double t = double(y) / (s.Height() - 1);  // darker far away, lighter near
    for (int x = 0; x < s.Width(); ++x) {
      const double grain = dice.Next() * 10 - 5;
      s.SetPixel(x, y, Rgb(18 + 24 * t + grain * 0.4, 46 + 60 * t + grain, 120 + 90 * t + grain));
    }
  }
}

void Oval(Surface& s) {
  // A soft purple rim round a deeper purple heart, flattened like the show's craters.
  s.FillEllipse(kCentreX, kCentreY, 27, 10, Rgb(92, 40, 120));
  s.FillEllipse(kCentreX, kCentreY, 23, 8, Rgb(124, 56, 160));
  s.FillEllipse(kCentreX, kCentreY + 0.5, 17, 5.5, Rgb(84, 30, 112));
  s.FillEllipse(kCentreX - 5, kCentreY - 2, 6, 1.6, Rgb(168, 110, 200));  // a glint
}

}  // namespace

Surface RenderPreviewStill() {
  Surface still(kPreviewStillWidth, kPreviewStillHeight);
  Dice dice;
  Ground(still, dice);
  Oval(still);

  // A burst a moment after the impact: each fragment somewhere on its arc, its shadow on
  // the ground straight below it. Shadows go down first, as the show draws them.
  struct Fragment {
    int16_t shape;
    int32_t x, groundY, height;
  };
  std::vector<Fragment> burst;
  for (int i = 0; i < 70; ++i) {
    const double angle = dice.Next() * 2 * M_PI;
    const double reach = 8 + dice.Next() * 58;
    const double x = kCentreX + std::cos(angle) * reach;
    const double ground = kCentreY + std::sin(angle) * reach * 0.38;
    // Far-flung fragments are already falling back; near ones still climb.
    const double lift = (1 - reach / 70) * (10 + dice.Next() * 48) + dice.Next() * 6;
    burst.push_back(Fragment{int16_t(1 + int(dice.Next() * 4)), int32_t(std::lround(x)),
                             int32_t(std::lround(ground)), int32_t(std::lround(lift))});
  }
  std::sort(burst.begin(), burst.end(),
            [](const Fragment& a, const Fragment& b) { return a.groundY < b.groundY; });
  const Surface sheet = MakeBallPic();
  for (const Fragment& f : burst) DrawShadow(sheet, still, f.shape, f.x - 2, f.groundY + 2);
  for (const Fragment& f : burst) DrawPiece(sheet, still, f.shape, f.x - 2, f.groundY - f.height);
  return still;
}

}  // namespace orv::art
