#include <gtest/gtest.h>

#include "core/cp932.h"
#include "core/text.h"

namespace orv {
namespace {

TEST(Utf8, RoundTripsEveryPlane) {
  const Text text = u"a\u00e9\u65e5\U0001F600z";
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
  EXPECT_EQ(ToUtf8(u"\u65e5"), "\xE6\x97\xA5");
}

TEST(Utf8, BadBytesBecomeReplacementCharacters) {
  EXPECT_EQ(FromUtf8("a\xFF" "b"), u"a\uFFFDb");
  EXPECT_EQ(FromUtf8("\xE6\x97"), u"\uFFFD\uFFFD");        // cut sequence
  EXPECT_EQ(FromUtf8("\xC0\x80"), u"\uFFFD\uFFFD");        // overlong NUL
  EXPECT_EQ(FromUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
  EXPECT_FALSE(IsValidUtf8("\xFF"));
  EXPECT_EQ(ToUtf8(Text(1, char16_t(0xD800))), "\xEF\xBF\xBD");  // lone surrogate
}

TEST(Cp932, EncodesTheSettingsKeysAsJapaneseWindowsDoes) {
  EXPECT_EQ(cp932::Encode(u"画像ﾁｪﾝｼﾞ"), "\x89\xE6\x91\x9C\xC1\xAA\xDD\xBC\xDE");
  EXPECT_EQ(cp932::Encode(u"BGM区分"), "BGM\x8B\xE6\x95\xAA");
  EXPECT_EQ(cp932::Decode("\x8F\xAC\x95\xD0\x82\xCC\x90\x94"), u"小片の数");
}

TEST(Cp932, ChoosesTheCodeWindowsPrefersForDuplicates) {
  // U+2252 exists twice (NEC row 13 and JIS row 2); Windows encodes it as 81 E0.
  EXPECT_EQ(cp932::Encode(u"\u2252"), "\x81\xE0");
  EXPECT_EQ(cp932::Decode("\x87\x90"), u"\u2252");
  EXPECT_EQ(cp932::Decode("\x5C\x7E"), u"\\~");  // single bytes stay ASCII
}

TEST(Cp932, ReportsCharactersOutsideTheCodePage) {
  EXPECT_FALSE(cp932::Encode(u"caf\u00e9").has_value());
  EXPECT_FALSE(cp932::Encode(u"\U0001F600").has_value());
  EXPECT_EQ(cp932::Decode("\x81"), u"\uFFFD");         // lead byte at the end
  EXPECT_EQ(cp932::Decode("\xEF\xBB"), u"\uFFFD\uFF7B");  // unassigned pair: resync
}

TEST(TextHelpers, CaseAndBlanks) {
  EXPECT_EQ(AsciiUpper(u"abc.Mp3ｱ"), u"ABC.MP3ｱ");
  EXPECT_TRUE(EqualsAsciiCaseBlind(u"Section", u"SECTION"));
  EXPECT_FALSE(EqualsAsciiCaseBlind(u"ｱ", u"ｲ"));
  EXPECT_EQ(TrimBlanks(u" \t x y \t"), u"x y");
  EXPECT_EQ(RightChars(u"a.wav", 3), u"wav");
  EXPECT_EQ(RightChars(u"ab", 3), u"ab");
}

}  // namespace
}  // namespace orv
