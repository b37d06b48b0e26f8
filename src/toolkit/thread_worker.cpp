#include "toolkit/thread_worker.h"

namespace orv {

ThreadWorker::ThreadWorker(std::function<void()> enter, std::function<void()> leave)
    : thread_([this, enter = std::move(enter), leave = std::move(leave)] {
        Run(enter, leave);
      }) {}

ThreadWorker::~ThreadWorker() {
  Stop(std::chrono::milliseconds(0));
  thread_.join();
}

uint64_t ThreadWorker::Post(Job job) {
  std::lock_guard lock(mutex_);
  ++posted_;
  // After a stop nothing runs any more: the job is dropped, which finishes it.
  if (stopping_) return posted_;
  jobs_.emplace_back(posted_, std::move(job));
  wake_.notify_one();
  return posted_;
}

bool ThreadWorker::Finished(uint64_t ticket) {
  // Tickets run in order: a job is done once it neither runs nor waits (dropped ones too).
  std::lock_guard lock(mutex_);
  return ticket <= posted_ && ticket != running_ &&
         (jobs_.empty() || ticket < jobs_.front().first);
}

bool ThreadWorker::Stop(std::chrono::milliseconds patience) {
  std::unique_lock lock(mutex_);
  stopping_ = true;
  stop_.request_stop();
  jobs_.clear();
  wake_.notify_one();
  return idle_.wait_for(lock, patience, [this] { return running_ == 0; });
}

void ThreadWorker::Run(const std::function<void()>& enter, const std::function<void()>& leave) {
  if (enter) enter();
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
    if (jobs_.empty()) break;
    auto [ticket, job] = std::move(jobs_.front());
    jobs_.pop_front();
    running_ = ticket;
    lock.unlock();
    try {
      job(stop_.get_token());
    } catch (...) {
      // A job that fails leaves nothing behind; the worker goes on with the next.
    }
    job = nullptr;  // what the job held is freed here, on this thread, not on the giver's
    lock.lock();
    running_ = 0;
    idle_.notify_all();
  }
  lock.unlock();
  if (leave) leave();
}

}  // namespace orv
