#include "images/image_order.h"

#include <algorithm>
#include <cmath>

namespace orv {
namespace {

// The positions 1..count not yet taken, as a Fenwick tree of counts, so that finding the
// rank-th one costs log(count) instead of a walk over the list: at 32,767 pictures the walk
// held the show for seconds at every new round.
class Untaken {
 public:
  explicit Untaken(int count) : tree_(static_cast<size_t>(count) + 1, 0) {
    for (int i = 1; i <= count; ++i) {
      tree_[static_cast<size_t>(i)] += 1;
      const int parent = i + (i & -i);
      if (parent <= count) tree_[static_cast<size_t>(parent)] += tree_[static_cast<size_t>(i)];
    }
  }

  // The rank-th untaken position (rank from 1), which is then taken.
  int Take(int rank) {
    const int count = static_cast<int>(tree_.size()) - 1;
    int position = 0;
    for (int step = HighestBit(count); step > 0; step >>= 1) {
      const int next = position + step;
      if (next <= count && tree_[static_cast<size_t>(next)] < rank) {
        position = next;
        rank -= tree_[static_cast<size_t>(next)];
      }
    }
    const int found = position + 1;
    for (int i = found; i <= count; i += i & -i) tree_[static_cast<size_t>(i)] -= 1;
    return found;
  }

 private:
  static int HighestBit(int n) {
    int bit = 1;
    while (bit <= n / 2) bit <<= 1;
    return bit;
  }
  std::vector<int> tree_;
};

}  // namespace

void BuildImageOrder(PictureList& app, Random& random) {
  const int count = app.imageCount;
  if (count < 1 || app.imageOrder.size() < static_cast<size_t>(count) + 1) return;
  if (app.settings.ChangeMode == 0) {
    for (int p = 1; p <= count; ++p) app.imageOrder[static_cast<size_t>(p)] = static_cast<int16_t>(p);
    return;
  }
  Untaken untaken(count);
  int filled = 0;
  for (int remaining = count; remaining > 0; --remaining) {
    random.Reseed();
    const int rank = static_cast<int>(std::floor(random.Next() * remaining)) + 1;
    app.imageOrder[static_cast<size_t>(++filled)] =
        static_cast<int16_t>(untaken.Take(std::clamp(rank, 1, remaining)));
  }
}

}  // namespace orv
