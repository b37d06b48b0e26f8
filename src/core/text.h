// Text helpers shared by every module. Strings are UTF-16 inside the program.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

using Text = std::u16string;
using TextView = std::u16string_view;

// 16-bit booleans as the settings and platform calls carry them.
constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

Text FromUtf8(std::string_view utf8);      // invalid bytes become U+FFFD
std::string ToUtf8(TextView text);          // lone surrogates become U+FFFD
bool IsValidUtf8(std::string_view bytes);

Text AsciiUpper(TextView text);             // only a-z change
bool EqualsAsciiCaseBlind(TextView a, TextView b);
Text TrimBlanks(TextView text);             // spaces and tabs at both ends
Text RightChars(TextView text, size_t n);   // the last n units (all when shorter)

}  // namespace orv
