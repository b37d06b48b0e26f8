// The settings file as text lines: profile-file semantics, the file's own encoding, and
// every line the program does not change written back byte for byte.
#include "settings/ini_document.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(IniDocument, ReadsLikeTheSystemsProfileFiles) {
  const auto doc = IniDocument::Parse(
      "; comment\r\n[Other]\r\nkey=other\r\n [ section ] \r\n  Key  =  \"quoted value\"  \r\n"
      "key=second wins never\r\nempty=\nsingle='x'\rhalf=\"open\nnoequals\n"
      "[Section]\nlater=from a later duplicate section\n");
  const std::tuple<const char16_t*, const char16_t*, std::optional<Text>> cases[] = {
      {u"SECTION", u"KEY", u"quoted value"}, {u"Section", u"empty", u""},
      {u"Section", u"single", u"x"},         {u"Section", u"half", u"\"open"},
      {u"other", u"key", u"other"},          {u"Section", u"noequals", {}},
      {u"Section", u"later", {}},            {u"Nowhere", u"key", {}}};
  for (const auto& [section, key, value] : cases) EXPECT_EQ(doc.Get(section, key), value) << ToUtf8(key);
}

TEST(IniDocument, SetWritesShiftJisInPlaceAndKeepsEveryOtherByte) {
  const std::string head = "; x\r\n\xFF\xFE garbage \x81\r\n\xEF\xBB\xBFnot=ours\r\n";
  auto doc = IniDocument::Parse(head + "[Section]\r\n; note\r\nA=1\r\nunknown=keep\r\n\r\n[Tail]\r\nz=9");
  doc.Set(u"Section", u"a", u"2");
  doc.Set(u"Section", u"ｲﾝﾀｰﾊﾞﾙ", u" 10");
  doc.Set(u"Section", u"画像のﾌｫﾙﾀﾞ", u"C:\\Фото ☃ \U0001F600");  // beyond Shift-JIS
  doc.Set(u"Section", u"BGMﾌｧｲﾙ", u"C:\\ゑｻｿ");  // 82 EF BB BF: Shift-JIS all the same
  doc.Set(u"New", u"k", u"v");
  const std::string bytes = doc.Serialize();
  EXPECT_EQ(bytes, head + "[Section]\r\n; note\r\na=2\r\nunknown=keep\r\n\xB2\xDD\xC0\xB0\xCA\xDE\xD9= 10\r\n"
                          "\x89\xE6\x91\x9C\x82\xCC\xCC\xAB\xD9\xC0\xDE=\xEF\xBB\xBF" +
                       ToUtf8(u"C:\\Фото ☃ \U0001F600") +
                       "\r\nBGM\xCC\xA7\xB2\xD9=C:\\\x82\xEF\xBB\xBF\r\n\r\n[Tail]\r\nz=9\r\n[New]\r\nk=v\r\n");
  const auto back = IniDocument::Parse(bytes);
  EXPECT_EQ(back.Get(u"Section", u"画像のﾌｫﾙﾀﾞ"), u"C:\\Фото ☃ \U0001F600");
  EXPECT_EQ(back.Get(u"Section", u"BGMﾌｧｲﾙ"), u"C:\\ゑｻｿ");
}

std::string Utf16(TextView text, bool littleEndian) {
  std::string bytes;
  for (const char16_t u : text) {
    const char low = static_cast<char>(u & 0xFF), high = static_cast<char>(u >> 8);
    bytes += littleEndian ? std::string{low, high} : std::string{high, low};
  }
  return bytes;
}

TEST(IniDocument, FilesWithAByteOrderMarkKeepTheirEncoding) {
  const struct {
    std::string bom;
    std::string (*encode)(TextView);
    std::string badLine;  // bytes that name no clean text, with their line end
  } encodings[] = {
      {"\xFF\xFE", [](TextView t) { return Utf16(t, true); }, std::string("\x00\xD8x\x00\r\x00\n\x00", 8)},
      {"\xFE\xFF", [](TextView t) { return Utf16(t, false); }, std::string("\xD8\x00\x00x\x00\r\x00\n", 8)},
      {"\xEF\xBB\xBF", [](TextView t) { return ToUtf8(t); }, "\xC0\xAFx\xFF\r\n"}};
  // U+0A0D and U+0D0A each hold the bytes 0D 0A, which end no line inside a UTF-16 unit.
  const Text folder = u"C:\\Фото\\写真\u0A0D\u0D0A ☃";
  for (const auto& e : encodings) {
    SCOPED_TRACE(e.bom);
    const std::string head = e.bom + e.encode(u"; ﾒﾓ\r\n[Other]\r\n名前=値\r\n") + e.badLine;
    auto doc = IniDocument::Parse(head + e.encode(u"[Section]\r\n画像ﾁｪﾝｼﾞ = 1\n画像のﾌｫﾙﾀﾞ=" +
                                                  folder + u"\r\n\r\n[Tail]\rz=9"));
    EXPECT_EQ(doc.Get(u"Other", u"名前"), u"値");
    EXPECT_EQ(doc.Get(u"Section", u"画像のﾌｫﾙﾀﾞ"), folder);
    doc.Set(u"Section", u"画像ﾁｪﾝｼﾞ", u"0");
    doc.Set(u"New", u"速さ", u"☃ 20");
    EXPECT_EQ(doc.Serialize(), head + e.encode(u"[Section]\r\n画像ﾁｪﾝｼﾞ=0\r\n画像のﾌｫﾙﾀﾞ=" + folder +
                                                u"\r\n\r\n[Tail]\r\nz=9\r\n[New]\r\n速さ=☃ 20\r\n"));
  }
  // Half a unit at the end of a UTF-16 file stays last; the lines before it stay readable.
  auto doc = IniDocument::Parse("\xFF\xFE" + Utf16(u"[Section]\r\nx=1", true) + "\n");
  doc.Set(u"Section", u"y", u"2");
  EXPECT_EQ(doc.Serialize(), "\xFF\xFE" + Utf16(u"[Section]\r\nx=1\r\ny=2\r\n", true) + "\n");
}

TEST(IniDocument, SurvivesHostileFiles) {
  const std::string longLine = "[Section]\nx=" + std::string(3'000'000, 'a') + "\n";
  EXPECT_EQ(IniDocument::Parse(longLine).Get(u"Section", u"x")->size(), 3'000'000u);
  EXPECT_FALSE(IniDocument::Parse("[Section").Get(u"Section", u"x").has_value());
}

}  // namespace
}  // namespace orv
