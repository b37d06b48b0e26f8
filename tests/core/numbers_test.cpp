#include "core/numbers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orv::num {
namespace {

TEST(ParseNumber, AcceptsTheLenientForms) {
  EXPECT_EQ(ParseNumber(u" 10"), 10.0);
  EXPECT_EQ(ParseNumber(u"\t-1.5  "), -1.5);
  EXPECT_EQ(ParseNumber(u"+7"), 7.0);
  EXPECT_EQ(ParseNumber(u".5"), 0.5);
  EXPECT_EQ(ParseNumber(u"1e3"), 1000.0);
  EXPECT_EQ(ParseNumber(u"2D2"), 200.0);
  EXPECT_EQ(ParseNumber(u"1e-400"), 0.0);  // underflow is a tiny number, not an error
}

TEST(ParseNumber, RejectsTextThatIsNotOneNumber) {
  for (const char16_t* bad : {u"", u"  ", u"abc", u"1 2", u"12abc", u"-", u"+", u"1e", u"inf",
                              u"nan", u"0x10", u"1e400", u"--1", u"１２"}) {
    EXPECT_FALSE(ParseNumber(bad).has_value()) << ToUtf8(bad);
  }
}

TEST(ReadLeadingNumber, SkipsBlanksAnywhereAndStopsAtTheFirstOtherCharacter) {
  EXPECT_EQ(ReadLeadingNumber(u" 12 34"), 1234.0);
  EXPECT_EQ(ReadLeadingNumber(u"\t1\n2x9"), 12.0);
  EXPECT_EQ(ReadLeadingNumber(u"-3.5abc"), -3.5);
  EXPECT_EQ(ReadLeadingNumber(u"abc"), 0.0);
  EXPECT_EQ(ReadLeadingNumber(u""), 0.0);
  EXPECT_EQ(ReadLeadingNumber(u":1234"), 0.0);
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundToInt16(10.5), 10);
  EXPECT_EQ(RoundToInt16(11.5), 12);
  EXPECT_EQ(RoundToInt16(12.5), 12);
  EXPECT_EQ(RoundToInt16(13.5), 14);
  EXPECT_EQ(RoundToInt16(-0.5), 0);
  EXPECT_EQ(RoundToInt16(-1.5), -2);
  EXPECT_EQ(RoundToInt32(921.6), 922);
  EXPECT_EQ(RoundToInt32(-76.8), -77);
}

TEST(Rounding, FloorTakesNegativeFractionsDownwards) {
  EXPECT_EQ(FloorToInt16(1.9), 1);
  EXPECT_EQ(FloorToInt16(-1.5), -2);
  EXPECT_EQ(FloorToInt32(-0.25), -1);
}

TEST(Rounding, ResultsThatDoNotFitFail) {
  EXPECT_EQ(RoundToInt16(32767.0), 32767);
  EXPECT_FALSE(RoundToInt16(32767.5).has_value());  // rounds to 32768
  EXPECT_EQ(RoundToInt16(-32768.5), -32768);        // rounds to the even -32768
  EXPECT_FALSE(FloorToInt16(70000).has_value());
  EXPECT_FALSE(FloorToInt16(-32768.5).has_value());
  EXPECT_EQ(FloorToInt32(2147483647.9), 2147483647);
  EXPECT_FALSE(FloorToInt32(2147483648.0).has_value());
  EXPECT_FALSE(RoundToInt32(1e300).has_value());
  EXPECT_FALSE(RoundToInt32(std::nan("")).has_value());
}

TEST(Add16, ReportsOverflow) {
  EXPECT_EQ(Add16(32766, 1), 32767);
  EXPECT_FALSE(Add16(32767, 1).has_value());
  EXPECT_FALSE(Add16(-32768, -1).has_value());
}

TEST(FormatNumber, PutsABlankBeforeNonNegativeNumbers) {
  EXPECT_EQ(FormatNumber(10), u" 10");
  EXPECT_EQ(FormatNumber(0), u" 0");
  EXPECT_EQ(FormatNumber(-1), u"-1");
  EXPECT_EQ(FormatNumber(-2147483648LL), u"-2147483648");
}

TEST(Single, StoresTheNearestFloat) {
  EXPECT_EQ(Single(0.1), 0.1f);
  EXPECT_NE(static_cast<double>(Single(0.1)), 0.1);
}

}  // namespace
}  // namespace orv::num
