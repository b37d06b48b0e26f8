// The worker thread, driven by promises the test holds: no sleeps, no timing.
#include "toolkit/thread_worker.h"

#include <gtest/gtest.h>

#include <future>
#include <stdexcept>
#include <vector>

namespace orv {
namespace {

using std::chrono::milliseconds;
constexpr milliseconds kAsLongAsItTakes{600'000};

TEST(ThreadWorker, AJobIsFinishedOnlyOnceItHasRunAndJobsRunInOrder) {
  ThreadWorker worker;
  std::promise<void> started;
  std::promise<void> release;
  std::vector<int> ran;
  const uint64_t first = worker.Post([&](std::stop_token) {
    started.set_value();
    release.get_future().wait();
    ran.push_back(1);
  });
  std::promise<void> secondRan;
  const uint64_t second = worker.Post([&](std::stop_token) {
    ran.push_back(2);
    secondRan.set_value();
  });
  started.get_future().wait();
  EXPECT_FALSE(worker.Finished(first)) << "running";
  EXPECT_FALSE(worker.Finished(second)) << "waiting";
  EXPECT_FALSE(worker.Finished(second + 1)) << "never given";
  release.set_value();
  secondRan.get_future().wait();
  ASSERT_TRUE(worker.Stop(kAsLongAsItTakes));  // nothing waits any more: idle once it ends
  EXPECT_TRUE(worker.Finished(first));
  EXPECT_TRUE(worker.Finished(second));
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
}

TEST(ThreadWorker, StopAsksTheRunningJobToStopDropsTheWaitingOnesAndSaysWhenItIsStuck) {
  ThreadWorker worker;
  std::promise<void> started;
  std::promise<void> release;
  bool askedToStop = false, laterRan = false;
  const uint64_t stuck = worker.Post([&](std::stop_token stop) {
    started.set_value();
    release.get_future().wait();  // a call that cannot be interrupted
    askedToStop = stop.stop_requested();
  });
  const uint64_t waiting = worker.Post([&](std::stop_token) { laterRan = true; });
  started.get_future().wait();
  EXPECT_FALSE(worker.Stop(milliseconds(0)));
  EXPECT_FALSE(worker.Finished(stuck));
  EXPECT_TRUE(worker.Finished(waiting)) << "dropped";
  const uint64_t afterStop = worker.Post([&](std::stop_token) { laterRan = true; });
  EXPECT_TRUE(worker.Finished(afterStop)) << "dropped at once";
  release.set_value();
  EXPECT_TRUE(worker.Stop(kAsLongAsItTakes));
  EXPECT_TRUE(worker.Finished(stuck));
  EXPECT_TRUE(askedToStop);
  EXPECT_FALSE(laterRan);
}

TEST(ThreadWorker, AFailingJobLeavesTheWorkerWorking) {
  ThreadWorker worker;
  worker.Post([](std::stop_token) { throw std::runtime_error("no memory for the picture"); });
  std::promise<int> next;
  worker.Post([&](std::stop_token) { next.set_value(7); });
  EXPECT_EQ(next.get_future().get(), 7);
}

TEST(ThreadWorker, EnterAndLeaveFrameTheJobsOnTheWorkersOwnThread) {
  std::vector<std::string> log;
  std::thread::id enterThread, jobThread, leaveThread;
  {
    ThreadWorker worker([&] { log.push_back("enter"), enterThread = std::this_thread::get_id(); },
                        [&] { log.push_back("leave"), leaveThread = std::this_thread::get_id(); });
    std::promise<void> ran;
    worker.Post([&](std::stop_token) {
      log.push_back("job");
      jobThread = std::this_thread::get_id();
      ran.set_value();
    });
    ran.get_future().wait();
  }  // the end joins the thread: leave has run
  EXPECT_EQ(log, (std::vector<std::string>{"enter", "job", "leave"}));
  EXPECT_NE(jobThread, std::this_thread::get_id());
  EXPECT_EQ(enterThread, jobThread);
  EXPECT_EQ(leaveThread, jobThread);
}

}  // namespace
}  // namespace orv
