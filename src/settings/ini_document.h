// The settings file as text lines, read and written by the program itself so that it means
// the same on every system.
//
// Encoding: the file keeps its own. One that starts with a byte order mark, as Notepad saves
// it, is UTF-16 (FF FE little-endian, FE FF big-endian) or UTF-8 (EF BB BF), and every line
// written into it uses that encoding. Any other file, and a new one, is code page 932
// (Shift-JIS) for every line, whatever the system's code page; there a value that code page
// 932 cannot hold is stored as the marker EF BB BF followed by the value in UTF-8; no
// Shift-JIS text starts with those bytes, so ordinary files stay plain Shift-JIS. Lines the
// program does not change are written back byte for byte.
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
  enum class Encoding { kShiftJis, kUtf8, kUtf16Le, kUtf16Be };

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
  Encoding encoding_ = Encoding::kShiftJis;
  // The last byte of a UTF-16 file that ends in half a unit, written back after every line
  // so the lines before it stay readable.
  std::string trailer_;
};

}  // namespace orv
