// The settings file as any bytes: parsing and loading, a value written back that must read
// back exactly, and the bytes as a number text through every reader and conversion.
#include <cmath>
#include <cstring>

#include "core/cp932.h"
#include "core/numbers.h"
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
  // One line of the input, without the blanks and quotes the reader strips.
  Text value = cp932::Decode(bytes.substr(0, 64));
  std::erase_if(value, [](char16_t c) { return c == u'\r' || c == u'\n'; });
  value = TrimBlanks(value);
  if (!value.empty() && (value.front() == u'"' || value.front() == u'\'')) value.insert(0, u"x");
  doc.Set(u"Section", u"速さ", value);
  Check(IniDocument::Parse(doc.Serialize()).Get(u"Section", u"速さ") == TrimBlanks(value));

  if (const auto number = num::ParseNumber(value)) {
    Check(std::isfinite(*number));
    if (const auto f = num::FloorToInt16(*number)) Check(*f <= *number);
    if (const auto r = num::RoundToInt32(*number)) Check(std::fabs(*r - *number) <= 0.5);
  }
  (void)num::RoundToInt16(num::ReadLeadingNumber(value));
  if (input.size >= 4) {  // every number the program writes reads back as itself
    int32_t n;
    std::memcpy(&n, input.data, sizeof n);
    Check(num::ParseNumber(num::FormatNumber(n)) == static_cast<double>(n));
  }
}

}  // namespace orv::fuzz
