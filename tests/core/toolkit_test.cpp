// The platform-neutral toolkit: the drawing surface, random numbers, the system and
// file-system rules (also worked through by start-up and the settings), and the worker thread.
#include <gtest/gtest.h>

#include <future>
#include <set>
#include <stdexcept>
#include <string>

#include "support/fake_file_system.h"
#include "support/fake_system.h"
#include "toolkit/picture_loader.h"
#include "toolkit/random.h"
#include "toolkit/surface.h"
#include "toolkit/thread_worker.h"

namespace orv {
namespace {

// The surface checked as pictures: one character a pixel (its value as a digit, '#' for
// white), rows joined by '/'.
std::string Art(const Surface& s) {
  std::string art;
  for (int y = 0; y < s.Height(); ++y) {
    if (y) art += '/';
    for (int x = 0; x < s.Width(); ++x) {
      const uint32_t p = s.Pixel(x, y);
      art += p == kWhite ? '#' : p < 10 ? static_cast<char>('0' + p) : '?';
    }
  }
  return art;
}

// A 3 x 3 source whose pixels name their place: 1 2 3 / 4 5 6 / 7 8 9.
Surface Numbered() {
  Surface s(3, 3);
  for (int i = 0; i < 9; ++i) s.SetPixel(i % 3, i / 3, static_cast<uint32_t>(i + 1));
  return s;
}

TEST(FillBox, IncludesBothCornersAndClipsToTheSurface) {
  Surface s(5, 3);
  s.FillBox(-3, -3, 1, 0, kWhite);
  s.FillBox(3, 1, 9, 9, 2);
  s.FillBox(10, 0, 20, 1, 3);  // wholly outside, or corners swapped: nothing
  s.FillBox(3, 0, 1, 1, 3);
  EXPECT_EQ(Art(s), "##000/00022/00022");
  Surface columnless(0, 3);  // a screen measured 0 pixels wide
  columnless.FillBox(0, 0, -1, 2, kWhite);
  EXPECT_TRUE(columnless.Empty());
}

TEST(FillEllipse, FillsThePixelsWhoseCentresLieInside) {
  Surface s(9, 7);
  s.FillEllipse(4.5, 3.5, 4, 3, 1);
  s.FillEllipse(2, 6, 2, 2, 2);  // cut by the bottom edge
  s.FillEllipse(8.4, 0, 1, 1, kWhite);
  s.FillEllipse(4, 4, -1, 3, 3);  // a negative half-axis draws nothing
  EXPECT_EQ(Art(s), "00001000#/001111100/011111110/111111111/022111110/222211100/222210000");
}

TEST(BitBlt, CombinesPixelsAndClipsAtEveryEdgeOfBothSurfaces) {
  Surface dst(2, 1, 0x123456);
  BitBlt(dst, 0, 0, 1, 1, Surface(1, 1, 0x00FF00), 0, 0, Rop::kSrcAnd);
  BitBlt(dst, 1, 0, 1, 1, Surface(1, 1, 0x00FF00), 0, 0, Rop::kSrcInvert);
  EXPECT_EQ(dst.Pixels(), (std::vector<uint32_t>{0x003400, 0x12CB56}));

  Surface s(4, 4, kWhite);
  BitBlt(s, -1, -1, 3, 3, Numbered(), 0, 0, Rop::kSrcCopy);  // the top-left corner cut
  BitBlt(s, 3, 3, 3, 3, Numbered(), 0, 0, Rop::kSrcCopy);    // the bottom-right corner cut
  BitBlt(s, 2, 0, 5, 5, Numbered(), 2, 1, Rop::kSrcCopy);    // the source runs out
  BitBlt(s, 2, 1, 2, 2, Numbered(), -1, -1, Rop::kSrcCopy);  // from before the source
  BitBlt(s, 0, 0, -5, 5, Numbered(), 0, 0, Rop::kSrcCopy);
  EXPECT_EQ(Art(s), "566#/899#/###1/###1");
}

TEST(StretchBlt, TakesTheSourcePixelUnderEachTargetCentre) {
  Surface s(7, 3, kWhite);
  StretchBlt(s, 0, 0, 5, 2, Numbered(), 0, 0, 2, 1);  // 2 x 1 onto 5 x 2
  StretchBlt(s, -2, 2, 6, 1, Numbered(), 0, 1, 3, 1);  // clipped on the left
  StretchBlt(s, 6, 0, 1, 3, Numbered(), 2, 0, 1, 3);   // one column wide
  for (const Surface& empty : {Surface(), Numbered()}) {  // empty source, or source width 0
    StretchBlt(s, 5, 0, 1, 1, empty, 0, 0, empty.Empty() ? 1 : 0, 1);
  }
  EXPECT_EQ(Art(s), "11222#3/11222#6/5566##9");
}

TEST(SurfaceRows, ReadsEachRowOfTheHeldPicture) {
  SurfaceRows rows(Numbered());
  uint32_t row[3] = {};
  EXPECT_TRUE(rows.ReadRow(0, row) && rows.ReadRow(2, row) && !rows.ReadRow(-1, row) && !rows.ReadRow(3, row));
  EXPECT_EQ(row[0] * 10 + row[2], 79u);
}

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
