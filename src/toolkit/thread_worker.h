// A Worker with a thread of its own. The thread lives as long as the object; ending it asks
// the running job to stop, drops the jobs still waiting and joins the thread.
#pragma once
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>

#include "toolkit/worker.h"

namespace orv {

class ThreadWorker final : public Worker {
 public:
  // `enter` runs on the thread before its first job and `leave` after its last, for what
  // the platform needs per thread.
  explicit ThreadWorker(std::function<void()> enter = {}, std::function<void()> leave = {});
  ~ThreadWorker() override;
  ThreadWorker(const ThreadWorker&) = delete;
  ThreadWorker& operator=(const ThreadWorker&) = delete;

  uint64_t Post(Job job) override;
  bool Finished(uint64_t ticket) override;

  // Asks the running job to stop and drops the waiting ones; true when the thread is idle
  // within `patience`. A job inside a call that cannot be interrupted may take longer: the
  // caller then decides whether to wait (by destroying the worker) or not.
  bool Stop(std::chrono::milliseconds patience);

 private:
  void Run(const std::function<void()>& enter, const std::function<void()>& leave);

  // A plain mutex and condition variables: the C++ library's own waiting on atomics (behind
  // latches, semaphores and stop callbacks) hung with MinGW's threads.
  std::mutex mutex_;
  std::condition_variable wake_;  // a job was queued, or the thread is to stop
  std::condition_variable idle_;  // a job ended
  std::deque<std::pair<uint64_t, Job>> jobs_;  // waiting, by ticket
  uint64_t posted_ = 0;
  uint64_t running_ = 0;  // the ticket of the job that runs, 0 for none
  bool stopping_ = false;
  std::stop_source stop_;  // what the jobs are told
  std::thread thread_;     // last: it starts once everything above exists
};

}  // namespace orv
