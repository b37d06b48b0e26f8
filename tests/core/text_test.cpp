// Text in UTF-8, UTF-16 and code page 932, and the program's number rules.
#include <gtest/gtest.h>

#include <cmath>

#include "core/cp932.h"
#include "core/numbers.h"
#include "core/text.h"

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

}  // namespace
}  // namespace orv
