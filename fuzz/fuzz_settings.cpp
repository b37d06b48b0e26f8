// The settings file as any bytes: parsing, loading, and a write that must read back exactly.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/cp932.h"
#include "settings/load_settings.h"
#include "support/fake_file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  orv::test::FakeFileSystem fs;
  fs.AddFile(u"C:\\p\\a.bmp");
  fs.AddFile(u"C:\\m.mp3");
  orv::IniDocument doc = orv::IniDocument::Parse(bytes);
  orv::AppState app;
  orv::LoadSettings(app, fs, doc);

  // A value taken from the input (as Shift-JIS text, one line, without the blanks and quotes
  // the reader strips) must come back unchanged after a write and a fresh parse.
  orv::Text value = orv::cp932::Decode(bytes.substr(0, 64));
  std::erase_if(value, [](char16_t c) { return c == u'\r' || c == u'\n'; });
  value = orv::TrimBlanks(value);
  if (!value.empty() && (value.front() == u'"' || value.front() == u'\'')) value.insert(0, u"x");
  doc.Set(u"Section", u"速さ", value);
  const auto back = orv::IniDocument::Parse(doc.Serialize()).Get(u"Section", u"速さ");
  if (!back || *back != orv::TrimBlanks(value)) std::abort();
  return 0;
}
