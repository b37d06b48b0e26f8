#include "images/image_order.h"

#include <cmath>

namespace orv {

void BuildImageOrder(AppState& app, Random& random) {
  const int count = app.imageCount;
  if (count < 1 || app.imageOrder.size() < static_cast<size_t>(count) + 1) return;
  if (app.settings.ChangeMode == 0) {
    for (int p = 1; p <= count; ++p) app.imageOrder[static_cast<size_t>(p)] = static_cast<int16_t>(p);
    return;
  }
  std::vector<bool> taken(static_cast<size_t>(count) + 1, false);
  int filled = 0;
  for (int remaining = count; remaining > 0; --remaining) {
    random.Reseed();
    const int rank = static_cast<int>(std::floor(random.Next() * remaining)) + 1;
    for (int j = 1, untaken = 0; j <= count; ++j) {
      if (taken[static_cast<size_t>(j)] || ++untaken != rank) continue;
      taken[static_cast<size_t>(j)] = true;
      app.imageOrder[static_cast<size_t>(++filled)] = static_cast<int16_t>(j);
      break;
    }
  }
}

}  // namespace orv
