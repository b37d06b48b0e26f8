// The program's two ways of running window messages: the waiting ones only, from inside a
// handler that must let input and painting through (the show's tick, the dialog's long
// listings), and a loop that waits for messages until its owner is done.
#pragma once
#include <functional>

namespace orv::win {

// Runs the messages waiting now, a bounded number of them, so a fast timer cannot keep the
// caller here. A WM_QUIT found is posted again for the loop that waits for it.
void PumpWaiting();

// Runs messages until `done` answers true (checked before each wait) or WM_QUIT arrives.
// Returns WM_QUIT's exit code, or 0 when `done` ended the loop. Inside a loop that has a
// `done`, WM_QUIT is posted again so the outer loop ends too.
int RunMessages(const std::function<bool()>& done = {});

}  // namespace orv::win
