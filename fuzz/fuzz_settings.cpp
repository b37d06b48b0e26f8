// The settings file as any bytes: parsing, loading, and a write that must read back exactly.
#include "core/cp932.h"
#include "fuzz_harness.h"
#include "settings/load_settings.h"
#include "support/fake_file_system.h"

namespace orv::fuzz {

void FuzzOne(Input input) {
  const std::string_view bytes = input.Bytes();
  test::FakeFileSystem fs;
  fs.AddFile(u"C:\\p\\a.bmp");
  fs.AddFile(u"C:\\m.mp3");
  IniDocument doc = IniDocument::Parse(bytes);
  Settings settings;
  LoadSettings(settings, fs, doc);

  // A value taken from the input (as Shift-JIS text, one line, without the blanks and quotes
  // the reader strips) must come back unchanged after a write and a fresh parse.
  Text value = cp932::Decode(bytes.substr(0, 64));
  std::erase_if(value, [](char16_t c) { return c == u'\r' || c == u'\n'; });
  value = TrimBlanks(value);
  if (!value.empty() && (value.front() == u'"' || value.front() == u'\'')) value.insert(0, u"x");
  doc.Set(u"Section", u"速さ", value);
  const auto back = IniDocument::Parse(doc.Serialize()).Get(u"Section", u"速さ");
  Check(back && *back == TrimBlanks(value));
}

}  // namespace orv::fuzz
