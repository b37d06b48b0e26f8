// The settings file as text lines, read and written by the program itself so that it means
// the same on every system.
//
// Encoding: code page 932 (Shift-JIS) for every line, whatever the system's code page. A
// value that code page 932 cannot hold is stored as the marker EF BB BF followed by the
// value in UTF-8; no Shift-JIS text starts with those bytes, so ordinary files stay plain
// Shift-JIS. Lines the program does not change are written back byte for byte.
//
// Semantics of the system's profile files: sections and keys match case-blind (ASCII) with
// blanks around them ignored, the first matching section and key win, values lose the
// blanks around them and one pair of enclosing quotes, and every other line is kept as it
// stands when a value is written.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text.h"

namespace orv {

class IniDocument {
 public:
  static IniDocument Parse(std::string_view bytes);
  std::string Serialize() const;

  // nullopt when the section or key is missing.
  std::optional<Text> Get(TextView section, TextView key) const;
  // Replaces the first matching key line, or adds one at the end of the section (adding the
  // section at the end of the file when it is missing).
  void Set(TextView section, TextView key, TextView value);

  size_t LineCount() const { return lines_.size(); }

 private:
  struct Line {
    Text text;
    std::string raw;     // the bytes as read; empty for a line the program wrote
    bool written = false;
  };
  std::vector<Line> lines_;
};

}  // namespace orv
