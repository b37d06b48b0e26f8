// The platform-neutral toolkit: random numbers, the system and file-system rules (also
// worked through by start-up and the settings), and the worker thread.
#include <gtest/gtest.h>

#include <future>
#include <set>
#include <stdexcept>

#include "support/fake_file_system.h"
#include "support/fake_system.h"
#include "toolkit/random.h"
#include "toolkit/thread_worker.h"

namespace orv {
namespace {

struct StoppedClock : Clock {
  double SecondsSinceMidnight() override { return 1234.5; }
};

TEST(ClockSeededRandom, IsRepeatableInTheUnitIntervalAndFreshAfterEachReseed) {
  StoppedClock clock;
  ClockSeededRandom random(clock, 42);
  EXPECT_DOUBLE_EQ(random.Next(), 0.7415648787718233);  // the same state gives the same show
  std::set<double> seen;
  for (int i = 0; i < 1000; ++i) {
    random.Reseed();  // at the same instant every time
    seen.insert(random.Next());
  }
  EXPECT_EQ(seen.size(), 1000u);
  EXPECT_TRUE(*seen.begin() >= 0 && *seen.rbegin() < 1);
}

TEST(ToolkitRules, SystemAndFileSystem) {
  test::FakeSystem system;
  system.version = {0, 2};  // the call failed
  EXPECT_EQ(IsWindowsNT(system), kFalse);
  EXPECT_EQ(AddBackslash(u"C:\\my\tpics  "), u"C:\\my\tpics\\");  // only spaces are trimmed
  test::FakeFileSystem fs;
  fs.AddFile(u"C:\\pics\\a.bmp", "", kAttrReadOnly);
  fs.AddFolder(u"E:\\");
  EXPECT_EQ(fs.ListEntries(u"C:\\pics\\*.bmp", false)->at(0).attributes, kAttrReadOnly);
  EXPECT_EQ(FolderExists(fs, u"E:\\"), kFalse);  // an empty drive root lists nothing
  EXPECT_EQ(FolderExists(fs, u""), kFalse);
  EXPECT_EQ(FileExists(fs, u"C:\\pics\\a.bmp\\"), kTrue);
}

// The worker thread, driven by promises the test holds: no sleeps, no timing.
TEST(ThreadWorker, RunsJobsInOrderAndStopDropsTheWaitingOnesAndSaysWhenItIsStuck) {
  std::vector<std::string> log;
  std::promise<void> started, release;
  bool askedToStop = false;
  {
    ThreadWorker worker([&] { log.push_back("enter"); }, [&] { log.push_back("leave"); });
    worker.Post([](std::stop_token) { throw std::runtime_error("no memory for the picture"); });
    const uint64_t stuck = worker.Post([&](std::stop_token stop) {
      started.set_value();
      release.get_future().wait();  // a call that cannot be interrupted
      askedToStop = stop.stop_requested();
      log.push_back("stuck");
    });
    const uint64_t waiting = worker.Post([&](std::stop_token) { log.push_back("dropped"); });
    started.get_future().wait();
    EXPECT_TRUE(worker.Finished(stuck - 1));
    EXPECT_FALSE(worker.Finished(stuck)) << "running";
    EXPECT_FALSE(worker.Finished(waiting)) << "waiting";
    EXPECT_FALSE(worker.Finished(waiting + 1)) << "never given";
    EXPECT_FALSE(worker.Stop(std::chrono::milliseconds(0)));
    EXPECT_TRUE(worker.Finished(waiting));
    EXPECT_TRUE(worker.Finished(worker.Post([&](std::stop_token) { log.push_back("late"); })));
    release.set_value();
    EXPECT_TRUE(worker.Stop(std::chrono::minutes(10)));
    EXPECT_TRUE(worker.Finished(stuck));
  }  // the end joins the thread: leave has run
  EXPECT_TRUE(askedToStop);
  EXPECT_EQ(log, (std::vector<std::string>{"enter", "stuck", "leave"}));
}

}  // namespace
}  // namespace orv
