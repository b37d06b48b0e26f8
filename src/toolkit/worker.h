// Work handed to another thread. Jobs run one at a time, in the order they were given. The
// giver never waits for one: it asks whether a job has finished, and reads what the job
// left behind only once it has.
#pragma once
#include <cstdint>
#include <functional>
#include <stop_token>

namespace orv {

class Worker {
 public:
  // A job is asked to stop early through its token when the worker shuts down.
  using Job = std::function<void(std::stop_token)>;

  virtual ~Worker() = default;
  // Queues `job`; the ticket names it in Finished.
  virtual uint64_t Post(Job job) = 0;
  // Whether the job of `ticket` has run to its end. Once true, everything the job wrote is
  // visible to the caller. Never waits.
  virtual bool Finished(uint64_t ticket) = 0;
};

}  // namespace orv
