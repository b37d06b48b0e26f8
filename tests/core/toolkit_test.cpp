// The platform-neutral toolkit: random numbers, the system and file-system rules, and the
// worker thread (driven by promises the test holds: no sleeps, no timing).
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
  // The same state gives the same show.
  EXPECT_DOUBLE_EQ(random.Next(), 0.7415648787718233);
  std::set<double> seen;
  for (int i = 0; i < 100000; ++i) {
    if (i % 1000 == 0) random.Reseed();  // at the same instant every time
    const double u = random.Next();
    ASSERT_TRUE(u >= 0 && u < 1) << u;
    seen.insert(u);
  }
  EXPECT_EQ(seen.size(), 100000u);
}

TEST(SystemRules, VersionSaverFlagAndModeLetter) {
  test::FakeSystem system;
  for (const auto& [version, nt] : {std::pair{VersionInfo{1, 2}, kTrue}, {{1, 1}, kFalse},
                                    {{0, 2}, kFalse}, {{2, 2}, kFalse}}) {
    system.version = version;
    EXPECT_EQ(IsWindowsNT(system), nt) << version.result << " " << version.platformId;
  }
  SetScreenSaverStopped(system, kTrue);
  SetScreenSaverStopped(system, kFalse);
  EXPECT_EQ(std::vector<std::string>(system.calls.end() - 2, system.calls.end()),
            (std::vector<std::string>{"SPI 97 0", "SPI 97 -1"}));
  EXPECT_EQ(ModeLetter(u"-c:12"), u"C");
  EXPECT_EQ(ModeLetter(u"s"), u"");
}

TEST(FileSystemRules, BackslashesAndExistence) {
  EXPECT_EQ(AddBackslash(u"C:\\my pics  "), u"C:\\my pics\\");
  EXPECT_EQ(AddBackslash(u"C:\\pics\\"), u"C:\\pics\\");
  EXPECT_EQ(AddBackslash(u"C:\\pics\t"), u"C:\\pics\t\\");  // only spaces are trimmed
  EXPECT_EQ(AddBackslash(u""), u"\\");
  test::FakeFileSystem fs;
  fs.AddFile(u"C:\\pics\\a.bmp", "", kAttrReadOnly);
  fs.AddFolder(u"C:\\empty");
  fs.AddFolder(u"E:\\");
  const auto listed = fs.ListEntries(u"C:\\pics\\*.bmp", false);
  ASSERT_EQ(listed->size(), 1u);
  EXPECT_EQ(listed->at(0).attributes, kAttrReadOnly);
  const std::pair<const char16_t*, int16_t> folders[] = {
      {u"C:\\pics", kTrue}, {u"C:\\empty", kTrue},  // its own "." entry
      {u"E:\\", kFalse},    // an empty drive root lists nothing
      {u"C:\\pics\\a.bmp", kFalse}, {u"C:\\gone", kFalse}, {u"", kFalse}};
  for (const auto& [path, exists] : folders) EXPECT_EQ(FolderExists(fs, path), exists) << ToUtf8(path);
  EXPECT_EQ(FileExists(fs, u"C:\\pics\\a.bmp\\"), kTrue);
  EXPECT_EQ(FileExists(fs, u"C:\\pics"), kFalse);
  fs.unreadable.insert(u"C:\\pics\\a.bmp");
  EXPECT_EQ(FileExists(fs, u"C:\\pics\\a.bmp"), kFalse);
}

using std::chrono::milliseconds;
constexpr milliseconds kAsLongAsItTakes{600'000};

TEST(ThreadWorker, RunsJobsInOrderOnItsOwnThreadPastAFailingOne) {
  std::vector<std::string> log;
  std::promise<void> started, release, done;
  uint64_t first = 0, last = 0;
  const std::thread::id giver = std::this_thread::get_id();
  {
    ThreadWorker worker([&] { log.push_back("enter"); }, [&] { log.push_back("leave"); });
    first = worker.Post([&](std::stop_token) {
      started.set_value();
      release.get_future().wait();
      log.push_back(std::this_thread::get_id() == giver ? "first, on the giver's thread" : "first");
    });
    worker.Post([](std::stop_token) { throw std::runtime_error("no memory for the picture"); });
    last = worker.Post([&](std::stop_token) {
      log.push_back("last");
      done.set_value();
    });
    started.get_future().wait();
    EXPECT_FALSE(worker.Finished(first)) << "running";
    EXPECT_FALSE(worker.Finished(last)) << "waiting";
    EXPECT_FALSE(worker.Finished(last + 1)) << "never given";
    release.set_value();
    done.get_future().wait();
    ASSERT_TRUE(worker.Stop(kAsLongAsItTakes));
    EXPECT_TRUE(worker.Finished(first));
    EXPECT_TRUE(worker.Finished(last));
  }  // the end joins the thread: leave has run
  EXPECT_EQ(log, (std::vector<std::string>{"enter", "first", "last", "leave"}));
}

TEST(ThreadWorker, StopAsksTheRunningJobToStopDropsTheWaitingOnesAndSaysWhenItIsStuck) {
  ThreadWorker worker;
  std::promise<void> started, release;
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
  EXPECT_TRUE(worker.Finished(worker.Post([&](std::stop_token) { laterRan = true; })));
  release.set_value();
  EXPECT_TRUE(worker.Stop(kAsLongAsItTakes));
  EXPECT_TRUE(worker.Finished(stuck));
  EXPECT_TRUE(askedToStop);
  EXPECT_FALSE(laterRan);
}

}  // namespace
}  // namespace orv
