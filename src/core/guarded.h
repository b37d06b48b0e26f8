// A step whose failure is passed over so that the next step runs: nothing is reported.
#pragma once

namespace orv {

template <typename Step>
void Guarded(Step&& step) {
  try {
    step();
  } catch (...) {
  }
}

}  // namespace orv
