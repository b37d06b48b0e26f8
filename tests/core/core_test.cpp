// Text in UTF-8, UTF-16 and code page 932 and the program's number rules; the platform-neutral
// toolkit: the drawing surface, random numbers, the system and file-system rules (also worked
// through by start-up and the settings), and the worker thread.
#include <gtest/gtest.h>

#include <cmath>
#include <future>
#include <set>
#include <stdexcept>
#include <string>

#include "core/cp932.h"
#include "core/numbers.h"
#include "core/text.h"
#include "support/fake_file_system.h"
#include "support/fake_system.h"
#include "toolkit/picture_loader.h"
#include "toolkit/random.h"
#include "toolkit/surface.h"
#include "toolkit/thread_worker.h"

namespace orv {
namespace {

TEST(Utf8, RoundTripsEveryPlaneAndReplacesWhatIsNotText) {
  const Text text = u"a\u00e9\u07ff\u65e5\U00010000\U0001F600\U0010FFFFz";
  EXPECT_EQ(ToUtf8(u"\u65e5\U0001F600"), "\xE6\x97\xA5\xF0\x9F\x98\x80");
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
  EXPECT_TRUE(IsValidUtf8(ToUtf8(text)));
  EXPECT_FALSE(IsValidUtf8("a\xE6\x97"));
  for (const auto& [bytes, read] : {std::pair<std::string, Text>{"a\xFF" "b", u"a\uFFFDb"},
                                    {"\xE6\x97", u"\uFFFD\uFFFD"},            // cut short
                                    {"\xC0\x80", u"\uFFFD\uFFFD"},            // overlong NUL
                                    {"\xF0\x8F\xBF\xBF", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
                                    {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"}}) {  // a surrogate
    EXPECT_EQ(FromUtf8(bytes), read) << bytes;
  }
  // Lone surrogates, whichever half and wherever they stand, become U+FFFD.
  const Text lone{0xDFFF, 0xDC00, 0xDC00, 0xD800, 0xE000, 0xD800};
  EXPECT_EQ(FromUtf8(ToUtf8(lone)), Text(u"\uFFFD\uFFFD\uFFFD\uFFFD\uE000\uFFFD"));
}

TEST(Cp932, EveryByteAndEveryPairRoundTrips) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    if (!cp932::IsLeadByte(static_cast<unsigned char>(b))) {
      EXPECT_EQ(cp932::Encode(cp932::Decode(byte)), byte) << b;
    }
    for (int trail = 0x40; trail < 256; ++trail) {
      const Text c = cp932::Decode(byte + static_cast<char>(trail));
      if (c.size() == 1 && c[0] != u'\uFFFD') {
        EXPECT_EQ(cp932::Decode(*cp932::Encode(c)), c);
      }
    }
  }
  // U+2252 has two codes (NEC row 13 and JIS row 2); Windows writes 81 E0.
  EXPECT_EQ(cp932::Encode(u"\u2252"), "\x81\xE0");
  EXPECT_EQ(cp932::Decode("\x87\x90\x5C\x7E"), u"\u2252\\~");
  EXPECT_FALSE(cp932::Encode(u"caf\u00e9").has_value());
  EXPECT_EQ(cp932::Decode("\xEF\xBB\x81"), u"\uFFFD\uFF7B\uFFFD");  // unassigned pair, cut pair
}

TEST(Numbers, TextsReadLenientlyButOnlyAsOneFiniteNumber) {
  const std::pair<const char16_t*, std::optional<double>> cases[] = {
      {u" 10", 10}, {u"\t-1.5  ", -1.5}, {u"+7", 7}, {u".5", 0.5}, {u"1e3", 1000},
      {u"2D2", 200}, {u"1e-400", 0},  // underflow is a tiny number, not an error
      {u"", {}}, {u"abc", {}}, {u"1 2", {}}, {u"12abc", {}}, {u"-", {}}, {u"1e", {}},
      {u"inf", {}}, {u"nan", {}}, {u"0x10", {}}, {u"1e400", {}}, {u"--1", {}}, {u"１２", {}}};
  for (const auto& [text, parsed] : cases) EXPECT_EQ(num::ParseNumber(text), parsed) << ToUtf8(text);
  // The leading number skips blanks anywhere and stops at the first other character.
  EXPECT_EQ(num::ReadLeadingNumber(u"\t1\n2 3x9"), 123.0);
  EXPECT_EQ(num::ReadLeadingNumber(u"-3.5abc"), -3.5);
  EXPECT_EQ(num::ReadLeadingNumber(u":1234"), 0.0);
}

TEST(Numbers, RoundingIsHalfToEvenFloorIsDownwardsAndOverflowFails) {
  using N = std::optional<int64_t>;
  const std::pair<N, N> cases[] = {  // got, wanted
      {num::RoundToInt16(10.5), 10},           {num::RoundToInt16(-1.5), -2},
      {num::RoundToInt32(-76.8), -77},         {num::FloorToInt16(-1.5), -2},
      {num::FloorToInt32(-0.25), -1},          {num::RoundToInt16(-32768.5), -32768},
      {num::RoundToInt16(32767.5), {}},        {num::FloorToInt16(-32768.5), {}},
      {num::FloorToInt32(2147483647.9), 2147483647}, {num::FloorToInt32(2147483648.0), {}},
      {num::RoundToInt32(std::nan("")), {}},   {num::Add16(32766, 1), 32767},
      {num::Add16(32767, 1), {}},              {num::Add16(-32768, -1), {}}};
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].first, cases[i].second) << i;
  EXPECT_EQ(num::FormatNumber(-2147483648LL), u"-2147483648");
}

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
