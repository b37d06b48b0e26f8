#include "settings/ini_document.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

std::string Utf16(TextView text, bool littleEndian) {
  std::string bytes;
  for (const char16_t unit : text) {
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
    bytes += littleEndian ? std::string{low, high} : std::string{high, low};
  }
  return bytes;
}

// A file as Notepad saves it: a byte order mark, then text in that encoding.
struct MarkedEncoding {
  const char* name;
  std::string bom;
  std::string (*encode)(TextView);
  std::string badLine;  // a line whose bytes name no clean text, with its line end
};

const MarkedEncoding kMarkedEncodings[] = {
    {"UTF-16LE", "\xFF\xFE", [](TextView t) { return Utf16(t, true); },
     std::string("\x00\xD8x\x00\r\x00\n\x00", 8)},
    {"UTF-16BE", "\xFE\xFF", [](TextView t) { return Utf16(t, false); },
     std::string("\xD8\x00\x00x\x00\r\x00\n", 8)},
    {"UTF-8", "\xEF\xBB\xBF", [](TextView t) { return ToUtf8(t); }, "\xC0\xAFx\xFF\r\n"},
};

TEST(IniDocument, ReadsLikeTheSystemsProfileFiles) {
  const auto doc = IniDocument::Parse(
      "; comment\r\n"
      "[Other]\r\nkey=other\r\n"
      " [ section ] \r\n"
      "  Key  =  \"quoted value\"  \r\n"
      "key=second wins never\r\n"
      "empty=\n"
      "single='x'\r"
      "half=\"open\n"
      "noequals\n"
      "[Section]\nkey=from a later duplicate section\n");
  EXPECT_EQ(doc.Get(u"SECTION", u"KEY"), u"quoted value");
  EXPECT_EQ(doc.Get(u"Section", u"empty"), u"");
  EXPECT_EQ(doc.Get(u"Section", u"single"), u"x");
  EXPECT_EQ(doc.Get(u"Section", u"half"), u"\"open");
  EXPECT_EQ(doc.Get(u"other", u"key"), u"other");
  EXPECT_FALSE(doc.Get(u"Section", u"noequals").has_value());
  EXPECT_FALSE(doc.Get(u"Section", u"missing").has_value());
  EXPECT_FALSE(doc.Get(u"Nowhere", u"key").has_value());
}

TEST(IniDocument, DistinctJapaneseKeysNeverCollide) {
  IniDocument doc;
  // Keys that collapse into the same "?" string through an 8-bit Western code page.
  doc.Set(u"Section", u"画像種類_0", u" 1");
  doc.Set(u"Section", u"画像種類_1", u" 0");
  doc.Set(u"Section", u"画像のｻｲｽﾞ", u" 1");
  doc.Set(u"Section", u"画像ﾁｪﾝｼﾞ", u" 0");
  const auto back = IniDocument::Parse(doc.Serialize());
  EXPECT_EQ(back.Get(u"Section", u"画像種類_0"), u"1");
  EXPECT_EQ(back.Get(u"Section", u"画像種類_1"), u"0");
  EXPECT_EQ(back.Get(u"Section", u"画像のｻｲｽﾞ"), u"1");
  EXPECT_EQ(back.Get(u"Section", u"画像ﾁｪﾝｼﾞ"), u"0");
  EXPECT_EQ(back.LineCount(), 5u);
}

TEST(IniDocument, WritesShiftJisBytes) {
  IniDocument doc;
  doc.Set(u"Section", u"ｲﾝﾀｰﾊﾞﾙ", u" 10");
  EXPECT_EQ(doc.Serialize(), "[Section]\r\n\xB2\xDD\xC0\xB0\xCA\xDE\xD9= 10\r\n");
}

TEST(IniDocument, SetReplacesInPlaceAndKeepsForeignLines) {
  auto doc = IniDocument::Parse("[Section]\r\n; note\r\nA=1\r\nunknown=keep\r\n\r\n[Tail]\r\nz=9\r\n");
  doc.Set(u"Section", u"a", u"2");
  doc.Set(u"Section", u"B", u"3");
  doc.Set(u"New", u"k", u"v");
  EXPECT_EQ(doc.Serialize(),
            "[Section]\r\n; note\r\na=2\r\nunknown=keep\r\nB=3\r\n\r\n[Tail]\r\nz=9\r\n"
            "[New]\r\nk=v\r\n");
}

TEST(IniDocument, ValuesOutsideShiftJisRoundTripAndPlainFilesStayShiftJis) {
  IniDocument doc;
  const Text path = u"C:\\Фото\\café ☃ \U0001F600";
  doc.Set(u"Section", u"画像のﾌｫﾙﾀﾞ", path);
  doc.Set(u"Section", u"BGMﾌｧｲﾙ", u"D:\\音楽\\曲.mp3");
  const std::string bytes = doc.Serialize();
  EXPECT_NE(bytes.find("\x89\xE6\x91\x9C\x82\xCC\xCC\xAB\xD9\xC0\xDE=\xEF\xBB\xBF"), std::string::npos);
  EXPECT_NE(bytes.find("D:\\\x89\xB9\x8A\x79\\\x8B\xC8.mp3"), std::string::npos);
  const auto back = IniDocument::Parse(bytes);
  EXPECT_EQ(back.Get(u"Section", u"画像のﾌｫﾙﾀﾞ"), path);
  EXPECT_EQ(back.Get(u"Section", u"BGMﾌｧｲﾙ"), u"D:\\音楽\\曲.mp3");
}

TEST(IniDocument, ShiftJisTextThatHappensToHoldTheMarkerBytesStaysShiftJis) {
  IniDocument doc;
  doc.Set(u"Section", u"画像のﾌｫﾙﾀﾞ", u"C:\\ゑｻｿ");  // 82 EF, BB, BF
  const std::string bytes = doc.Serialize();
  EXPECT_NE(bytes.find("C:\\\x82\xEF\xBB\xBF\r\n"), std::string::npos);
  EXPECT_EQ(IniDocument::Parse(bytes).Get(u"Section", u"画像のﾌｫﾙﾀﾞ"), u"C:\\ゑｻｿ");
}

TEST(IniDocument, FilesWithAByteOrderMarkKeepTheirEncoding) {
  // U+0A0D and U+0D0A each hold the bytes 0D 0A, which end no line inside a UTF-16 unit.
  const Text folder = u"C:\\Фото\\写真\u0A0D\u0D0A ☃";
  for (const MarkedEncoding& e : kMarkedEncodings) {
    SCOPED_TRACE(e.name);
    const std::string head = e.bom + e.encode(u"; ﾒﾓ\r\n[Other]\r\n名前=値\r\n") + e.badLine;
    auto doc = IniDocument::Parse(
        head + e.encode(u"[Section]\r\n画像ﾁｪﾝｼﾞ = 1\n画像のﾌｫﾙﾀﾞ=" + folder + u"\r\n\r\n[Tail]\rz=9"));
    EXPECT_EQ(doc.Get(u"Other", u"名前"), u"値");
    EXPECT_EQ(doc.Get(u"Section", u"画像ﾁｪﾝｼﾞ"), u"1");
    EXPECT_EQ(doc.Get(u"Section", u"画像のﾌｫﾙﾀﾞ"), folder);
    EXPECT_EQ(doc.Get(u"Tail", u"z"), u"9");

    doc.Set(u"Section", u"画像ﾁｪﾝｼﾞ", u"0");
    doc.Set(u"Section", u"ｲﾝﾀｰﾊﾞﾙ", u"10");
    doc.Set(u"New", u"速さ", u"☃ 20");
    EXPECT_EQ(doc.Serialize(),
              head + e.encode(u"[Section]\r\n画像ﾁｪﾝｼﾞ=0\r\n画像のﾌｫﾙﾀﾞ=" + folder +
                              u"\r\nｲﾝﾀｰﾊﾞﾙ=10\r\n\r\n[Tail]\r\nz=9\r\n[New]\r\n速さ=☃ 20\r\n"));

    auto markOnly = IniDocument::Parse(e.bom);
    markOnly.Set(u"Section", u"速さ", u"20");
    EXPECT_EQ(markOnly.Serialize(), e.bom + e.encode(u"[Section]\r\n速さ=20\r\n"));
  }
}

TEST(IniDocument, HalfAUnitAtTheEndOfAUtf16FileStaysLastAndTheRestReadable) {
  const std::string bom = "\xFF\xFE";
  auto doc = IniDocument::Parse(bom + Utf16(u"[Section]\r\nx=1", true) + "\n");
  EXPECT_EQ(doc.Get(u"Section", u"x"), u"1");
  doc.Set(u"Section", u"y", u"2");
  const std::string bytes = doc.Serialize();
  EXPECT_EQ(bytes, bom + Utf16(u"[Section]\r\nx=1\r\ny=2\r\n", true) + "\n");
  EXPECT_EQ(IniDocument::Parse(bytes).Serialize(), bytes);
}

TEST(IniDocument, LinesItDoesNotChangeAreWrittenBackByteForByte) {
  const std::string odd = "; x\r\n\xFF\xFE garbage \x81\r\n\xEF\xBB\xBFnot=ours\r\n";
  auto doc = IniDocument::Parse(odd);
  doc.Set(u"Section", u"速さ", u" 20");
  EXPECT_EQ(doc.Serialize().substr(0, odd.size()), odd);
}

TEST(IniDocument, SurvivesHostileFiles) {
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary.push_back(static_cast<char>((i * 7919) & 0xFF));
  for (const std::string bom : {"", "\xFF\xFE", "\xFE\xFF", "\xEF\xBB\xBF"}) {
    auto doc = IniDocument::Parse(bom + binary + "\r");
    doc.Set(u"Section", u"速さ", u" 20");
    EXPECT_EQ(IniDocument::Parse(doc.Serialize()).Get(u"Section", u"速さ"), u"20");
  }

  const std::string longLine = "[Section]\nx=" + std::string(3'000'000, 'a') + "\n";
  EXPECT_EQ(IniDocument::Parse(longLine).Get(u"Section", u"x")->size(), 3'000'000u);
  EXPECT_EQ(IniDocument::Parse("").LineCount(), 0u);
  EXPECT_FALSE(IniDocument::Parse("[Section").Get(u"Section", u"x").has_value());
}

}  // namespace
}  // namespace orv
